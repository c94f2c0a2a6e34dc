#pragma once

#include <QCursor>
#include <QFont>
#include <QImage>
#include <QPointer>
#include <QRect>
#include <QUrl>
#include <QWidget>
#include <functional>
#include <vector>

#include "ui/dialogs/AboutText.h"

namespace tamrik {

// Small rectangles that react to the pointer. A point belongs to the first registered rectangle
// that contains it, edges included; an id is registered only once.
class HotSpots {
public:
    void add(int id, const QRect& rect);
    // The id under `point`, or 0.
    int find(const QPoint& point) const;
    QRect rect(int id) const;
    int size() const { return static_cast<int>(spots_.size()); }

private:
    struct Spot {
        int id;
        QRect rect;
    };
    std::vector<Spot> spots_;
};

// The about window: a borderless picture with the program's name and version, a link to the web
// site and a close image in its top-right corner. It does not block the main window, and only one
// is open at a time.
class AboutWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kLinkSpot = 1;
    static constexpr int kCloseSpot = 2;
    static inline const QString kWebAddress = QStringLiteral("https://support.tamrik.example/5300");

    // Shows the about window, or raises the one already open, and returns it.
    static AboutWindow* Open(QWidget* owner);
    static AboutWindow* current();

    // How the web address is opened; tests replace it. The default uses the desktop's handler.
    using UrlOpener = std::function<void(const QUrl&)>;
    static void setUrlOpener(UrlOpener opener);

    const HotSpots& hotSpots() const { return hotSpots_; }
    const QCursor& linkPointer() const { return linkPointer_; }
    // The rectangle of text line `index` (empty lines included).
    QRect lineRect(int index) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    explicit AboutWindow(QWidget* owner);
    void layOutText();

    struct PlacedLine {
        AboutLine line;
        QRect rect;
    };

    QFont normalFont_;
    QFont linkFont_;
    QImage background_;
    QImage closeImage_;
    QCursor linkPointer_;
    std::vector<PlacedLine> lines_;
    HotSpots hotSpots_;
};

}  // namespace tamrik
