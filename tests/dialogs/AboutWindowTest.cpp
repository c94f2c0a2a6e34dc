#include <QMouseEvent>
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

void moveTo(QWidget* widget, QPoint point) {
    QMouseEvent move(QEvent::MouseMove, QPointF(point), widget->mapToGlobal(QPointF(point)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

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

    void markupSplitsLinesColoursAndLinks() {
        const std::string markup =
            std::string("\n\xFF\x10\x20\x30") + "Title\n" + "Next\n\n\n" + "\xFE" + "www\n" + "\xFF\x01\x02";
        const std::vector<AboutLine> lines = ParseAboutText(markup);
        QCOMPARE(lines.size(), std::size_t{4});
        QCOMPARE(lines[0].text, std::string());
        QVERIFY((lines[0].colour == AboutColour{0, 0, 0}));
        QCOMPARE(lines[1].text, std::string("Title"));
        QVERIFY((lines[1].colour == AboutColour{0x10, 0x20, 0x30}));
        QCOMPARE(lines[2].text, std::string("Next"));
        QCOMPARE(lines[2].emptyLinesAfter, 2);
        QVERIFY((lines[2].colour == AboutColour{0x10, 0x20, 0x30}));
        QVERIFY(lines[3].link && !lines[2].link);
        QCOMPARE(lines[3].text, std::string("www"));
    }

    // The three colour bytes are data even when they look like line ends or codes.
    void colourBytesAreNeverReadAsText() {
        const std::vector<AboutLine> lines = ParseAboutText(std::string("\xFF\x0A\xFE\xFF", 4) + "Red\n");
        QCOMPARE(lines.size(), std::size_t{1});
        QCOMPARE(lines[0].text, std::string("Red"));
        QVERIFY(!lines[0].link);
        QVERIFY((lines[0].colour == AboutColour{0x0A, 0xFE, 0xFF}));
    }

    void programTextHasItsLinesInOrder() {
        const std::vector<AboutLine> lines = ParseAboutText(AboutTextMarkup("https://x.example"));
        QCOMPARE(lines.size(), std::size_t{7});
        QCOMPARE(lines[1].text, std::string("5300 Commissioning software"));
        QVERIFY((lines[1].colour == AboutColour{255, 255, 255}));
        QCOMPARE(lines[kVersionLine].text, std::string("V2.019"));
        QCOMPARE(lines[3].emptyLinesAfter, 1);
        QCOMPARE(lines[kLinkLine - 1].text, std::string("Visit"));
        QVERIFY(lines[kLinkLine - 1].link == false && lines[kLinkLine].link);
        QCOMPARE(lines[kLinkLine].text, std::string("https://x.example"));
        QCOMPARE(lines[6].text, std::string("For more information"));
    }

    void hotSpotsTakeTheFirstMatchEdgesIncluded() {
        HotSpots spots;
        spots.add(2, QRect(10, 10, 20, 20));
        spots.add(1, QRect(0, 0, 15, 15));
        spots.add(2, QRect(100, 100, 5, 5));
        QCOMPARE(spots.size(), 2);
        QCOMPARE(spots.find(QPoint(12, 12)), 2);
        QCOMPARE(spots.find(QPoint(5, 5)), 1);
        QCOMPARE(spots.find(QPoint(30, 30)), 2);
        QCOMPARE(spots.find(QPoint(31, 30)), 0);
        QCOMPARE(spots.find(QPoint(101, 101)), 0);
    }

    void pointerIsTransparentWhereThePictureHasItsCornerColour() {
        const QImage picture = AboutPointerImage();
        QCOMPARE(picture.size(), QSize(kAboutPointerSize, kAboutPointerSize));
        const QCursor pointer = PointerFromImage(picture);
        QCOMPARE(pointer.hotSpot(), QPoint(0, 0));
        const QImage shown = pointer.pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
        int opaque = 0;
        for (int y = 0; y < shown.height(); ++y) {
            for (int x = 0; x < shown.width(); ++x) {
                const bool keyColour = picture.pixel(x, y) == picture.pixel(0, 0);
                QCOMPARE(qAlpha(shown.pixel(x, y)) == 0, keyColour);
                if (!keyColour) {
                    QCOMPARE(shown.pixel(x, y), picture.pixel(x, y) | 0xFF000000u);
                    ++opaque;
                }
            }
        }
        QVERIFY(opaque > 50);
    }

    void closeImageBlendsByItsOwnAlpha() {
        const QImage close = AboutCloseImage();
        QCOMPARE(close.size(), QSize(kAboutCloseSize, kAboutCloseSize));
        QVERIFY(close.hasAlphaChannel());
        QCOMPARE(qAlpha(close.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(close.pixel(kAboutCloseSize / 2, kAboutCloseSize / 2)), 255);
        bool partial = false;
        for (int x = 0; x < kAboutCloseSize; ++x) {
            const int alpha = qAlpha(close.pixel(x, 4));
            partial = partial || (alpha > 0 && alpha < 255);
        }
        QVERIFY(partial);
    }

    void windowIsThePictureWithTheCloseImageInItsCorner() {
        AboutWindow* window = AboutWindow::Open(nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QCOMPARE(window->size(), QSize(kAboutWidth, kAboutHeight));
        QVERIFY(window->windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(!window->isModal());
        QCOMPARE(window->hotSpots().rect(AboutWindow::kCloseSpot),
                 QRect(kAboutWidth - kAboutCloseSize, 0, kAboutCloseSize, kAboutCloseSize));
        const QRect link = window->lineRect(kLinkLine);
        QCOMPARE(window->hotSpots().rect(AboutWindow::kLinkSpot), link);
        QVERIFY(qAbs(link.center().x() - kAboutWidth / 2) <= 1);
        QVERIFY(window->lineRect(kVersionLine).bottom() < link.top());
        SavePng(window, QStringLiteral("about"));
    }

    void clicksActOnTheLinkAndTheCloseImageOnly() {
        QPointer<AboutWindow> window = AboutWindow::Open(nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QTest::mouseClick(window, Qt::LeftButton, {}, window->lineRect(kVersionLine).center());
        QVERIFY(opened.isEmpty());
        QVERIFY(window->isVisible());
        QTest::mouseClick(window, Qt::RightButton, {}, window->lineRect(kLinkLine).center());
        QVERIFY(opened.isEmpty());
        QTest::mouseClick(window, Qt::LeftButton, {}, window->lineRect(kLinkLine).center());
        QCOMPARE(opened, QList<QUrl>{QUrl(AboutWindow::kWebAddress)});
        QVERIFY(window->isVisible());
        QTest::mouseClick(window, Qt::LeftButton, {}, QPoint(kAboutWidth - kAboutCloseSize / 2, kAboutCloseSize / 2));
        QTRY_VERIFY(window.isNull());
        QVERIFY(!AboutWindow::current());
    }

    void pointerChangesOverTheLinkOnly() {
        AboutWindow* window = AboutWindow::Open(nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        moveTo(window, window->lineRect(kLinkLine).center());
        QCOMPARE(window->cursor().shape(), Qt::BitmapCursor);
        QCOMPARE(window->cursor().hotSpot(), QPoint(0, 0));
        moveTo(window, window->lineRect(kVersionLine).center());
        QCOMPARE(window->cursor().shape(), Qt::ArrowCursor);
        moveTo(window, window->lineRect(kLinkLine).topLeft());
        QCOMPARE(window->cursor().shape(), Qt::BitmapCursor);
        moveTo(window, QPoint(kAboutWidth - 3, 3));
        QCOMPARE(window->cursor().shape(), Qt::ArrowCursor);
    }

    void oneWindowAtATime() {
        QWidget owner;
        owner.show();
        AboutWindow* first = AboutWindow::Open(&owner);
        AboutWindow* second = AboutWindow::Open(&owner);
        QCOMPARE(first, second);
        QCOMPARE(owner.findChildren<AboutWindow*>().size(), 1);
        // The owner stays usable while the window is open.
        QVERIFY(!QApplication::activeModalWidget());
    }
};

QTEST_MAIN(AboutWindowTest)
#include "AboutWindowTest.moc"
