#include <QtTest>

#include "DialogTestSupport.h"
#include "ui/dialogs/DesignCheckDialog.h"

using namespace tamrik;
using namespace tamrik::testing;

class DesignCheckDialogTest : public QObject {
    Q_OBJECT

private slots:
    void aSiteWithoutFaultsSaysSo() {
        ScopedStore store;
        DesignCheckDialog dialog(*store);
        QCOMPARE(dialog.faultCount(), 0u);
        QCOMPARE(dialog.reportText(), QStringLiteral("No Site File Errors"));
        QCOMPARE(dialog.quiescentText(), QStringLiteral("0.00mA"));
        QCOMPARE(dialog.alarmText(), QStringLiteral("0.00mA"));
    }

    void faultsAreListedOnePerLine() {
        ScopedStore store;
        SettingPut(*store, "Type_4", "0");
        SettingPut(*store, "DeviceText_4", "Kitchen");
        SettingPut(*store, "Type_9", "250");
        SettingPut(*store, "SiteName", "");
        DesignCheckDialog dialog(*store);
        dialog.show();
        QCOMPARE(dialog.faultCount(), 3u);
        QCOMPARE(dialog.reportText(), QStringLiteral("Text but no device at address 4\n"
                                                     "Unsupported device at address 9\n"
                                                     "Site Info 'SiteName' requires a value\n"));
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        SavePng(&dialog, QStringLiteral("design_check"));
    }

    void emptyReportPicture() {
        ScopedStore store;
        DesignCheckDialog dialog(*store);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        SavePng(&dialog, QStringLiteral("design_check_clean"));
    }
};

QTEST_MAIN(DesignCheckDialogTest)
#include "DesignCheckDialogTest.moc"
