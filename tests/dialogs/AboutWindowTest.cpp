#include <QtTest>

#include "DialogTestSupport.h"
#include "ui/dialogs/AboutImages.h"
#include "ui/dialogs/AboutText.h"
#include "ui/dialogs/AboutWindow.h"

using namespace tamrik;
using namespace tamrik::testing;

namespace {

// Line indices of the program's about text.
constexpr int kVersionLine = 2;
constexpr int kLinkLine = 5;

}  // namespace

class AboutWindowTest : public QObject {
    Q_OBJECT

private:
    QList<QUrl> opened;

private slots:
    void init() {
        opened.clear();
        AboutWindow::setUrlOpener([this](const QUrl& url) { opened.append(url); });
    }
    void cleanup() { delete AboutWindow::current(); }

    // Lines end at line feeds (runs of them count as empty lines after the text); 0xFF and three colour
    // bytes set the colour from there on, and those bytes are data even when they look like line ends or
    // codes; 0xFE marks a link line. A colour cut short at the end is ignored.
    void markupSplitsLinesColoursAndLinks() {
        std::vector<AboutLine> lines =
            ParseAboutText(std::string("\n\xFF\x10\x20\x30") + "Title\nNext\n\n\n\xFE" + "www\n" +
                           std::string("\xFF\x0A\xFE\xFF", 4) + "Red\n" + "\xFF\x01\x02");  // cut short at the end
        QCOMPARE(lines.size(), std::size_t{5});
        QVERIFY(lines[0].text.empty() && (lines[0].colour == AboutColour{0, 0, 0}));
        QVERIFY(lines[1].text == "Title" && (lines[1].colour == AboutColour{0x10, 0x20, 0x30}));
        QVERIFY(lines[2].text == "Next" && lines[2].emptyLinesAfter == 2 && !lines[2].link);
        QVERIFY(lines[2].colour == lines[1].colour);
        QVERIFY(lines[3].text == "www" && lines[3].link);
        QVERIFY(lines[4].text == "Red" && !lines[4].link && (lines[4].colour == AboutColour{0x0A, 0xFE, 0xFF}));
    }

    // One window at a time, and the owner stays usable; clicks act on the link and the close image only.
    void clicksActOnTheLinkAndTheCloseImageOnly() {
        QWidget owner;
        owner.show();
        QPointer<AboutWindow> window = AboutWindow::Open(&owner);
        QCOMPARE(AboutWindow::Open(&owner), window.data());
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(QTest::qWaitForWindowExposed(window));
        SavePng(window, QStringLiteral("about"));
        QTest::mouseClick(window, Qt::LeftButton, {}, window->lineRect(kVersionLine).center());
        QTest::mouseClick(window, Qt::RightButton, {}, window->lineRect(kLinkLine).center());
        QVERIFY(opened.isEmpty());
        QTest::mouseClick(window, Qt::LeftButton, {}, window->lineRect(kLinkLine).topLeft());  // edges count
        QCOMPARE(opened, QList<QUrl>{QUrl(AboutWindow::kWebAddress)});
        QVERIFY(window->isVisible());
        QTest::mouseClick(window, Qt::LeftButton, {}, QPoint(kAboutWidth - kAboutCloseSize / 2, kAboutCloseSize / 2));
        QTRY_VERIFY(window.isNull());
        QVERIFY(!AboutWindow::current());
    }
};

QTEST_MAIN(AboutWindowTest)
#include "AboutWindowTest.moc"
