#pragma once

#include <QFont>

namespace tamrik {

// The three fonts every grid starts with. Sizes are character cell heights in pixels (ascent plus
// descent), so that a line of cell text is 16 pixels high and a row of 21 pixels holds it with room.
struct GridFonts {
    QFont cell;    // 16 pixels, regular, sans-serif
    QFont header;  // 18 pixels, black weight, serif
    QFont title;   // 20 pixels, black weight, serif
};

const GridFonts& SharedGridFonts();

// A font of the family kind whose line height (ascent plus descent) is as close to `cellHeight`
// pixels as the installed faces allow without exceeding it.
QFont GridFontOfCellHeight(QFont::StyleHint kind, int cellHeight, QFont::Weight weight);

}  // namespace tamrik
