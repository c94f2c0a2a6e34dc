#pragma once

#include <QDialog>
#include <QMap>
#include <QString>

#include "settings/SettingsStore.h"
#include "ui/dialogs/ListField.h"

class QAbstractButton;
class QCheckBox;
class QGroupBox;
class QLineEdit;

namespace tamrik {

class ValueButton;

// "Panel information": the panel-wide settings of the site. Every control is named after the key it
// holds. OK writes every field and closes; the close box closes without writing the dialog's own
// fields (values confirmed in the small value dialogs were written when they were confirmed). OK
// refuses, naming the field, a serial number, contractor, number of zones or access code that the
// panel could not hold.
class PanelSettingsDialog : public QDialog {
    Q_OBJECT
public:
    explicit PanelSettingsDialog(SettingsStore& store, QWidget* owner = nullptr);

    QLineEdit* textField(const QString& key) const { return texts_.value(key); }
    ListField* listField(const QString& key) const { return lists_.value(key); }
    QAbstractButton* checkField(const QString& key) const { return checks_.value(key); }
    ValueButton* valueButton(const QString& key) const { return buttons_.value(key); }

    void accept() override;

private:
    QWidget* buildPanelGroup();
    QWidget* buildCodesGroup();
    QWidget* buildModesGroup();
    QWidget* buildServiceGroup();
    QWidget* buildFireLinkGroup();
    QWidget* buildTalkingGroup();
    QWidget* buildPulsingGroup();
    QWidget* buildDayNightGroup();
    QWidget* buildBeaconGroup();
    QWidget* buildOptionsGroup();

    QLineEdit* addText(const char* key, int maxLength);
    QLineEdit* addShownOnly(const char* key);
    ListField* addList(const char* key, const QStringList& items, ListField::Storage storage);
    QCheckBox* addCheck(const char* key, const QString& label);
    QAbstractButton* addChoice(const char* key, const QString& label);
    ValueButton* addValueButton(const char* key);

    bool checked(const char* key) const;
    // A disabled box shows `whyDisabled` as its tooltip.
    void setBox(const char* key, bool enabled, bool on, const QString& whyDisabled = {});
    void setRemoteAlarmBoxes(bool dayNightInput, bool remoteAlarmOn, bool controlOn);
    bool inputGroupInUse(int group) const;
    void applyOpeningRules();
    void connectRules();
    bool valuesThePanelCanHold();
    void writeFields();

    SettingsStore& store_;
    QMap<QString, QLineEdit*> texts_;
    QMap<QString, ListField*> lists_;
    QMap<QString, QAbstractButton*> checks_;
    QMap<QString, ValueButton*> buttons_;
};

// Runs the dialog modally.
void RunPanelSettingsDialog(QWidget* owner, SettingsStore& store);

}  // namespace tamrik
