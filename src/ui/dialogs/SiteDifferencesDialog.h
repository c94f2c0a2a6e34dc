#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QListWidget;

namespace tamrik {

// "Compare with panel": what differs between the panel's site and this one, one line per setting in
// the comparison's order (site information, panel options, devices, matrix, delays, texts), read-only.
class SiteDifferencesDialog : public QDialog {
    Q_OBJECT
public:
    SiteDifferencesDialog(const std::vector<std::string>& differences, QWidget* owner = nullptr);

    QListWidget* list() const { return list_; }

private:
    QListWidget* list_;
};

}  // namespace tamrik
