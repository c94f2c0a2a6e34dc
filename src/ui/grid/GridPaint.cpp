// Painting of the grid: title band, header row, row headers, data cells, the edit box and the focus frame.
#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

#include "ui/grid/Grid.h"
#include "ui/grid/GridDrawing.h"

namespace tamrik {
namespace {

QRect ToQRect(const GridRect& rect) {
    return QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

QString CellText(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

const QColor kDisabledHeaderText(120, 120, 120);
const QColor kXColumnGrey(128, 128, 128);
const QColor kLineColour(220, 220, 220);
constexpr int kFocusFrameWidth = 3;
constexpr int kCaretWidth = 3;

// Every cell under an "X" header is grey; the others show their own colour.
QColor CellFill(const GridCell& cell, bool xColumn) { return xColumn ? kXColumnGrey : cell.colour; }

}  // namespace

void Grid::paintEvent(QPaintEvent* event) {
    syncClient();
    QPainter painter(viewport());
    painter.setClipRegion(event->region());
    // Everything the cells and bands do not cover shows the grey background.
    painter.fillRect(viewport()->rect(), kGridBackgroundGrey);
    paintTitle(painter);

    const int firstRow = layout_.topRow;
    const int lastRow = layout_.lastVisibleRow();
    if (layout_.widths[0] > 0) paintColumn(painter, 0, firstRow, lastRow);
    const int lastColumn = layout_.lastVisibleColumn();
    for (int column = layout_.leftColumn; column <= lastColumn; ++column) {
        if (layout_.isShown(column)) paintColumn(painter, column, firstRow, lastRow);
    }
    if (editing_) paintEditBox(painter);
    paintFocusFrame(painter);
}

void Grid::paintTitle(QPainter& painter) {
    if (layout_.titleHeight <= 0) return;
    const QRect band(0, 0, layout_.clientWidth, layout_.titleHeight);
    DrawGridEdge(painter, band, GridEdge::Etched);
    painter.setFont(titleFont_);
    painter.setPen(Qt::black);
    DrawGridText(painter, band.adjusted(2, 2, -2, -2), title_, true);
}

void Grid::paintColumn(QPainter& painter, int column, int firstRow, int lastRow) {
    const QColor headerText = isEnabled() ? QColor(Qt::black) : kDisabledHeaderText;
    const GridCell& header = cell(0, column);
    const QRect headerRect = ToQRect(layout_.cellRect(0, column));
    DrawGridEdge(painter, headerRect, header.colour != QColor(Qt::white) ? GridEdge::Sunken : GridEdge::Etched);
    painter.setFont(headerFont_);
    painter.setPen(headerText);
    DrawGridText(painter, headerRect.adjusted(2, 2, -2, -2), CellText(header.text), true);

    const bool xColumn = column > 0 && header.text == "X";
    const QFontMetrics cellMetrics(cellFont_);
    for (int row = firstRow; row <= lastRow; ++row) {
        const QRect rect = ToQRect(layout_.cellRect(row, column));
        const GridCell& content = cell(row, column);
        const QString text = CellText(content.text);
        if (column == 0) {
            DrawGridEdge(painter, rect, GridEdge::Etched);
            painter.setFont(headerFont_);
            painter.setPen(headerText);
            DrawGridText(painter, rect.adjusted(2, 2, -2, -2), text, false);
            continue;
        }
        painter.fillRect(rect, CellFill(content, xColumn));
        painter.setPen(kLineColour);
        painter.drawRect(rect.adjusted(0, 0, -1, -1));
        painter.setPen(Qt::black);
        painter.setFont(cellFont_);
        DrawGridText(painter, rect.adjusted(2, 0, -2, 0), text, false);
    }
}

// The text being typed, right-aligned so that its end stays visible, with the caret after it.
void Grid::paintEditBox(QPainter& painter) {
    if (currentRow_ < layout_.topRow || currentColumn_ < layout_.leftColumn) return;
    const QRect box = ToQRect(layout_.cellRect(currentRow_, currentColumn_)).adjusted(2, 2, -2, -2);
    if (box.width() <= 0 || box.height() <= 0) return;
    painter.fillRect(box, Qt::white);
    painter.setPen(Qt::black);
    painter.drawRect(box.adjusted(0, 0, -1, -1));

    const QRect textArea = box.adjusted(2, 2, -2 - 5, -2);
    const QFontMetrics metrics(cellFont_);
    const QString text = editText();
    painter.save();
    painter.setClipRect(box.adjusted(1, 1, -1, -1), Qt::IntersectClip);
    painter.setFont(cellFont_);
    painter.drawText(textArea, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, text);
    if (focused_ && caretOn_) {
        const int caretHeight = metrics.ascent();
        const int x = textArea.right() + 1;
        const int y = box.top() + (box.height() - caretHeight) / 2;
        painter.fillRect(QRect(x, y, kCaretWidth, caretHeight), Qt::black);
    }
    painter.restore();
}

// A frame of inverted pixels (white exclusive-or) inside the current cell, shown while the grid has the focus and no
// edit is in progress.
void Grid::paintFocusFrame(QPainter& painter) {
    if (!focused_ || editing_ || layout_.rows == 0) return;
    if (currentRow_ < layout_.topRow || currentColumn_ < layout_.leftColumn) return;
    if (currentRow_ > layout_.rows || currentColumn_ > layout_.columns) return;
    const QRect rect = ToQRect(layout_.cellRect(currentRow_, currentColumn_));
    if (rect.width() <= 0 || rect.height() <= 0) return;
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    const QColor colour(Qt::white);
    const int band = std::min({kFocusFrameWidth, rect.width() / 2, rect.height() / 2});
    painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), band), colour);
    painter.fillRect(QRect(rect.left(), rect.bottom() - band + 1, rect.width(), band), colour);
    painter.fillRect(QRect(rect.left(), rect.top() + band, band, rect.height() - 2 * band), colour);
    painter.fillRect(QRect(rect.right() - band + 1, rect.top() + band, band, rect.height() - 2 * band), colour);
    painter.restore();
}

}  // namespace tamrik
