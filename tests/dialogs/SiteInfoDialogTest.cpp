#include <QPushButton>
#include <QtTest>

#include "DialogTestSupport.h"
#include "settings/DefaultSettings.h"
#include "ui/dialogs/MessageBoxes.h"
#include "ui/dialogs/MultiLineField.h"
#include "ui/dialogs/SiteInfoDialog.h"

using namespace tamrik;
using namespace tamrik::testing;

class SiteInfoDialogTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<SettingsStore> store;

    std::unique_ptr<SiteInfoDialog> open() {
        auto dialog = std::make_unique<SiteInfoDialog>(*store);
        dialog->show();
        return dialog;
    }
    static QLineEdit* line(SiteInfoDialog& dialog, const char* key) {
        return dialog.lineField(QString::fromLatin1(key));
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

    // The two loop limits are checked before anything is written: a refused OK writes nothing and
    // leaves the dialog open. A text that is not a number reads as 0 and passes.
    void loopLimits_data() {
        QTest::addColumn<QString>("resistance");
        QTest::addColumn<QString>("alarm");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("both at their maximum") << "16" << QStringLiteral("0.6") << QString();
        QTest::newRow("not numbers") << "low" << QStringLiteral("n/a") << QString();
        QTest::newRow("resistance over") << "16.5" << QStringLiteral("0.5")
                                         << QStringLiteral("Loop resistance must be 16 Ohms or less");
        QTest::newRow("alarm current over")
            << "12" << QStringLiteral("0.61") << QStringLiteral("Loop alarm current must be 0.6A or less");
        QTest::newRow("resistance in exponent form")
            << "+1.7e1" << QStringLiteral("0") << QStringLiteral("Loop resistance must be 16 Ohms or less");
    }
    void loopLimits() {
        QFETCH(QString, resistance);
        QFETCH(QString, alarm);
        QFETCH(QString, refusal);
        const std::uint64_t before = (*store).fingerprint();
        auto dialog = open();
        Retype(line(*dialog, "SiteName"), QStringLiteral("North depot"));
        Retype(line(*dialog, "SiteResistance"), resistance);
        Retype(line(*dialog, "SiteAlarm"), alarm);
        ClickButton(*dialog, "okButton");
        const auto shown = message_box_test::TakeShown();
        if (refusal.isEmpty()) {
            QVERIFY(shown.isEmpty());
            QVERIFY(!dialog->isVisible());
            QCOMPARE(Stored(*store, "SiteResistance"), resistance);
            QCOMPARE(Stored(*store, "SiteAlarm"), alarm);
            QCOMPARE(Stored(*store, "SiteName"), QStringLiteral("North depot"));
            return;
        }
        QVERIFY(dialog->isVisible());
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].title, QStringLiteral("5300 Commissioning software Error"));
        QCOMPARE(shown[0].text, refusal);
        QCOMPARE(shown[0].icon, BoxIcon::Error);
        QCOMPARE((*store).fingerprint(), before);

        // Corrected, the next OK writes every field.
        Retype(line(*dialog, "SiteResistance"), QStringLiteral("15.9"));
        Retype(line(*dialog, "SiteAlarm"), QStringLiteral("0.6"));
        ClickButton(*dialog, "okButton");
        QVERIFY(!dialog->isVisible());
        QCOMPARE(Stored(*store, "SiteResistance"), QStringLiteral("15.9"));
        QCOMPARE(Stored(*store, "SiteName"), QStringLiteral("North depot"));
    }

    // The limits are what the panel's site data image carries; digits-only fields filter what is
    // typed and keep what was there.
    void typingLimitsAndDigitsOnlyFields() {
        (*store).put("FirmwareVersion", "1.240 / 2.019");
        (*store).put("SitePhone", "HV-017");
        auto dialog = open();
        QTest::keyClick(line(*dialog, "SitePhone"), Qt::Key_Backspace);
        QCOMPARE(line(*dialog, "SitePhone")->text(), QStringLiteral("HV-01"));
        line(*dialog, "SitePhone")->clear();
        QTest::keyClicks(line(*dialog, "SiteName"), QString(40, QLatin1Char('N')));
        QTest::keyClicks(line(*dialog, "SiteNumber"), QStringLiteral("12a-345678"));
        QTest::keyClicks(line(*dialog, "SitePhone"), QStringLiteral("+44 (0)1234 567890 123"));
        QTest::keyClicks(line(*dialog, "SitePostcode"), QStringLiteral("AB12 3CDXYZ"));
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        SavePng(dialog.get(), QStringLiteral("site_info"));
        ClickButton(*dialog, "okButton");
        QCOMPARE(Stored(*store, "SiteName"), QString(31, QLatin1Char('N')));
        ExpectStored(*store, {{"SiteNumber", "123456"}, {"SitePhone", "440123456789012"}, {"SitePostcode", "AB12 3C"}});
        ExpectStored(*store, {{"FirmwareVersion", "1.240 / 2.019"}});  // shown, never written
    }

    // Opening and confirming never shortens what a site file already holds.
    void storedTextsLongerThanTheLimitSurviveAnUntouchedOk() {
        const std::string longName(50, 'L');
        const std::string longAddress = "1 High Street\r\n" + std::string(70, 'A');
        (*store).put("SiteName", longName);
        (*store).put("SiteAddress", longAddress);
        auto dialog = open();
        ClickButton(*dialog, "okButton");
        QCOMPARE(Stored(*store, "SiteName"), QString::fromStdString(longName));
        QCOMPARE(Stored(*store, "SiteAddress"), QString::fromStdString(longAddress));
    }

    void lineBreaksAreStoredAsCrLfAndCountTwice() {
        auto dialog = open();
        MultiLineField* address = dialog->multiLineField(QStringLiteral("SiteAddress"));
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
        ExpectStored(*store, {{"SiteAddress", "1 High Street\r\nLeeds"}, {"SiteComments", "a\r\n\r\nb"}});
        dialog = open();
        address = dialog->multiLineField(QStringLiteral("SiteAddress"));
        QCOMPARE(address->toPlainText(), QStringLiteral("1 High Street\nLeeds"));

        // Each line break counts two characters against the limit of 63, as it does in the stored value.
        address->clear();
        QTest::keyClicks(address, QString(60, QLatin1Char('x')));
        QTest::keyClick(address, Qt::Key_Return);
        QCOMPARE(address->storedLength(), 62);
        QTest::keyClick(address, Qt::Key_Return);
        QTest::keyClicks(address, QStringLiteral("yz"));
        QCOMPARE(address->storedText(), QString(60, QLatin1Char('x')) + QStringLiteral("\r\ny"));
    }

    // Tab goes down the site column, then the right-hand groups, then to the buttons and round;
    // Shift+Tab goes back. The shown-only firmware version is passed over.
    void tabFollowsTheVisualOrder() {
        auto dialog = open();
        const QStringList walked = TabWalk(line(*dialog, "SiteNumber"), 17);
        QCOMPARE(walked.mid(0, 2), (QStringList{"SiteName", "SiteContact"}));
        QCOMPARE(walked.mid(13), (QStringList{"SiteBatteryInstallation", "okButton", "cancelButton", "SiteNumber"}));
        QCOMPARE(TabWalk(line(*dialog, "SiteName"), 2, true), (QStringList{"SiteNumber", "cancelButton"}));
        QVERIFY(!walked.contains(QStringLiteral("FirmwareVersion")));
    }

    void cancelWritesNothing() {
        (*store).erase("SiteEngineer");
        const std::uint64_t before = (*store).fingerprint();
        auto dialog = open();
        Retype(line(*dialog, "SiteName"), QStringLiteral("Changed"));
        QTest::keyClicks(line(*dialog, "SiteEngineer"), QStringLiteral("Ann"));
        ClickButton(*dialog, "cancelButton");
        QVERIFY(!dialog->isVisible());
        QCOMPARE((*store).fingerprint(), before);
    }
};

QTEST_MAIN(SiteInfoDialogTest)
#include "SiteInfoDialogTest.moc"
