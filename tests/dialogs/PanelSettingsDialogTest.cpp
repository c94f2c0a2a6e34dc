#include <QCheckBox>
#include <QPushButton>
#include <QtTest>

#include "DialogTestSupport.h"
#include "settings/DefaultSettings.h"
#include "ui/dialogs/ListField.h"
#include "ui/dialogs/MessageBoxes.h"
#include "ui/dialogs/PanelSettingsDialog.h"
#include "ui/dialogs/StepField.h"
#include "ui/dialogs/TextFieldRules.h"
#include "ui/dialogs/ValueButton.h"
#include "ui/dialogs/ValueDialogs.h"

using namespace tamrik;
using namespace tamrik::testing;

namespace {

// Check boxes and radio buttons take clicks on their indicator and label only, so click the
// indicator rather than the middle of a stretched row.
void Click(PanelSettingsDialog& dialog, const char* key) {
    QAbstractButton* button = dialog.checkField(QString::fromLatin1(key));
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

// The state of each box, space-separated: "e" enabled or "-" disabled, then "1" checked or "0".
QString States(PanelSettingsDialog& dialog, std::initializer_list<const char*> keys) {
    QStringList states;
    for (const char* key : keys) {
        const QAbstractButton* box = dialog.checkField(QString::fromLatin1(key));
        states << QStringLiteral("%1%2").arg(box->isEnabled() ? 'e' : '-').arg(box->isChecked() ? '1' : '0');
    }
    return states.join(QLatin1Char(' '));
}

// Opens the value dialog of `key`'s button, types `typed` into it (unless null) and presses `buttonName`;
// returns the title and the value the dialog showed on opening.
QStringList EditValue(PanelSettingsDialog& dialog, const char* key, const QString& typed, const char* buttonName) {
    QStringList seen;
    WhenModal([&seen, typed, buttonName](QWidget* modal) {
        auto* value = qobject_cast<ValueDialog*>(modal);
        QVERIFY(value);
        seen << value->windowTitle() << value->valueText();
        if (!typed.isNull()) Retype(value->field()->findChild<QLineEdit*>(), typed);
        ClickButton(*value, buttonName);
    });
    QTest::mouseClick(dialog.valueButton(QString::fromLatin1(key)), Qt::LeftButton);
    return seen;
}

}  // namespace

class PanelSettingsDialogTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<SettingsStore> store;

    std::unique_ptr<PanelSettingsDialog> open() {
        auto dialog = std::make_unique<PanelSettingsDialog>(*store);
        dialog->show();
        return dialog;
    }

private slots:
    void init() {
        message_box_test::Enable(true);
        store = std::make_unique<SettingsStore>();
        ApplyDefaultSettings(*store);
    }
    void cleanup() {
        store.reset();
        message_box_test::Enable(false);
    }

    // The rules filter what is typed or pasted only: characters already in a field stay, however
    // they got there. A number of zones or a contractor code above what the panel holds can't be
    // typed; a code of fewer than six digits is unfinished.
    void typingRulesFilterOnlyWhatIsTypedOrPasted() {
        enum Rule { Digits, Zones, Code, Serial };
        const struct {
            Rule rule;
            const char* stored;
            const char* typed;  // "\b" is Backspace
            const char* pasted;
            const char* shown;
            bool acceptable;
        } cases[] = {
            {Digits, "HV-017", "\b", "", "HV-01", true},
            {Digits, "HV-017", "x9", "", "HV-0179", true},
            {Digits, "", "", "12a3-4", "1234", true},
            {Zones, "", "99", "", "9", true},
            {Zones, "", "3a2", "", "32", true},
            {Code, "", "1250346", "", "1234", false},
            {Code, "", "", "1-2-3", "123", false},
            {Code, "432000", "\b", "", "43200", false},
            {Code, "", "412341", "", "412341", true},
            {Serial, "", "ab-12", "", "AB12", true},
            {Serial, "ZZ-12345", "\b", "", "ZZ-1234", true},
            {Serial, "", "0A1B2C3D4E", "", "0A1B2C3D", true},
        };
        for (const auto& c : cases) {
            QLineEdit field;
            field.setText(QString::fromLatin1(c.stored));
            switch (c.rule) {
                case Digits:
                    MakeDigitsField(&field);
                    break;
                case Zones:
                    MakeDigitsField(&field, 32);
                    break;
                case Code:
                    MakeAccessCodeField(&field);
                    break;
                case Serial:
                    MakeHexSerialField(&field);
                    break;
            }
            if (std::string_view(c.typed) == "\b") {
                QTest::keyClick(&field, Qt::Key_Backspace);
            } else {
                QTest::keyClicks(&field, QString::fromLatin1(c.typed));
            }
            field.insert(QString::fromLatin1(c.pasted));  // as pasting does
            QCOMPARE(field.text(), QString::fromLatin1(c.shown));
            QCOMPARE(field.hasAcceptableInput(), c.acceptable);
        }
    }

    // OK refuses, naming the field, a value the panel could not hold, typed or stored, and writes nothing.
    void okRefusesValuesThePanelCannotHold_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("typed");  // null: left as stored
        QTest::addColumn<QString>("refusal");
        const QString code = QStringLiteral(" must be six digits, each 1 to 4");
        QTest::newRow("short code") << "UserCode2" << QString() << "1234"
                                    << "User code 2" + code;
        QTest::newRow("stored code with 0") << "AdvancedCode"
                                            << "432000" << QString() << "Advanced code" + code;
        QTest::newRow("no serial") << "PanelSnum" << QString() << ""
                                   << "Serial number must be 1 to 8 hexadecimal digits";
        QTest::newRow("stored serial") << "PanelSnum"
                                       << "ZZ-12345" << QString() << "Serial number must be 1 to 8 hexadecimal digits";
        QTest::newRow("no zones") << "NumZones" << QString() << "0"
                                  << "Number of zones must be 1 to 32";
        QTest::newRow("no contractor") << "ContractorCode" << QString() << ""
                                       << "Panel contractor must be 0 to 65535";
    }
    void okRefusesValuesThePanelCannotHold() {
        QFETCH(QString, key);
        QFETCH(QString, stored);
        QFETCH(QString, typed);
        QFETCH(QString, refusal);
        const QByteArray name = key.toLatin1();
        if (!stored.isNull()) (*store).put(name.constData(), stored.toLatin1().toStdString());
        const std::uint64_t before = (*store).fingerprint();
        auto dialog = open();
        Click(*dialog, "FlashOnPoll");
        if (!typed.isNull()) Retype(dialog->textField(key), typed);
        ClickButton(*dialog, "okButton");
        const auto shown = message_box_test::TakeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, refusal);
        QVERIFY(dialog->isVisible());
        QCOMPARE((*store).fingerprint(), before);
    }

    void accessCodesRefuseDigitsOutsideOneToFour() {
        (*store).put("UserCode", "");
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
        QCOMPARE(code->cursorPosition(), 2);
        QTest::keyClicks(code, QStringLiteral("4411"));
        QCOMPARE(code->text(), QStringLiteral("124434"));
        ClickButton(*dialog, "okButton");
        ExpectStored(*store, {{"UserCode", "124434"}, {"EngineerCode", "423311"}});
    }

    // A list shows the stored item, or nothing when the value is missing or outside it; such values
    // survive an OK untouched, and a choice the user makes is written.
    void listsSelectTheStoredItemOrNothing() {
        const struct {
            const char* key;
            const char* value;
            const char* shown;
        } lists[] = {{"Language", "12", "Danish"},     {"FireRelayMode", "2", "Energise on Manual fires only"},
                     {"BeaconFlashrate", nullptr, ""}, {"MaxLoggedDev", "150", ""},
                     {"FaultRelayMode", "3", ""},      {"DisplayMode", "-1", ""}};
        for (const auto& list : lists) Put(*store, {{list.key, list.value}});
        auto dialog = open();
        for (const auto& list : lists) {
            QCOMPARE(dialog->listField(QString::fromLatin1(list.key))->currentText(), QString::fromLatin1(list.shown));
        }
        ClickButton(*dialog, "okButton");
        for (const auto& list : lists) {
            QCOMPARE(Stored(*store, list.key), list.value ? QString::fromLatin1(list.value) : "<missing>");
        }

        dialog = open();
        ListField* rate = dialog->listField(QStringLiteral("BeaconFlashrate"));
        rate->setFocus();
        QTest::keyClick(rate, Qt::Key_Down);
        QCOMPARE(rate->currentText(), QStringLiteral("1 Second"));
        QTest::keyClick(rate, Qt::Key_Down);
        dialog->listField(QStringLiteral("MaxLoggedDev"))->setCurrentIndex(2);
        ClickButton(*dialog, "okButton");
        ExpectStored(*store, {{"BeaconFlashrate", "2"}, {"MaxLoggedDev", "192"}});
    }

    void remoteAlarmInputStaysOffWhileADeviceUsesGroup31() {
        Put(*store, {{"IPGroup_17", "31"}, {"RemoteAlarmInput", "1"}, {"RaiControl", "1"}});
        auto dialog = open();
        QCOMPARE(States(*dialog, {"RemoteAlarmInput", "RaiControl"}), QStringLiteral("-0 -0"));
        // Turning the day/night choice on and off again does not free group 31, and says so.
        Click(*dialog, "DayNightIp");
        Click(*dialog, "DayNightIp");
        QCOMPARE(States(*dialog, {"RemoteAlarmInput", "RaiControl"}), QStringLiteral("-0 -0"));
        ClickButton(*dialog, "okButton");
        ExpectStored(*store, {{"RemoteAlarmInput", "0"}, {"RaiControl", "0"}});
    }

    // Remote alarm input, its control choice and the day/night input.
    void remoteAlarmInputBoxesFollowEachOther() {
        Put(*store, {{"RemoteAlarmInput", "0"}, {"RaiControl", "1"}, {"DayNightIp", "0"}});
        auto dialog = open();
        const auto states = [&dialog] { return States(*dialog, {"RemoteAlarmInput", "RaiControl", "DayNightIp"}); };
        QCOMPARE(states(), QStringLiteral("e0 -0 e0"));
        const struct {
            const char* click;
            const char* after;
        } steps[] = {
            {"RemoteAlarmInput", "e1 e0 e0"}, {"RaiControl", "e1 e1 e0"},       {"RemoteAlarmInput", "e0 -0 e0"},
            {"RemoteAlarmInput", "e1 e0 e0"}, {"RaiControl", "e1 e1 e0"},       {"DayNightIp", "-0 -0 e1"},
            {"DayNightIp", "e0 -0 e0"},       {"RemoteAlarmInput", "e1 e0 e0"}, {"RaiControl", "e1 e1 e0"}};
        for (const auto& step : steps) {
            Click(*dialog, step.click);
            QCOMPARE(states(), QString::fromLatin1(step.after));
        }
        ClickButton(*dialog, "okButton");
        ExpectStored(*store, {{"RemoteAlarmInput", "1"}, {"RaiControl", "1"}, {"DayNightIp", "0"}});
    }

    void openingRulesForDayNightClassChangeBeaconAndSerial() {
        Put(*store, {{"DayNightIp", "1"}, {"RemoteAlarmInput", "1"}, {"IPGroup_5", "30"}, {"ClassChange", "1"}});
        Put(*store, {{"Beacon", "1"}, {"BeaconFlashUntil", "1"}, {"ClassBeacon", "1"}, {"FBP", "1"}, {"Serial", "1"}});
        auto dialog = open();
        const auto states = [&dialog] {
            return States(*dialog, {"DayNightIp", "RemoteAlarmInput", "RaiControl", "ClassChange", "Beacon",
                                    "BeaconFlashUntil", "ClassBeacon", "FBP", "Serial"});
        };
        QCOMPARE(states(), QStringLiteral("e1 -0 -0 -0 e1 -0 -0 e1 -0"));
        Click(*dialog, "Beacon");
        Click(*dialog, "BeaconFlashUntil");
        Click(*dialog, "FBP");
        QCOMPARE(states(), QStringLiteral("e1 -0 -0 -0 e0 e1 e0 e0 e0"));
        Click(*dialog, "Serial");
        Click(*dialog, "FBP");
        QCOMPARE(states(), QStringLiteral("e1 -0 -0 -0 e0 e1 e0 e1 -0"));
        ClickButton(*dialog, "okButton");
        // Disabled boxes count as off.
        ExpectStored(*store, {{"ClassChange", "0"}, {"ClassBeacon", "0"}, {"BeaconFlashUntil", "1"}});
        ExpectStored(*store, {{"Beacon", "0"}, {"FBP", "1"}, {"Serial", "0"}});
    }

    // Tab goes down each column of groups in turn; shown-only fields take no tab stop.
    void tabFollowsTheVisualOrder() {
        auto dialog = open();
        const QStringList walked = TabWalk(dialog->textField(QStringLiteral("PanelSnum")), 60);
        const QStringList start = {QStringLiteral("ContractorCode"), QStringLiteral("PanelType"),
                                   QStringLiteral("NumZones"),       QStringLiteral("OverlayType"),
                                   QStringLiteral("Language"),       QStringLiteral("MaxLoggedDev"),
                                   QStringLiteral("UserCode")};
        QCOMPARE(walked.mid(0, start.size()), start);
        const qsizetype ok = walked.indexOf(QStringLiteral("okButton"));
        QCOMPARE(walked.mid(ok - 1, 3),
                 (QStringList{QStringLiteral("Serial"), QStringLiteral("okButton"), QStringLiteral("PanelSnum")}));
        QVERIFY(walked.indexOf(QStringLiteral("DisplayMode")) < walked.indexOf(QStringLiteral("FireLinkDelay")));
        QVERIFY(walked.indexOf(QStringLiteral("DayNightOffTime")) < walked.indexOf(QStringLiteral("BeaconFlashrate")));
        QVERIFY(!walked.contains(QStringLiteral("SFRevision")) && !walked.contains(QStringLiteral("AlarmCount")));
    }

    void valueButtonsEditTheirKeyAtOnce() {
        (*store).put("SearchTime", "2:00");
        auto dialog = open();
        const QStringList seen = EditValue(*dialog, "SearchTime", QStringLiteral("7:03"), "okButton");
        QCOMPARE(seen, (QStringList{QStringLiteral("Adjust search time (m:ss)"), QStringLiteral("2:00")}));
        QCOMPARE(Stored(*store, "SearchTime"), QStringLiteral("7:00"));
        QCOMPARE(dialog->valueButton(QStringLiteral("SearchTime"))->text(), QStringLiteral("7:00"));
        EditValue(*dialog, "WalkTestTimeout", QStringLiteral("45"), "okButton");
        QCOMPARE(Stored(*store, "WalkTestTimeout"), QStringLiteral("30"));
        QCOMPARE(dialog->valueButton(QStringLiteral("WalkTestTimeout"))->text(), QStringLiteral("30s"));

        // The value dialog's OK stands even when the panel dialog is then closed without OK.
        EditValue(*dialog, "DayNightOnTime", QStringLiteral("6:45"), "okButton");
        EditValue(*dialog, "DayNightOnTime", QStringLiteral("9:00"), "cancelButton");
        dialog->reject();
        QCOMPARE(Stored(*store, "DayNightOnTime"), QStringLiteral("6:45"));
    }

    // A missing value shows as "???"; its dialog opens on the default, which stands even when cancelled.
    void missingValueKeysTakeTheirDefaultWhenEdited() {
        (*store).erase("PulseOnTime");
        auto dialog = open();
        QCOMPARE(dialog->valueButton(QStringLiteral("PulseOnTime"))->text(), QStringLiteral("???"));
        QCOMPARE(EditValue(*dialog, "PulseOnTime", QString(), "cancelButton").value(1), QStringLiteral("1.0"));
        QCOMPARE(Stored(*store, "PulseOnTime"), QStringLiteral("1.0"));
        QCOMPARE(dialog->valueButton(QStringLiteral("PulseOnTime"))->text(), QStringLiteral("1.0s"));
    }

    void closingWithoutOkWritesNoField() {
        auto dialog = open();
        const std::uint64_t before = (*store).fingerprint();
        Retype(dialog->textField(QStringLiteral("ContractorCode")), QStringLiteral("4711"));
        Click(*dialog, "FlashOnPoll");
        dialog->listField(QStringLiteral("Language"))->setCurrentIndex(3);
        dialog->close();
        QCOMPARE((*store).fingerprint(), before);
    }

    void okWritesEveryField() {
        Put(*store, {{"TsElectronic", "1"}, {"SFRevision", "2"}, {"AlarmCount", "17"}});
        auto dialog = open();
        Click(*dialog, "TsBellSound");  // one of three tones
        Click(*dialog, "MaleVoice");
        dialog->listField(QStringLiteral("PanelType"))->setCurrentIndex(1);
        dialog->listField(QStringLiteral("PulsingAlarmTimeoutTone"))->setCurrentIndex(3);
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        SavePng(dialog.get(), QStringLiteral("panel_settings"));
        ClickButton(*dialog, "okButton");
        QVERIFY(!dialog->isVisible());
        ExpectStored(*store, {{"TsBellSound", "1"}, {"TsElectronic", "0"}, {"TsSpokenMess", "0"}});
        ExpectStored(*store, {{"MaleVoice", "1"}, {"PanelType", "1"}, {"PulsingAlarmTimeoutTone", "3"}});
        ExpectStored(*store, {{"2ndKnock", "0"}, {"FireLinkDelay", "0:00"}, {"FaultRelayMode", "0"}});
    }
};

QTEST_MAIN(PanelSettingsDialogTest)
#include "PanelSettingsDialogTest.moc"
