#pragma once

#include <QColor>
#include <QRect>
#include <QString>

class QPainter;

namespace tamrik {

// Colours of the three-dimensional edges and of the empty area around the cells.
inline const QColor kGridFaceColour(240, 240, 240);
inline const QColor kGridShadowColour(160, 160, 160);
inline const QColor kGridDarkShadowColour(105, 105, 105);
inline const QColor kGridLightColour(227, 227, 227);
inline const QColor kGridHighlightColour(255, 255, 255);
inline const QColor kGridBackgroundGrey(128, 128, 128);

enum class GridEdge {
    Etched,  // a groove: the look of header cells with no colour of their own
    Sunken,  // the look of a header cell with a colour
};

// Draws a 2-pixel edge inside `rect` and fills its middle with the face colour.
void DrawGridEdge(QPainter& painter, const QRect& rect, GridEdge edge);

// Draws text centred in `rect`, wrapped at word boundaries. Only whole lines are drawn (the first line
// always is, clipped to the rectangle); text that does not fit ends in an ellipsis when `elide` is set.
// The lines are centred vertically when they all fit.
void DrawGridText(QPainter& painter, const QRect& rect, const QString& text, bool elide);

}  // namespace tamrik
