#include "ui/dialogs/AboutWindow.h"

#include <QDesktopServices>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include "ui/dialogs/AboutImages.h"

namespace tamrik {
namespace {

QPointer<AboutWindow>& openWindow() {
    static QPointer<AboutWindow> window;
    return window;
}

AboutWindow::UrlOpener& urlOpener() {
    static AboutWindow::UrlOpener opener = [](const QUrl& url) { QDesktopServices::openUrl(url); };
    return opener;
}

const QColor kLinkColour(0, 0, 255);

}  // namespace

void HotSpots::add(int id, const QRect& rect) {
    for (const Spot& spot : spots_) {
        if (spot.id == id) return;
    }
    spots_.push_back({id, rect});
}

int HotSpots::find(const QPoint& point) const {
    for (const Spot& spot : spots_) {
        // QRect::right() and bottom() are the last pixels inside; the edges given as right and
        // bottom belong to the spot too.
        if (point.x() >= spot.rect.left() && point.x() <= spot.rect.left() + spot.rect.width() &&
            point.y() >= spot.rect.top() && point.y() <= spot.rect.top() + spot.rect.height())
            return spot.id;
    }
    return 0;
}

QRect HotSpots::rect(int id) const {
    for (const Spot& spot : spots_) {
        if (spot.id == id) return spot.rect;
    }
    return {};
}

AboutWindow* AboutWindow::Open(QWidget* owner) {
    QPointer<AboutWindow>& window = openWindow();
    if (!window) {
        window = new AboutWindow(owner);
        window->show();
    }
    window->raise();
    window->activateWindow();
    return window;
}

AboutWindow* AboutWindow::current() { return openWindow(); }

void AboutWindow::setUrlOpener(UrlOpener opener) { urlOpener() = std::move(opener); }

AboutWindow::AboutWindow(QWidget* owner) : QWidget(owner, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("aboutWindow"));
    setWindowTitle(QStringLiteral("Splash"));
    setAttribute(Qt::WA_DeleteOnClose);
    setMouseTracking(true);

    linkPointer_ = PointerFromImage(AboutPointerImage());
    normalFont_ = font();
    normalFont_.setWeight(QFont::Normal);
    normalFont_.setStyleHint(QFont::SansSerif, QFont::PreferQuality);
    linkFont_ = normalFont_;
    linkFont_.setUnderline(true);

    closeImage_ = AboutCloseImage();
    hotSpots_.add(kCloseSpot, QRect(kAboutWidth - closeImage_.width(), 0, closeImage_.width(), closeImage_.height()));
    layOutText();

    QRect plate;
    for (const PlacedLine& placed : lines_) {
        if (placed.line.link) plate = plate.united(placed.rect);
    }
    background_ = AboutBackground(plate);
    setFixedSize(background_.size());
    if (const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

// Each line is centred; a link line is registered as the next hot spot, counting from 1.
void AboutWindow::layOutText() {
    const QFontMetrics normal(normalFont_);
    const QFontMetrics link(linkFont_);
    int y = 0;
    int nextSpot = 1;
    for (AboutLine& line : ParseAboutText(AboutTextMarkup(kWebAddress.toStdString()))) {
        const QFontMetrics& metrics = line.link ? link : normal;
        const QString text = QString::fromLatin1(line.text);
        const int width = metrics.horizontalAdvance(text);
        const int height = metrics.height();
        const QRect rect(kAboutWidth / 2 - width / 2, y, width, height);
        if (line.link) hotSpots_.add(nextSpot++, rect);
        y += height * (1 + line.emptyLinesAfter);
        lines_.push_back({std::move(line), rect});
    }
}

QRect AboutWindow::lineRect(int index) const {
    return index >= 0 && index < static_cast<int>(lines_.size()) ? lines_[static_cast<std::size_t>(index)].rect
                                                                 : QRect();
}

void AboutWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, background_);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.drawImage(kAboutWidth - closeImage_.width(), 0, closeImage_);
    for (const PlacedLine& placed : lines_) {
        const AboutColour& colour = placed.line.colour;
        const QFont& font = placed.line.link ? linkFont_ : normalFont_;
        painter.setFont(font);
        painter.setPen(placed.line.link ? kLinkColour : QColor(colour.red, colour.green, colour.blue));
        painter.drawText(placed.rect.left(), placed.rect.top() + QFontMetrics(font).ascent(),
                         QString::fromLatin1(placed.line.text));
    }
    painter.setPen(QColor(20, 20, 20));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void AboutWindow::mouseMoveEvent(QMouseEvent* event) {
    if (hotSpots_.find(event->position().toPoint()) == kLinkSpot) {
        setCursor(linkPointer_);
    } else {
        setCursor(Qt::ArrowCursor);
    }
}

void AboutWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    switch (hotSpots_.find(event->position().toPoint())) {
        case kCloseSpot:
            close();
            break;
        case kLinkSpot:
            urlOpener()(QUrl(kWebAddress));
            break;
        default:
            break;
    }
}

}  // namespace tamrik
