#include "ui/editors/LcdFrame.h"

#include "ui/editors/LcdFont.h"

namespace tamrik {

void LcdFrame::setCursor(int column, int line, bool visible) {
    cursorColumn_ = column;
    cursorLine_ = line;
    cursorVisible_ = visible;
}

int LcdFrame::drawText(int column, int line, std::string_view text) {
    int cell = column + kColumns * line;
    for (const char character : text) {
        if (cell >= kColumns * kLines) break;
        drawCharacter(cell % kColumns, cell / kColumns, static_cast<unsigned char>(character));
        ++cell;
    }
    return cell;
}

void LcdFrame::drawCharacter(int column, int line, unsigned char character) {
    if (column < 0 || column >= kColumns || line < 0 || line >= kLines) return;
    const bool inverted = cursorVisible_ && column == cursorColumn_ && line == cursorLine_;
    const auto glyph = LcdGlyph(character);
    const int left = column * kCellWidth;
    const int top = line * kCellHeight;
    for (int glyphRow = 0; glyphRow < kLcdGlyphHeight; ++glyphRow) {
        const auto bits = static_cast<std::uint8_t>(inverted ? ~glyph[static_cast<std::size_t>(glyphRow)]
                                                             : glyph[static_cast<std::size_t>(glyphRow)]);
        for (int half = 0; half < 2; ++half) {
            std::uint8_t* row = pixels_.data() + (top + 2 * glyphRow + half) * kWidth + left;
            for (int x = 0; x < kLcdGlyphWidth; ++x) row[x] = (bits & (0x80 >> x)) ? kWhite : kBlue;
            row[kLcdGlyphWidth] = (bits & 1) ? kWhite : kBlue;
        }
    }
}

}  // namespace tamrik
