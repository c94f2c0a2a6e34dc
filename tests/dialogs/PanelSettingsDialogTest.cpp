#include <QCheckBox>
#include <QPushButton>
#include <QtTest>

#include "DialogTestSupport.h"
#include "ui/dialogs/ListField.h"
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

// The state of each box, comma-separated: "e" enabled or "-" disabled, then "1" checked or "0".
QString States(PanelSettingsDialog& dialog, const char* keys) {
    QStringList states;
    for (const QString& key : QString::fromLatin1(keys).split(' ')) {
        const QAbstractButton* box = dialog.checkField(key);
        states << QStringLiteral("%1%2").arg(box->isEnabled() ? 'e' : '-').arg(box->isChecked() ? '1' : '0');
    }
    return states.join(QLatin1Char(','));
}

// Opens the value dialog of `key`'s button, types `typed` into it (unless null) and presses `buttonName`;
// returns the value the dialog showed on opening.
QString EditValue(PanelSettingsDialog& dialog, const char* key, const QString& typed, const char* buttonName) {
    QString seen;
    WhenModal([&seen, typed, buttonName](QWidget* modal) {
        auto* value = qobject_cast<ValueDialog*>(modal);
        QVERIFY(value);
        seen = value->valueText();
        if (!typed.isNull()) Retype(value->field()->findChild<QLineEdit*>(), typed);
        ClickButton(*value, buttonName);
    });
    QTest::mouseClick(dialog.valueButton(QString::fromLatin1(key)), Qt::LeftButton);
    return seen;
}

}  // namespace

class PanelSettingsDialogTest : public QObject {
    Q_OBJECT

private slots:
    // The rules filter what is typed or pasted only: characters already in a field stay, however
    // they got there, and so do the digits after a refused one. A number of zones or a contractor
    // code above what the panel holds can't be typed; a code of fewer than six digits is unfinished.
    void typingRulesFilterOnlyWhatIsTypedOrPasted() {
        using Rule = void (*)(QLineEdit*);
        const Rule digits = [](QLineEdit* field) { MakeDigitsField(field); };
        const Rule zones = [](QLineEdit* field) { MakeDigitsField(field, 32); };
        const Rule code = MakeAccessCodeField, serial = MakeHexSerialField;
        const struct {
            Rule rule;
            const char* stored;
            int cursor;         // where typing starts; -1: at the end
            const char* typed;  // "\b" is Backspace
            const char* pasted;
            const char* shown;
            bool acceptable;
        } cases[] = {
            {digits, "HV-017", -1, "\b", "", "HV-01", true},
            {digits, "HV-017", -1, "x9", "", "HV-0179", true},
            {zones, "", -1, "99", "", "9", true},
            {code, "", -1, "1256789034", "", "1234", false},
            {code, "1234", 2, "94411", "", "124434", true},
            {code, "", -1, "", "1-2-3", "123", false},
            {code, "432000", -1, "\b", "", "43200", false},
            {serial, "", -1, "ab-12", "", "AB12", true},
            {serial, "ZZ-12345", -1, "\b", "", "ZZ-1234", true},
            {serial, "", -1, "0A1B2C3D4E", "", "0A1B2C3D", true},
        };
        for (const auto& c : cases) {
            QLineEdit field;
            field.setText(QString::fromLatin1(c.stored));
            c.rule(&field);
            if (c.cursor >= 0) field.setCursorPosition(c.cursor);
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

    // OK refuses, naming the field, a value the panel could not hold, typed or stored, and writes
    // nothing; nor does closing the dialog then.
    void okRefusesValuesThePanelCannotHold() {
        const QString code = QStringLiteral(" must be six digits, each 1 to 4");
        const QString serial = QStringLiteral("Serial number must be 1 to 8 hexadecimal digits");
        const struct {
            const char* key;
            const char* stored;  // null: the default
            const char* typed;   // null: left as stored
            QString refusal;
        } cases[] = {
            {"UserCode2", nullptr, "1234", "User code 2" + code},
            {"AdvancedCode", "432000", nullptr, "Advanced code" + code},
            {"PanelSnum", nullptr, "", serial},
            {"PanelSnum", "ZZ-12345", nullptr, serial},
            {"NumZones", nullptr, "0", QStringLiteral("Number of zones must be 1 to 32")},
            {"ContractorCode", nullptr, "", QStringLiteral("Panel contractor must be 0 to 65535")},
        };
        for (const auto& [key, stored, typed, refusal] : cases) {
            DialogSite site;
            if (stored) site.store.put(key, stored);
            const std::uint64_t before = site.store.fingerprint();
            auto dialog = site.open<PanelSettingsDialog>();
            Click(*dialog, "FlashOnPoll");
            if (typed) Retype(dialog->textField(QString::fromLatin1(key)), QString::fromLatin1(typed));
            ClickButton(*dialog, "okButton");
            const auto shown = message_box_test::TakeShown();
            QVERIFY2(shown.size() == 1 && shown[0].text == refusal, key);
            QVERIFY(dialog->isVisible());
            dialog->close();
            QCOMPARE(site.store.fingerprint(), before);
        }
    }

    // A list shows the stored item, or nothing when the value is missing or outside it; such values
    // survive an OK untouched.
    void listsSelectTheStoredItemOrNothing() {
        DialogSite site;
        const struct {
            const char* key;
            const char* value;
            const char* shown;
        } lists[] = {{"Language", "12", "Danish"},     {"FireRelayMode", "2", "Energise on Manual fires only"},
                     {"BeaconFlashrate", nullptr, ""}, {"MaxLoggedDev", "150", ""},
                     {"FaultRelayMode", "3", ""},      {"DisplayMode", "-1", ""}};
        for (const auto& list : lists) Put(site.store, {{list.key, list.value}});
        auto dialog = site.open<PanelSettingsDialog>();
        for (const auto& list : lists) {
            QCOMPARE(dialog->listField(QString::fromLatin1(list.key))->currentText(), QString::fromLatin1(list.shown));
        }
        ClickButton(*dialog, "okButton");
        for (const auto& list : lists) {
            QCOMPARE(Stored(site.store, list.key), list.value ? QString::fromLatin1(list.value) : "<missing>");
        }
    }

    // Boxes that cannot apply are off and disabled, on opening and as other boxes are clicked, and are
    // written as off: the remote alarm input while a device uses input group 31 or the day/night
    // input takes it, its control choice while it is off, the class change while a device uses
    // group 30, the beacon's options while the beacon is adopted, the serial port while FBP has it.
    void boxesThatCannotApplyAreOffAndDisabled() {
        const struct {
            const char* stored;
            const char* boxes;
            const char* opened;
            const char* clicks;  // box=states after the click, or a box alone
            const char* written;
        } cases[] = {
            {"IPGroup_17=31 RemoteAlarmInput=1 RaiControl=1", "RemoteAlarmInput RaiControl", "-0,-0",
             "DayNightIp DayNightIp=-0,-0", "RemoteAlarmInput=0 RaiControl=0"},
            {"RemoteAlarmInput=0 RaiControl=1 DayNightIp=0", "RemoteAlarmInput RaiControl DayNightIp", "e0,-0,e0",
             "RemoteAlarmInput=e1,e0,e0 RaiControl=e1,e1,e0 RemoteAlarmInput=e0,-0,e0 RemoteAlarmInput=e1,e0,e0 "
             "RaiControl=e1,e1,e0 DayNightIp=-0,-0,e1 DayNightIp=e0,-0,e0 RemoteAlarmInput=e1,e0,e0 "
             "RaiControl=e1,e1,e0",
             "RemoteAlarmInput=1 RaiControl=1 DayNightIp=0"},
            {"DayNightIp=1 RemoteAlarmInput=1 IPGroup_5=30 ClassChange=1 Beacon=1 BeaconFlashUntil=1 ClassBeacon=1 "
             "FBP=1 Serial=1",
             "DayNightIp RemoteAlarmInput RaiControl ClassChange Beacon BeaconFlashUntil ClassBeacon FBP Serial",
             "e1,-0,-0,-0,e1,-0,-0,e1,-0",
             "Beacon BeaconFlashUntil FBP=e1,-0,-0,-0,e0,e1,e0,e0,e0 Serial FBP=e1,-0,-0,-0,e0,e1,e0,e1,-0",
             "ClassChange=0 ClassBeacon=0 BeaconFlashUntil=1 Beacon=0 FBP=1 Serial=0"},
        };
        const auto pairs = [](const char* text) {
            QList<QStringList> split;
            for (const QString& pair : QString::fromLatin1(text).split(' ')) split << pair.split('=');
            return split;
        };
        for (const auto& c : cases) {
            DialogSite site;
            for (const QStringList& pair : pairs(c.stored))
                site.store.put(pair[0].toStdString(), pair[1].toStdString());
            auto dialog = site.open<PanelSettingsDialog>();
            QCOMPARE(States(*dialog, c.boxes), QString::fromLatin1(c.opened));
            for (const QStringList& step : pairs(c.clicks)) {
                Click(*dialog, qPrintable(step[0]));
                QVERIFY2(step.size() == 1 || States(*dialog, c.boxes) == step[1], qPrintable(step.join('=')));
            }
            ClickButton(*dialog, "okButton");
            for (const QStringList& pair : pairs(c.written)) {
                QVERIFY2(Stored(site.store, qPrintable(pair[0])) == pair[1], qPrintable(pair[0]));
            }
        }
    }

    // A value confirmed in its small dialog is written at once and stands even when the panel dialog
    // is then closed without OK. A missing value shows as "???"; its dialog opens on the default,
    // which stands even when cancelled.
    void valueButtonsEditTheirKeyAtOnce() {
        DialogSite site;
        site.store.erase("PulseOnTime");
        auto dialog = site.open<PanelSettingsDialog>();
        EditValue(*dialog, "WalkTestTimeout", QStringLiteral("45"), "okButton");
        QCOMPARE(Stored(site.store, "WalkTestTimeout"), QStringLiteral("30"));
        QCOMPARE(dialog->valueButton(QStringLiteral("WalkTestTimeout"))->text(), QStringLiteral("30s"));
        EditValue(*dialog, "DayNightOnTime", QStringLiteral("6:45"), "okButton");
        EditValue(*dialog, "DayNightOnTime", QStringLiteral("9:00"), "cancelButton");

        QCOMPARE(dialog->valueButton(QStringLiteral("PulseOnTime"))->text(), QStringLiteral("???"));
        QCOMPARE(EditValue(*dialog, "PulseOnTime", QString(), "cancelButton"), QStringLiteral("1.0"));
        QCOMPARE(dialog->valueButton(QStringLiteral("PulseOnTime"))->text(), QStringLiteral("1.0s"));
        dialog->reject();
        ExpectStored(site.store, {{"DayNightOnTime", "6:45"}, {"PulseOnTime", "1.0"}});
    }

    void okWritesEveryField() {
        DialogSite site;
        Put(site.store, {{"TsElectronic", "1"}, {"SFRevision", "2"}, {"AlarmCount", "17"}});
        auto dialog = site.open<PanelSettingsDialog>();
        Click(*dialog, "TsBellSound");  // one of three tones
        Click(*dialog, "MaleVoice");
        dialog->listField(QStringLiteral("PanelType"))->setCurrentIndex(1);
        dialog->listField(QStringLiteral("PulsingAlarmTimeoutTone"))->setCurrentIndex(3);
        dialog->listField(QStringLiteral("MaxLoggedDev"))->setCurrentIndex(2);
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        SavePng(dialog.get(), QStringLiteral("panel_settings"));
        ClickButton(*dialog, "okButton");
        QVERIFY(!dialog->isVisible());
        ExpectStored(site.store, {{"TsBellSound", "1"}, {"TsElectronic", "0"}, {"TsSpokenMess", "0"}});
        ExpectStored(site.store, {{"MaleVoice", "1"}, {"PanelType", "1"}, {"PulsingAlarmTimeoutTone", "3"}});
        ExpectStored(site.store,
                     {{"2ndKnock", "0"}, {"FireLinkDelay", "0:00"}, {"SFRevision", "2"}, {"MaxLoggedDev", "192"}});
    }
};

QTEST_MAIN(PanelSettingsDialogTest)
#include "PanelSettingsDialogTest.moc"
