#pragma once

#include <QDialog>
#include <cstdint>

#include "settings/SettingsStore.h"

class QLineEdit;
class QPlainTextEdit;

namespace tamrik {

// "Design check": runs the design checker with its report when it opens, and shows the report (or
// "No Site File Errors") with the loop's quiescent and alarm current.
class DesignCheckDialog : public QDialog {
    Q_OBJECT
public:
    explicit DesignCheckDialog(SettingsStore& store, QWidget* owner = nullptr);

    // The fault count of the check run on opening (the caller's site-errors flag).
    std::uint32_t faultCount() const { return faultCount_; }
    QString reportText() const;
    QString quiescentText() const;
    QString alarmText() const;

private:
    std::uint32_t faultCount_ = 0;
    QPlainTextEdit* report_ = nullptr;
    QLineEdit* quiescent_ = nullptr;
    QLineEdit* alarm_ = nullptr;
};

// Runs the dialog modally and returns the fault count.
std::uint32_t RunDesignCheckDialog(QWidget* owner, SettingsStore& store);

}  // namespace tamrik
