#include <QCheckBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QtTest>

#include "DialogTestSupport.h"
#include "ui/dialogs/ListField.h"
#include "ui/dialogs/MultiLineField.h"
#include "ui/dialogs/PanelSettingsDialog.h"
#include "ui/dialogs/SiteInfoDialog.h"
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

QLineEdit* EditOf(ValueDialog& dialog) { return dialog.field()->findChild<QLineEdit*>(); }

// Opens the value dialog of `key`'s button, types `typed` into it (unless null) and presses `buttonName`;
// returns the value the dialog showed on opening.
QString EditValue(PanelSettingsDialog& dialog, const char* key, const QString& typed, const char* buttonName) {
    QString seen;
    WhenModal([&seen, typed, buttonName](QWidget* modal) {
        auto* value = qobject_cast<ValueDialog*>(modal);
        QVERIFY(value);
        seen = value->valueText();
        if (!typed.isNull()) Retype(EditOf(*value), typed);
        ClickButton(*value, buttonName);
    });
    QTest::mouseClick(dialog.valueButton(QString::fromLatin1(key)), Qt::LeftButton);
    return seen;
}

QLineEdit* Line(SiteInfoDialog& dialog, const char* key) { return dialog.lineField(QString::fromLatin1(key)); }

using Kind = ValueDialog::Kind;

// Clicks the up or down arrow of the field's up-down control.
void ClickArrow(StepField* field, bool up) {
    QStyleOptionSpinBox option;
    option.initFrom(field);
    option.subControls = QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown;
    option.stepEnabled = QAbstractSpinBox::StepUpEnabled | QAbstractSpinBox::StepDownEnabled;
    option.frame = true;
    const QRect arrow = field->style()->subControlRect(QStyle::CC_SpinBox, &option,
                                                       up ? QStyle::SC_SpinBoxUp : QStyle::SC_SpinBoxDown, field);
    QTest::mouseClick(field, Qt::LeftButton, {}, arrow.center());
}

}  // namespace

// The panel settings dialog with its value dialogs, the site information dialog, and the tab order of
// every form dialog.
class SettingsDialogsTest : public QObject {
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

    // The two loop limits are checked before anything is written: a refused OK writes nothing, leaves
    // the dialog open, and Cancel then writes nothing either. A text that is not a number reads as 0.
    void loopLimitsAreCheckedBeforeAnythingIsWritten() {
        const struct {
            const char* resistance;
            const char* alarm;
            const char* refusal;  // null: accepted
        } cases[] = {
            {"16", "0.6", nullptr},
            {"low", "n/a", nullptr},
            {"16.5", "0.5", "Loop resistance must be 16 Ohms or less"},
            {"12", "0.61", "Loop alarm current must be 0.6A or less"},
            {"+1.7e1", "0", "Loop resistance must be 16 Ohms or less"},
        };
        for (const auto& [resistance, alarm, refusal] : cases) {
            DialogSite site;
            site.store.erase("SiteEngineer");
            const std::uint64_t before = site.store.fingerprint();
            auto dialog = site.open<SiteInfoDialog>();
            Retype(Line(*dialog, "SiteName"), QStringLiteral("North depot"));
            Retype(Line(*dialog, "SiteResistance"), QString::fromLatin1(resistance));
            Retype(Line(*dialog, "SiteAlarm"), QString::fromLatin1(alarm));
            ClickButton(*dialog, "okButton");
            const auto shown = message_box_test::TakeShown();
            if (!refusal) {
                QVERIFY2(shown.isEmpty() && !dialog->isVisible(), resistance);
                ExpectStored(site.store,
                             {{"SiteResistance", resistance}, {"SiteAlarm", alarm}, {"SiteName", "North depot"}});
                continue;
            }
            QVERIFY2(shown.size() == 1 && shown[0].text == QString::fromLatin1(refusal), resistance);
            QCOMPARE(shown[0].icon, BoxIcon::Error);
            QVERIFY(dialog->isVisible());
            QCOMPARE(site.store.fingerprint(), before);
            ClickButton(*dialog, "cancelButton");
            QVERIFY(!dialog->isVisible());
            QCOMPARE(site.store.fingerprint(), before);
        }
    }

    // The limits are what the panel's site data image carries; opening and confirming never shortens
    // what a site file holds.
    void typingLimitsAndDigitsOnlyFields() {
        DialogSite site;
        Put(site.store, {{"FirmwareVersion", "1.240 / 2.019"},
                         {"SitePhone", "HV-017"},
                         {"SiteContact", "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"}});
        auto dialog = site.open<SiteInfoDialog>();
        Line(*dialog, "SitePhone")->clear();
        QTest::keyClicks(Line(*dialog, "SiteName"), QString(40, QLatin1Char('N')));
        QTest::keyClicks(Line(*dialog, "SiteNumber"), QStringLiteral("12a-345678"));
        QTest::keyClicks(Line(*dialog, "SitePhone"), QStringLiteral("+44 (0)1234 567890 123"));
        QTest::keyClicks(Line(*dialog, "SitePostcode"), QStringLiteral("AB12 3CDXYZ"));
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        SavePng(dialog.get(), QStringLiteral("site_info"));
        ClickButton(*dialog, "okButton");
        QCOMPARE(Stored(site.store, "SiteName"), QString(31, QLatin1Char('N')));
        ExpectStored(site.store,
                     {{"SiteNumber", "123456"}, {"SitePhone", "440123456789012"}, {"SitePostcode", "AB12 3C"}});
        ExpectStored(site.store, {{"FirmwareVersion", "1.240 / 2.019"},
                                  {"SiteContact", "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"}});
    }

    // Line breaks are stored as CR LF and count two characters against the limit of 63, as they do in
    // the stored value; a stored address longer than that survives an untouched OK.
    void lineBreaksAreStoredAsCrLfAndCountTwice() {
        DialogSite site;
        const char* const longAddress =
            "1 High Street\r\nAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA";
        site.store.put("SiteAddress", longAddress);
        auto dialog = site.open<SiteInfoDialog>();
        ClickButton(*dialog, "okButton");
        ExpectStored(site.store, {{"SiteAddress", longAddress}});
        dialog = site.open<SiteInfoDialog>();
        MultiLineField* address = dialog->multiLineField(QStringLiteral("SiteAddress"));
        address->clear();
        address->setFocus();
        QTest::keyClicks(address, QStringLiteral("1 High Street"));
        QTest::keyClick(address, Qt::Key_Return);
        QTest::keyClicks(address, QStringLiteral("Leeds"));
        MultiLineField* comments = dialog->multiLineField(QStringLiteral("SiteComments"));
        QTest::keyClicks(comments, QStringLiteral("a"));
        QTest::keyClick(comments, Qt::Key_Enter);
        QTest::keyClick(comments, Qt::Key_Enter);
        QTest::keyClicks(comments, QStringLiteral("b"));
        ClickButton(*dialog, "okButton");
        ExpectStored(site.store, {{"SiteAddress", "1 High Street\r\nLeeds"}, {"SiteComments", "a\r\n\r\nb"}});
        dialog = site.open<SiteInfoDialog>();
        address = dialog->multiLineField(QStringLiteral("SiteAddress"));
        QCOMPARE(address->toPlainText(), QStringLiteral("1 High Street\nLeeds"));

        address->clear();
        QTest::keyClicks(address, QString(60, QLatin1Char('x')));
        QTest::keyClick(address, Qt::Key_Return);
        QCOMPARE(address->storedLength(), 62);
        QTest::keyClick(address, Qt::Key_Return);
        QTest::keyClicks(address, QStringLiteral("yz"));
        QCOMPARE(address->storedText(), QString(60, QLatin1Char('x')) + QStringLiteral("\r\ny"));
    }

    // Tab goes round each dialog in the order its fields are shown (down each column of groups in
    // turn, then the buttons) and Shift+Tab goes back the same way; fields that only show a value
    // take no tab stop. In the expected orders "..." stands for any run of fields.
    void tabFollowsTheVisualOrderInEveryDialog() {
        DialogSite site;
        PanelSettingsDialog settings(site.store);
        SiteInfoDialog info(site.store);
        ValueDialog value(ValueDialog::Kind::MinSec, {QString(), QStringLiteral("1:00"), 0, 600, 5});
        const struct {
            QDialog* dialog;
            const char* order;
        } cases[] = {
            {&settings,
             "PanelSnum ContractorCode PanelType NumZones OverlayType Language MaxLoggedDev UserCode ... "
             "DisplayMode FireLinkDelay ... DayNightOffTime BeaconFlashrate ... Serial okButton"},
            {&info, "SiteNumber SiteName SiteContact ... SiteBatteryInstallation okButton cancelButton"},
            {&value, "valueField noDelayButton okButton cancelButton"},
        };
        for (const auto& [dialog, order] : cases) {
            const QStringList parts = QString::fromLatin1(order).split(QStringLiteral(" ... "));
            dialog->show();
            QApplication::setActiveWindow(dialog);
            QVERIFY(QTest::qWaitForWindowActive(dialog));
            // It opens on its first field, so that typing goes there and Enter does not accept at once.
            QCOMPARE(QApplication::focusWidget()->objectName(), parts[0].section(' ', 0, 0));
            const QString cycle = TabCycle(dialog->findChild<QWidget*>(parts[0].section(' ', 0, 0)));
            QStringList escaped;
            for (const QString& part : parts) escaped << QRegularExpression::escape(part);
            const QRegularExpression expected('^' + escaped.join(QStringLiteral("(?: \\S+)* ")) + '$');
            QVERIFY2(expected.match(cycle).hasMatch(), qPrintable(cycle));
            for (const QLineEdit* field : dialog->findChildren<QLineEdit*>()) {
                QVERIFY2(!field->isReadOnly() || !cycle.split(' ').contains(field->objectName()),
                         qPrintable(field->objectName()));
            }
            dialog->hide();
        }
    }

    // Each kind steps and normalises by its own rule within the limits it was given: the up arrow and
    // the Down key step, and OK lowers to the maximum, raises to the minimum and rounds down to the
    // step. The step rules themselves are the core's; this is about which rule and limits a dialog uses.
    void valuesStayWithinTheLimits() {
        const struct {
            Kind kind;
            const char* value;
            const char* typed;  // null: nothing typed
            int ups, downs, minimum, maximum, step;
            const char* confirmed;
        } cases[] = {
            {Kind::MinSec, "1", "7:03", 0, 0, 0, 600, 5, "7:00"},
            {Kind::MinSec, "1", "12:00", 0, 0, 0, 600, 5, "10:00"},
            {Kind::MinSec, "1", "0:0099", 0, 0, 0, 600, 5, "0:05"},  // five characters at most
            // Without a colon the text is a number of seconds, not left as typed (the panel image would
            // read that as no delay).
            {Kind::MinSec, "1", "93", 0, 0, 0, 600, 5, "1:30"},
            {Kind::MinSec, "9:55", nullptr, 2, 2, 0, 600, 5, "9:50"},
            {Kind::Number, "1", "0", 0, 0, 1, 30, 1, "1"},
            {Kind::Number, "1", "47", 0, 0, 0, 255, 10, "40"},
            {Kind::Number, "254", nullptr, 2, 1, 0, 255, 1, "254"},
            {Kind::PulseTime, "1", "3.26", 0, 0, 0, 255, 1, "3.0"},
            {Kind::Clock, "1", "25:70", 0, 0, 0, 1439, 1, "0:00"},
            {Kind::Clock, "23:59", nullptr, 1, 0, 0, 1439, 1, "0:00"},
            {Kind::Clock, "0:00", nullptr, 0, 1, 0, 1439, 1, "23:59"},
        };
        const char* const pngNames[] = {"value_minsec", "value_number", "value_pulse_time", "value_clock"};
        for (const auto& c : cases) {
            ValueDialog dialog(c.kind, {QString(), QString::fromLatin1(c.value), c.minimum, c.maximum, c.step});
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            SavePng(&dialog, QString::fromLatin1(pngNames[static_cast<int>(c.kind)]));
            for (int i = 0; i < c.ups; ++i) ClickArrow(dialog.field(), true);
            for (int i = 0; i < c.downs; ++i) QTest::keyClick(dialog.field(), Qt::Key_Down);
            if (c.typed) Retype(EditOf(dialog), QString::fromLatin1(c.typed));
            ClickButton(dialog, "okButton");
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QVERIFY2(dialog.valueText() == QString::fromLatin1(c.confirmed), qPrintable(dialog.valueText()));
        }
    }

    void noDelayAndCancelAndEnter() {
        TimeEntryRequest request{QStringLiteral("Adjust search time (m:ss)"), QStringLiteral("2:00"), 0, 600, 5};
        ValueDialog dialog(Kind::MinSec, request);
        dialog.show();
        ClickButton(dialog, "noDelayButton");
        QCOMPARE(dialog.valueText(), QStringLiteral("0:00"));
        QVERIFY(dialog.isVisible());

        // Cancel hands nothing back; Enter confirms the normalised text.
        for (const bool enter : {false, true}) {
            WhenModal([enter](QWidget* modal) {
                auto* value = qobject_cast<ValueDialog*>(modal);
                QVERIFY(value);
                Retype(EditOf(*value), QStringLiteral("5:02"));
                enter ? QTest::keyClick(EditOf(*value), Qt::Key_Return) : ClickButton(*value, "cancelButton");
            });
            QCOMPARE(MinSecDialog(nullptr, request), enter);
            QCOMPARE(request.value, enter ? QStringLiteral("5:00") : QStringLiteral("2:00"));
        }
    }
};

QTEST_MAIN(SettingsDialogsTest)
#include "SettingsDialogsTest.moc"
