#include "ui/grid/GridFonts.h"

#include <QFontMetrics>
#include <QStringList>

namespace tamrik {

QFont GridFontOfCellHeight(QFont::StyleHint kind, int cellHeight, QFont::Weight weight) {
    QFont font;
    font.setFamilies(QStringList{kind == QFont::Serif ? QStringLiteral("Serif") : QStringLiteral("Sans Serif")});
    font.setStyleHint(kind, QFont::PreferQuality);
    font.setWeight(weight);
    font.setPixelSize(cellHeight);
    // The pixel size is the em height; shrink it until the whole line (ascent + descent) fits.
    for (int size = cellHeight; size > 1; --size) {
        font.setPixelSize(size);
        if (QFontMetrics(font).height() <= cellHeight) break;
    }
    return font;
}

const GridFonts& SharedGridFonts() {
    static const GridFonts fonts{
        // The cell font asks for the lightest weight; where a thin face is installed it reads too faint
        // in a table, so the cell text takes the regular weight that such a request usually yields.
        GridFontOfCellHeight(QFont::SansSerif, 16, QFont::Normal),
        GridFontOfCellHeight(QFont::Serif, 18, QFont::Black),
        GridFontOfCellHeight(QFont::Serif, 20, QFont::Black),
    };
    return fonts;
}

}  // namespace tamrik
