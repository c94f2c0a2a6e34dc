#include <QRegularExpression>
#include <QtTest>

#include "DialogTestSupport.h"
#include "ui/dialogs/PanelSettingsDialog.h"
#include "ui/dialogs/SiteInfoDialog.h"
#include "ui/dialogs/ValueDialogs.h"

using namespace tamrik;
using namespace tamrik::testing;

class TabOrderTest : public QObject {
    Q_OBJECT

private slots:
    // Tab goes round each dialog in the order its fields are shown (down each column of groups in
    // turn, then the buttons) and Shift+Tab goes back the same way; fields that only show a value
    // take no tab stop. In the expected orders "..." stands for any run of fields.
    void tabFollowsTheVisualOrder() {
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
            dialog->show();
            const QStringList parts = QString::fromLatin1(order).split(QStringLiteral(" ... "));
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
};

QTEST_MAIN(TabOrderTest)
#include "TabOrderTest.moc"
