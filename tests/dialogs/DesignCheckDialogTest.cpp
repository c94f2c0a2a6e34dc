#include <QtTest>

#include "DialogTestSupport.h"
#include "ui/dialogs/DesignCheckDialog.h"

using namespace tamrik;
using namespace tamrik::testing;

class DesignCheckDialogTest : public QObject {
    Q_OBJECT

private slots:
    void faultsAreListedOnePerLine() {
        SettingsStore store;
        store.put("Type_4", "0");
        store.put("DeviceText_4", "Kitchen");
        store.put("Type_9", "250");
        store.put("SiteName", "");
        DesignCheckDialog dialog(store);
        dialog.show();
        QCOMPARE(dialog.faultCount(), 3u);
        QCOMPARE(dialog.reportText(), QStringLiteral("Text but no device at address 4\n"
                                                     "Unsupported device at address 9\n"
                                                     "Site Info 'SiteName' requires a value\n"));
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        SavePng(&dialog, QStringLiteral("design_check"));
    }
};

QTEST_MAIN(DesignCheckDialogTest)
#include "DesignCheckDialogTest.moc"
