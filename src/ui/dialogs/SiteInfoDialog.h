#pragma once

#include <QDialog>
#include <QMap>
#include <QString>

#include "settings/SettingsStore.h"

class QLineEdit;

namespace tamrik {

class MultiLineField;

// "Site information": the descriptive texts of the site, the loop measurements, the battery and
// the panel's firmware version (shown only). OK checks the two loop limits first and writes only
// when both hold; Cancel and the close box write nothing.
class SiteInfoDialog : public QDialog {
    Q_OBJECT
public:
    explicit SiteInfoDialog(SettingsStore& store, QWidget* owner = nullptr);

    // The field of a site key, or null.
    QLineEdit* lineField(const QString& key) const { return lines_.value(key); }
    MultiLineField* multiLineField(const QString& key) const { return multiLines_.value(key); }

    void accept() override;

private:
    QWidget* buildSiteGroup();
    QWidget* buildCommissioningGroup();
    QWidget* buildLoopGroup();
    QWidget* buildBatteryGroup();
    QLineEdit* addLine(const char* key, int maxLength);
    MultiLineField* addMultiLine(const char* key, int maxLength);
    QString fieldText(const char* key) const;
    bool valuesWithinLimits();
    void writeFields();

    SettingsStore& store_;
    QMap<QString, QLineEdit*> lines_;
    QMap<QString, MultiLineField*> multiLines_;
};

// Runs the dialog modally.
void RunSiteInfoDialog(QWidget* owner, SettingsStore& store);

}  // namespace tamrik
