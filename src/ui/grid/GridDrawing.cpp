#include "ui/grid/GridDrawing.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTextLayout>
#include <QTextOption>
#include <vector>

namespace tamrik {
namespace {

// One 1-pixel ring: `topLeft` on the top and left sides, `bottomRight` on the others.
void DrawRing(QPainter& painter, const QRect& rect, const QColor& topLeft, const QColor& bottomRight) {
    if (rect.width() <= 0 || rect.height() <= 0) return;
    painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), 1), topLeft);
    painter.fillRect(QRect(rect.left(), rect.top(), 1, rect.height()), topLeft);
    painter.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), bottomRight);
    painter.fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), bottomRight);
}

}  // namespace

void DrawGridEdge(QPainter& painter, const QRect& rect, GridEdge edge) {
    if (rect.isEmpty()) return;
    painter.fillRect(rect, kGridFaceColour);
    const QRect inner = rect.adjusted(1, 1, -1, -1);
    if (edge == GridEdge::Etched) {
        DrawRing(painter, rect, kGridShadowColour, kGridHighlightColour);
        DrawRing(painter, inner, kGridHighlightColour, kGridShadowColour);
    } else {
        DrawRing(painter, rect, kGridShadowColour, kGridHighlightColour);
        DrawRing(painter, inner, kGridDarkShadowColour, kGridLightColour);
    }
}

void DrawGridText(QPainter& painter, const QRect& rect, const QString& text, bool elide) {
    if (text.isEmpty() || rect.width() <= 0 || rect.height() <= 0) return;
    const QFontMetrics metrics(painter.font());
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);

    // The common case: one line that fits.
    if (!text.contains(QLatin1Char('\n')) && metrics.horizontalAdvance(text) <= rect.width()) {
        painter.drawText(rect, Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine, text);
        painter.restore();
        return;
    }

    QString laidOut = text;
    laidOut.replace(QLatin1Char('\n'), QChar::LineSeparator);
    QTextLayout layout(laidOut, painter.font());
    QTextOption option(Qt::AlignHCenter);
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);

    struct Line {
        int start;
        int length;
        qreal width;
    };
    std::vector<Line> lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(rect.width());
        lines.push_back({line.textStart(), line.textLength(), line.naturalTextWidth()});
    }
    layout.endLayout();

    const int lineHeight = metrics.height();
    const int fitting = std::max<int>(1, std::min<int>(static_cast<int>(lines.size()), rect.height() / lineHeight));
    const bool cut = fitting < static_cast<int>(lines.size());
    int y = rect.top();
    if (fitting * lineHeight <= rect.height()) y += (rect.height() - fitting * lineHeight) / 2;

    for (int i = 0; i < fitting; ++i) {
        const Line& line = lines[static_cast<std::size_t>(i)];
        QString piece = laidOut.mid(line.start, line.length).trimmed();
        piece.remove(QChar::LineSeparator);
        const bool last = i == fitting - 1;
        if (elide && ((last && cut) || line.width > rect.width())) {
            const QString rest =
                last && cut ? laidOut.mid(line.start).replace(QChar::LineSeparator, QLatin1Char(' ')) : piece;
            piece = metrics.elidedText(rest.trimmed(), Qt::ElideRight, rect.width());
        }
        painter.drawText(QRect(rect.left(), y, rect.width(), lineHeight),
                         Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine, piece);
        y += lineHeight;
    }
    painter.restore();
}

}  // namespace tamrik
