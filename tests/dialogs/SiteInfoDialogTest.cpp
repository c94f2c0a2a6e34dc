#include <QPushButton>
#include <QtTest>

#include "DialogTestSupport.h"
#include "ui/dialogs/MultiLineField.h"
#include "ui/dialogs/SiteInfoDialog.h"

using namespace tamrik;
using namespace tamrik::testing;

namespace {

QLineEdit* Line(SiteInfoDialog& dialog, const char* key) { return dialog.lineField(QString::fromLatin1(key)); }

}  // namespace

class SiteInfoDialogTest : public QObject {
    Q_OBJECT

private slots:
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

    // The limits are what the panel's site data image carries; digits-only fields filter what is
    // typed and keep what was there. Opening and confirming never shortens what a site file holds.
    void typingLimitsAndDigitsOnlyFields() {
        DialogSite site;
        Put(site.store, {{"FirmwareVersion", "1.240 / 2.019"},
                         {"SitePhone", "HV-017"},
                         {"SiteContact", "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"}});
        auto dialog = site.open<SiteInfoDialog>();
        QTest::keyClick(Line(*dialog, "SitePhone"), Qt::Key_Backspace);
        QCOMPARE(Line(*dialog, "SitePhone")->text(), QStringLiteral("HV-01"));
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
};

QTEST_MAIN(SiteInfoDialogTest)
#include "SiteInfoDialogTest.moc"
