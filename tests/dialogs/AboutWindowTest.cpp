#include <QtTest>

#include "DialogTestSupport.h"
#include "ui/dialogs/AboutImages.h"
#include "ui/dialogs/AboutWindow.h"

using namespace tamrik;
using namespace tamrik::testing;

class AboutWindowTest : public QObject {
    Q_OBJECT

private slots:
    // One window at a time, and the owner stays usable; clicks act on the link (line 5 of the text)
    // and the close image only.
    void clicksActOnTheLinkAndTheCloseImageOnly() {
        QList<QUrl> opened;
        AboutWindow::setUrlOpener([&opened](const QUrl& url) { opened.append(url); });
        QWidget owner;
        owner.show();
        QPointer<AboutWindow> window = AboutWindow::Open(&owner);
        QCOMPARE(AboutWindow::Open(&owner), window.data());
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(QTest::qWaitForWindowExposed(window));
        SavePng(window, QStringLiteral("about"));
        QTest::mouseClick(window, Qt::LeftButton, {}, window->lineRect(2).center());
        QTest::mouseClick(window, Qt::RightButton, {}, window->lineRect(5).center());
        QVERIFY(opened.isEmpty());
        QTest::mouseClick(window, Qt::LeftButton, {}, window->lineRect(5).topLeft());  // edges count
        QCOMPARE(opened, QList<QUrl>{QUrl(AboutWindow::kWebAddress)});
        QVERIFY(window->isVisible());
        QTest::mouseClick(window, Qt::LeftButton, {}, QPoint(kAboutWidth - kAboutCloseSize / 2, kAboutCloseSize / 2));
        QTRY_VERIFY(window.isNull());
        QVERIFY(!AboutWindow::current());
    }
};

QTEST_MAIN(AboutWindowTest)
#include "AboutWindowTest.moc"
