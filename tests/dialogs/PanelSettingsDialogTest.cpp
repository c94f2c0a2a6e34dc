#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "DialogTestSupport.h"
#include "settings/DefaultSettings.h"
#include "ui/dialogs/ListField.h"
#include "ui/dialogs/PanelSettingsDialog.h"
#include "ui/dialogs/StepField.h"
#include "ui/dialogs/ValueButton.h"
#include "ui/dialogs/ValueDialogs.h"

using namespace tamrik;
using namespace tamrik::testing;

namespace {

void clickOk(QDialog& dialog) {
    auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("okButton"));
    QVERIFY(ok);
    QTest::mouseClick(ok, Qt::LeftButton);
}

QAbstractButton* box(PanelSettingsDialog& dialog, const char* key) {
    return dialog.checkField(QString::fromLatin1(key));
}

// Check boxes and radio buttons take clicks on their indicator and label only, so click the
// indicator rather than the middle of a stretched row.
void click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2)); }

// Opens the value dialog of `key`'s button, types `typed` into it and presses `buttonName`.
void editValue(PanelSettingsDialog& dialog, const char* key, const QString& typed, const char* buttonName,
               QString* titleSeen = nullptr, QString* valueSeen = nullptr) {
    WhenModal([typed, buttonName, titleSeen, valueSeen](QWidget* modal) {
        auto* value = qobject_cast<ValueDialog*>(modal);
        QVERIFY(value);
        if (titleSeen) *titleSeen = value->windowTitle();
        if (valueSeen) *valueSeen = value->valueText();
        auto* edit = value->field()->findChild<QLineEdit*>();
        if (!typed.isNull()) {
            edit->selectAll();
            QTest::keyClick(edit, Qt::Key_Delete);
            QTest::keyClicks(edit, typed);
        }
        QTest::mouseClick(value->findChild<QPushButton*>(QString::fromLatin1(buttonName)), Qt::LeftButton);
    });
    QTest::mouseClick(dialog.valueButton(QString::fromLatin1(key)), Qt::LeftButton);
}

}  // namespace

class PanelSettingsDialogTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ScopedStore> store;

    std::unique_ptr<PanelSettingsDialog> open() {
        auto dialog = std::make_unique<PanelSettingsDialog>(**store);
        dialog->show();
        return dialog;
    }

private slots:
    void init() {
        store = std::make_unique<ScopedStore>();
        ApplyDefaultSettings(**store);
    }
    void cleanup() { store.reset(); }

    void accessCodesRefuseDigitsOutsideOneToFour() {
        SettingPut(**store, "UserCode", "");
        auto dialog = open();
        QLineEdit* code = dialog->textField(QStringLiteral("UserCode"));
        QTest::keyClicks(code, QStringLiteral("12"));
        for (const char digit : {'5', '6', '7', '8', '9', '0'}) {
            QTest::keyClick(code, digit);
            QCOMPARE(code->text(), QStringLiteral("12"));
            QCOMPARE(code->cursorPosition(), 2);
        }
        QTest::keyClicks(code, QStringLiteral("3x4"));
        QCOMPARE(code->text(), QStringLiteral("1234"));
        // A wrong digit typed in the middle goes, and the digits after it stay.
        code->setCursorPosition(2);
        QTest::keyClick(code, '9');
        QCOMPARE(code->text(), QStringLiteral("1234"));
        QCOMPARE(code->cursorPosition(), 2);
        QTest::keyClicks(code, QStringLiteral("4411"));
        QCOMPARE(code->text(), QStringLiteral("124434"));
        clickOk(*dialog);
        QCOMPARE(Stored(**store, "UserCode"), QStringLiteral("124434"));
        QCOMPARE(Stored(**store, "EngineerCode"), QStringLiteral("423311"));
    }

    void digitsOnlyFieldsAndTextLimits() {
        auto dialog = open();
        QLineEdit* zones = dialog->textField(QStringLiteral("NumZones"));
        zones->selectAll();
        QTest::keyClicks(zones, QStringLiteral("1a68"));
        QCOMPARE(zones->text(), QStringLiteral("16"));
        QLineEdit* serial = dialog->textField(QStringLiteral("PanelSnum"));
        serial->selectAll();
        QTest::keyClicks(serial, QStringLiteral("0A1B2C3D4E"));
        QCOMPARE(serial->text(), QStringLiteral("0A1B2C3D"));
        QVERIFY(dialog->findChild<QLineEdit*>(QStringLiteral("SFRevision"))->isReadOnly());
        QVERIFY(dialog->findChild<QLineEdit*>(QStringLiteral("AlarmCount"))->isReadOnly());
        clickOk(*dialog);
        QCOMPARE(Stored(**store, "NumZones"), QStringLiteral("16"));
        QCOMPARE(Stored(**store, "PanelSnum"), QStringLiteral("0A1B2C3D"));
    }

    void listsSelectTheStoredItemOrNothing() {
        SettingPut(**store, "MaxLoggedDev", "100");
        SettingPut(**store, "BeaconFlashrate", "0");
        SettingPut(**store, "Language", "12");
        SettingPut(**store, "FireRelayMode", "2");
        auto dialog = open();
        QCOMPARE(dialog->listField(QStringLiteral("MaxLoggedDev"))->currentText(), QStringLiteral("100"));
        QCOMPARE(dialog->listField(QStringLiteral("BeaconFlashrate"))->currentIndex(), -1);
        QCOMPARE(dialog->listField(QStringLiteral("Language"))->currentText(), QStringLiteral("Danish"));
        QCOMPARE(dialog->listField(QStringLiteral("FireRelayMode"))->currentText(),
                 QStringLiteral("Energise on Manual fires only"));
        clickOk(*dialog);
        QCOMPARE(Stored(**store, "MaxLoggedDev"), QStringLiteral("100"));
        QCOMPARE(Stored(**store, "BeaconFlashrate"), QStringLiteral("0"));
        QCOMPARE(Stored(**store, "Language"), QStringLiteral("12"));

        SettingPut(**store, "MaxLoggedDev", "32");
        dialog = open();
        QCOMPARE(dialog->listField(QStringLiteral("MaxLoggedDev"))->currentText(), QStringLiteral("32"));
    }

    // Values the lists cannot show survive an OK untouched; a choice made by the user is written.
    void untouchedValuesOutsideAListAreKept() {
        SettingPut(**store, "FaultRelayMode", "3");
        SettingPut(**store, "MaxLoggedDev", "150");
        SettingPut(**store, "DisplayMode", "-1");
        SettingDelete(**store, "BeaconFlashrate");
        auto dialog = open();
        for (const char* key : {"FaultRelayMode", "MaxLoggedDev", "DisplayMode", "BeaconFlashrate"})
            QCOMPARE(dialog->listField(QString::fromLatin1(key))->currentIndex(), -1);
        ListField* rate = dialog->listField(QStringLiteral("BeaconFlashrate"));
        clickOk(*dialog);
        QCOMPARE(Stored(**store, "FaultRelayMode"), QStringLiteral("3"));
        QCOMPARE(Stored(**store, "MaxLoggedDev"), QStringLiteral("150"));
        QCOMPARE(Stored(**store, "DisplayMode"), QStringLiteral("-1"));
        QCOMPARE(Stored(**store, "BeaconFlashrate"), QStringLiteral("<missing>"));

        dialog = open();
        rate = dialog->listField(QStringLiteral("BeaconFlashrate"));
        rate->setFocus();
        QTest::keyClick(rate, Qt::Key_Down);
        QCOMPARE(rate->currentText(), QStringLiteral("1 Second"));
        QTest::keyClick(rate, Qt::Key_Down);
        ListField* logged = dialog->listField(QStringLiteral("MaxLoggedDev"));
        logged->setCurrentIndex(2);
        clickOk(*dialog);
        QCOMPARE(Stored(**store, "BeaconFlashrate"), QStringLiteral("2"));
        QCOMPARE(Stored(**store, "MaxLoggedDev"), QStringLiteral("192"));
    }

    void remoteAlarmInputStaysOffWhileADeviceUsesGroup31() {
        SettingPut(**store, "IPGroup_17", "31");
        SettingPut(**store, "RemoteAlarmInput", "1");
        SettingPut(**store, "RaiControl", "1");
        auto dialog = open();
        QAbstractButton* rai = box(*dialog, "RemoteAlarmInput");
        QAbstractButton* control = box(*dialog, "RaiControl");
        QVERIFY(!rai->isEnabled() && !rai->isChecked());
        QVERIFY(!control->isEnabled() && !control->isChecked());
        // Turning the day/night choice on and off again does not free group 31.
        click(box(*dialog, "DayNightIp"));
        click(box(*dialog, "DayNightIp"));
        QVERIFY(!rai->isEnabled());
        clickOk(*dialog);
        QCOMPARE(Stored(**store, "RemoteAlarmInput"), QStringLiteral("0"));
        QCOMPARE(Stored(**store, "RaiControl"), QStringLiteral("0"));
    }

    void remoteAlarmInputBoxesFollowEachOther() {
        SettingPut(**store, "RemoteAlarmInput", "0");
        SettingPut(**store, "RaiControl", "1");
        SettingPut(**store, "DayNightIp", "0");
        auto dialog = open();
        QAbstractButton* rai = box(*dialog, "RemoteAlarmInput");
        QAbstractButton* control = box(*dialog, "RaiControl");
        QAbstractButton* dayNight = box(*dialog, "DayNightIp");
        QVERIFY(rai->isEnabled() && !rai->isChecked());
        QVERIFY(!control->isEnabled() && !control->isChecked());

        click(rai);
        QVERIFY(control->isEnabled());
        click(control);
        QVERIFY(control->isChecked());
        click(rai);
        QVERIFY(!control->isEnabled() && !control->isChecked());

        click(rai);
        click(control);
        click(dayNight);
        QVERIFY(!rai->isEnabled() && !rai->isChecked());
        QVERIFY(!control->isEnabled() && !control->isChecked());
        click(dayNight);
        QVERIFY(rai->isEnabled() && !rai->isChecked());
        QVERIFY(!control->isEnabled());

        click(rai);
        click(control);
        clickOk(*dialog);
        QCOMPARE(Stored(**store, "RemoteAlarmInput"), QStringLiteral("1"));
        QCOMPARE(Stored(**store, "RaiControl"), QStringLiteral("1"));
        QCOMPARE(Stored(**store, "DayNightIp"), QStringLiteral("0"));
    }

    void openingRulesForDayNightClassChangeBeaconAndSerial() {
        SettingPut(**store, "DayNightIp", "1");
        SettingPut(**store, "RemoteAlarmInput", "1");
        SettingPut(**store, "IPGroup_5", "30");
        SettingPut(**store, "ClassChange", "1");
        SettingPut(**store, "Beacon", "1");
        SettingPut(**store, "BeaconFlashUntil", "1");
        SettingPut(**store, "ClassBeacon", "1");
        SettingPut(**store, "FBP", "1");
        SettingPut(**store, "Serial", "1");
        auto dialog = open();
        QVERIFY(box(*dialog, "DayNightIp")->isChecked());
        for (const char* key :
             {"RemoteAlarmInput", "RaiControl", "ClassChange", "BeaconFlashUntil", "ClassBeacon", "Serial"}) {
            QVERIFY2(!box(*dialog, key)->isEnabled() && !box(*dialog, key)->isChecked(), key);
        }
        QVERIFY(box(*dialog, "Beacon")->isChecked());

        click(box(*dialog, "Beacon"));
        QVERIFY(box(*dialog, "BeaconFlashUntil")->isEnabled() && box(*dialog, "ClassBeacon")->isEnabled());
        click(box(*dialog, "BeaconFlashUntil"));
        click(box(*dialog, "FBP"));
        QVERIFY(box(*dialog, "Serial")->isEnabled() && !box(*dialog, "Serial")->isChecked());
        click(box(*dialog, "Serial"));
        click(box(*dialog, "FBP"));
        QVERIFY(!box(*dialog, "Serial")->isEnabled() && !box(*dialog, "Serial")->isChecked());
        clickOk(*dialog);
        // Disabled boxes count as off.
        QCOMPARE(Stored(**store, "ClassChange"), QStringLiteral("0"));
        QCOMPARE(Stored(**store, "ClassBeacon"), QStringLiteral("0"));
        QCOMPARE(Stored(**store, "BeaconFlashUntil"), QStringLiteral("1"));
        QCOMPARE(Stored(**store, "Beacon"), QStringLiteral("0"));
        QCOMPARE(Stored(**store, "FBP"), QStringLiteral("1"));
        QCOMPARE(Stored(**store, "Serial"), QStringLiteral("0"));
    }

    void valueButtonsEditTheirKeyAtOnce() {
        SettingPut(**store, "SearchTime", "2:00");
        auto dialog = open();
        QString title;
        editValue(*dialog, "SearchTime", QStringLiteral("7:03"), "okButton", &title);
        QCOMPARE(title, QStringLiteral("Adjust search time (m:ss)"));
        QCOMPARE(Stored(**store, "SearchTime"), QStringLiteral("7:00"));
        QCOMPARE(dialog->valueButton(QStringLiteral("SearchTime"))->text(), QStringLiteral("7:00"));
        editValue(*dialog, "SearchTime", QStringLiteral("12:00"), "okButton");
        QCOMPARE(Stored(**store, "SearchTime"), QStringLiteral("10:00"));

        editValue(*dialog, "WalkTestTimeout", QStringLiteral("0"), "okButton", &title);
        QCOMPARE(title, QStringLiteral("Adjust seconds"));
        QCOMPARE(Stored(**store, "WalkTestTimeout"), QStringLiteral("1"));
        QCOMPARE(dialog->valueButton(QStringLiteral("WalkTestTimeout"))->text(), QStringLiteral("1s"));
        editValue(*dialog, "WalkTestTimeout", QStringLiteral("45"), "okButton");
        QCOMPARE(Stored(**store, "WalkTestTimeout"), QStringLiteral("30"));

        // The value dialog's OK stands even when the panel dialog is then closed without OK.
        editValue(*dialog, "DayNightOnTime", QStringLiteral("6:45"), "okButton");
        editValue(*dialog, "DayNightOnTime", QStringLiteral("9:00"), "cancelButton");
        dialog->reject();
        QCOMPARE(Stored(**store, "DayNightOnTime"), QStringLiteral("6:45"));
    }

    void missingValueKeysTakeTheirDefaultWhenEdited() {
        SettingDelete(**store, "PulseOnTime");
        SettingDelete(**store, "FirstKnockSearchTime");
        SettingDelete(**store, "TalkingSndSyncTime");
        auto dialog = open();
        QCOMPARE(dialog->valueButton(QStringLiteral("PulseOnTime"))->text(), QStringLiteral("???"));
        QCOMPARE(dialog->valueButton(QStringLiteral("PulseOffTime"))->text(), QStringLiteral("1.0s"));
        QCOMPARE(dialog->valueButton(QStringLiteral("TalkingSndSyncTime"))->text(), QStringLiteral("???"));

        QString shown;
        editValue(*dialog, "PulseOnTime", QString(), "cancelButton", nullptr, &shown);
        QCOMPARE(shown, QStringLiteral("1.0"));
        QCOMPARE(Stored(**store, "PulseOnTime"), QStringLiteral("1.0"));
        QCOMPARE(dialog->valueButton(QStringLiteral("PulseOnTime"))->text(), QStringLiteral("1.0s"));

        editValue(*dialog, "FirstKnockSearchTime", QString(), "cancelButton", nullptr, &shown);
        QCOMPARE(shown, QStringLiteral("0:24"));
        editValue(*dialog, "TalkingSndSyncTime", QString(), "cancelButton", nullptr, &shown);
        QCOMPARE(shown, QStringLiteral("20"));
    }

    void closingWithoutOkWritesNoField() {
        auto dialog = open();
        const std::uint64_t before = StoreFingerprint(**store);
        QLineEdit* contractor = dialog->textField(QStringLiteral("ContractorCode"));
        contractor->selectAll();
        QTest::keyClicks(contractor, QStringLiteral("4711"));
        click(box(*dialog, "FlashOnPoll"));
        dialog->listField(QStringLiteral("Language"))->setCurrentIndex(3);
        dialog->close();
        QCOMPARE(StoreFingerprint(**store), before);
    }

    void okWritesEveryField() {
        SettingPut(**store, "TsElectronic", "1");
        auto dialog = open();
        click(box(*dialog, "TsBellSound"));
        QVERIFY(!box(*dialog, "TsElectronic")->isChecked());
        click(box(*dialog, "MaleVoice"));
        dialog->listField(QStringLiteral("PanelType"))->setCurrentIndex(1);
        dialog->listField(QStringLiteral("PulsingAlarmTimeoutTone"))->setCurrentIndex(3);
        clickOk(*dialog);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(Stored(**store, "TsBellSound"), QStringLiteral("1"));
        QCOMPARE(Stored(**store, "TsElectronic"), QStringLiteral("0"));
        QCOMPARE(Stored(**store, "TsSpokenMess"), QStringLiteral("0"));
        QCOMPARE(Stored(**store, "MaleVoice"), QStringLiteral("1"));
        QCOMPARE(Stored(**store, "PanelType"), QStringLiteral("1"));
        QCOMPARE(Stored(**store, "PulsingAlarmTimeoutTone"), QStringLiteral("3"));
        QCOMPARE(Stored(**store, "FireLinkDelay"), QStringLiteral("0:00"));
        QCOMPARE(Stored(**store, "2ndKnock"), QStringLiteral("0"));
        QCOMPARE(Stored(**store, "FaultRelayMode"), QStringLiteral("0"));
    }

    void panelSettingsPicture() {
        SettingPut(**store, "SFRevision", "2");
        SettingPut(**store, "AlarmCount", "17");
        auto dialog = open();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        SavePng(dialog.get(), QStringLiteral("panel_settings"));
    }
};

QTEST_MAIN(PanelSettingsDialogTest)
#include "PanelSettingsDialogTest.moc"
