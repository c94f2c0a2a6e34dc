#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace tamrik {

// The picture of the panel's two-line, 20-character display: 320 x 88 pixels of palette indices, top
// row first. Index 0 is the display's blue, 255 its white (every other index i the grey i, i, i).
// A character cell is 16 x 30 pixels: each glyph row is drawn twice, and its 8 pixels are followed by
// a ninth that repeats the last one. Line 1 covers rows 0 to 29, line 2 rows 30 to 59; the rest stays
// blue.
class LcdFrame {
public:
    static constexpr int kWidth = 320;
    static constexpr int kHeight = 88;
    static constexpr int kColumns = 20;
    static constexpr int kLines = 2;
    static constexpr int kCellWidth = 16;
    static constexpr int kCellHeight = 30;
    static constexpr std::uint8_t kBlue = 0;
    static constexpr std::uint8_t kWhite = 255;

    LcdFrame() { clear(); }

    void clear() { pixels_.fill(kBlue); }

    // The cursor's cell is drawn inverted while the cursor is visible (line 0 or 1).
    void setCursor(int column, int line, bool visible);

    // Draws characters from (column, line) on, moving one cell per character and from the end of line
    // 1 to the start of line 2; what would pass the end of line 2 is not drawn. Returns the cell after
    // the last one drawn as column + 20 x line.
    int drawText(int column, int line, std::string_view text);
    void drawCharacter(int column, int line, unsigned char character);

    std::uint8_t pixel(int x, int y) const { return pixels_[static_cast<std::size_t>(y * kWidth + x)]; }
    const std::uint8_t* data() const { return pixels_.data(); }

private:
    std::array<std::uint8_t, kWidth * kHeight> pixels_{};
    int cursorColumn_ = 0;
    int cursorLine_ = 1;
    bool cursorVisible_ = false;
};

}  // namespace tamrik
