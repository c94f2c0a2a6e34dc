#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "DialogTestSupport.h"
#include "settings/DefaultSettings.h"
#include "ui/dialogs/MessageBoxes.h"
#include "ui/dialogs/MultiLineField.h"
#include "ui/dialogs/SiteInfoDialog.h"

using namespace tamrik;
using namespace tamrik::testing;

namespace {

void clickButton(QDialog& dialog, const char* name) {
    auto* button = dialog.findChild<QPushButton*>(QString::fromLatin1(name));
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton);
}

void retype(QLineEdit* field, const QString& text) {
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
}

}  // namespace

class SiteInfoDialogTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ScopedStore> store;

    std::unique_ptr<SiteInfoDialog> open() {
        auto dialog = std::make_unique<SiteInfoDialog>(**store);
        dialog->show();
        return dialog;
    }
    QLineEdit* line(SiteInfoDialog& dialog, const char* key) { return dialog.lineField(QString::fromLatin1(key)); }

    // Types a resistance and an alarm current, presses OK and returns the boxes shown.
    QList<message_box_test::Shown> confirmLoop(const QString& resistance, const QString& alarm, bool* closed) {
        auto dialog = open();
        retype(line(*dialog, "SiteName"), QStringLiteral("North depot"));
        retype(line(*dialog, "SiteResistance"), resistance);
        retype(line(*dialog, "SiteAlarm"), alarm);
        retype(line(*dialog, "SiteBattery"), QStringLiteral("Yuasa"));
        clickButton(*dialog, "okButton");
        *closed = !dialog->isVisible();
        return message_box_test::TakeShown();
    }

private slots:
    void init() {
        message_box_test::Enable(true);
        store = std::make_unique<ScopedStore>();
        ApplyDefaultSettings(**store);
    }
    void cleanup() {
        store.reset();
        message_box_test::Enable(false);
    }

    void loopLimitsAcceptTheirMaximum() {
        bool closed = false;
        QVERIFY(confirmLoop(QStringLiteral("16"), QStringLiteral("0.6"), &closed).isEmpty());
        QVERIFY(closed);
        QCOMPARE(Stored(**store, "SiteResistance"), QStringLiteral("16"));
        QCOMPARE(Stored(**store, "SiteAlarm"), QStringLiteral("0.6"));
        QCOMPARE(Stored(**store, "SiteBattery"), QStringLiteral("Yuasa"));
        // A text that is not a number reads as 0 and passes.
        QVERIFY(confirmLoop(QStringLiteral("low"), QStringLiteral("n/a"), &closed).isEmpty());
        QVERIFY(closed);
    }

    void aRefusedOkWritesNothing() {
        const std::uint64_t before = StoreFingerprint(**store);
        bool closed = true;
        auto shown = confirmLoop(QStringLiteral("16.5"), QStringLiteral("0.5"), &closed);
        QVERIFY(!closed);
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].title, QStringLiteral("5300 Commissioning software Error"));
        QCOMPARE(shown[0].text, QStringLiteral("Loop resistance must be 16 Ohms or less"));
        QCOMPARE(shown[0].icon, BoxIcon::Error);
        QCOMPARE(StoreFingerprint(**store), before);

        shown = confirmLoop(QStringLiteral("12"), QStringLiteral("0.61"), &closed);
        QVERIFY(!closed);
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, QStringLiteral("Loop alarm current must be 0.6A or less"));
        QCOMPARE(StoreFingerprint(**store), before);
    }

    void correctedValuesAreWrittenOnTheNextOk() {
        auto dialog = open();
        retype(line(*dialog, "SiteResistance"), QStringLiteral("+1.7e1"));
        retype(line(*dialog, "SiteContact"), QStringLiteral("J. Smith"));
        clickButton(*dialog, "okButton");
        QVERIFY(dialog->isVisible());
        QCOMPARE(Stored(**store, "SiteContact"), QString());
        retype(line(*dialog, "SiteResistance"), QStringLiteral("15.9"));
        clickButton(*dialog, "okButton");
        QVERIFY(!dialog->isVisible());
        QCOMPARE(Stored(**store, "SiteResistance"), QStringLiteral("15.9"));
        QCOMPARE(Stored(**store, "SiteContact"), QStringLiteral("J. Smith"));
    }

    void typingLimitsAndDigitsOnlyFields() {
        auto dialog = open();
        QTest::keyClicks(line(*dialog, "SiteName"), QString(40, QLatin1Char('N')));
        QTest::keyClicks(line(*dialog, "SiteNumber"), QStringLiteral("12a-345678"));
        QTest::keyClicks(line(*dialog, "SitePhone"), QStringLiteral("+44 (0)1234 567890 123"));
        QTest::keyClicks(line(*dialog, "SitePostcode"), QStringLiteral("AB12 3CDXYZ"));
        clickButton(*dialog, "okButton");
        QCOMPARE(Stored(**store, "SiteName"), QString(32, QLatin1Char('N')));
        QCOMPARE(Stored(**store, "SiteNumber"), QStringLiteral("123456"));
        QCOMPARE(Stored(**store, "SitePhone"), QStringLiteral("4401234567890123"));
        QCOMPARE(Stored(**store, "SitePostcode"), QStringLiteral("AB12 3CD"));
    }

    // Opening and confirming never shortens what a site file already holds.
    void storedTextsLongerThanTheLimitSurviveAnUntouchedOk() {
        const std::string longName(50, 'L');
        const std::string longAddress = "1 High Street\r\n" + std::string(70, 'A');
        SettingPut(**store, "SiteName", longName);
        SettingPut(**store, "SiteAddress", longAddress);
        auto dialog = open();
        clickButton(*dialog, "okButton");
        QCOMPARE(Stored(**store, "SiteName"), QString::fromStdString(longName));
        QCOMPARE(Stored(**store, "SiteAddress"), QString::fromStdString(longAddress));
    }

    void lineBreaksAreStoredAsCrLf() {
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
        clickButton(*dialog, "okButton");
        QCOMPARE(Stored(**store, "SiteAddress"), QStringLiteral("1 High Street\r\nLeeds"));
        QCOMPARE(Stored(**store, "SiteComments"), QStringLiteral("a\r\n\r\nb"));

        dialog = open();
        QCOMPARE(dialog->multiLineField(QStringLiteral("SiteAddress"))->toPlainText(),
                 QStringLiteral("1 High Street\nLeeds"));
    }

    // Each line break counts two characters against the limit, as it does in the stored value.
    void multiLineLimitCountsTheStoredForm() {
        auto dialog = open();
        MultiLineField* address = dialog->multiLineField(QStringLiteral("SiteAddress"));
        QTest::keyClicks(address, QString(61, QLatin1Char('x')));
        QTest::keyClick(address, Qt::Key_Return);
        QCOMPARE(address->storedLength(), 63);
        QTest::keyClick(address, Qt::Key_Return);
        QTest::keyClicks(address, QStringLiteral("yz"));
        QCOMPARE(address->storedLength(), 64);
        QCOMPARE(address->storedText(), QString(61, QLatin1Char('x')) + QStringLiteral("\r\ny"));
    }

    void firmwareVersionIsShownOnly() {
        auto dialog = open();
        auto* version = dialog->findChild<QLineEdit*>(QStringLiteral("FirmwareVersion"));
        QVERIFY(version->isReadOnly());
        QCOMPARE(version->text(), QStringLiteral("N/A"));
        SettingPut(**store, "FirmwareVersion", "1.234 / 5.678");
        dialog = open();
        QCOMPARE(dialog->findChild<QLineEdit*>(QStringLiteral("FirmwareVersion"))->text(),
                 QStringLiteral("1.234 / 5.678"));
    }

    void cancelWritesNothing() {
        SettingDelete(**store, "SiteEngineer");
        const std::uint64_t before = StoreFingerprint(**store);
        auto dialog = open();
        retype(line(*dialog, "SiteName"), QStringLiteral("Changed"));
        QTest::keyClicks(line(*dialog, "SiteEngineer"), QStringLiteral("Ann"));
        clickButton(*dialog, "cancelButton");
        QVERIFY(!dialog->isVisible());
        QCOMPARE(StoreFingerprint(**store), before);
    }

    void siteInfoPicture() {
        SettingPut(**store, "SiteName", "North depot");
        SettingPut(**store, "SiteAddress", "1 High Street\r\nLeeds");
        SettingPut(**store, "FirmwareVersion", "1.240 / 2.019");
        auto dialog = open();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        SavePng(dialog.get(), QStringLiteral("site_info"));
    }
};

QTEST_MAIN(SiteInfoDialogTest)
#include "SiteInfoDialogTest.moc"
