#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace tamrik {

// The display's character set: 8 x 15 pixel glyphs, one byte per glyph row from the top, the most
// significant bit the leftmost pixel. Capitals and digits stand on rows 3 to 11; descenders reach
// row 14. Glyphs exist for the printable characters 32 to 126.
inline constexpr int kLcdGlyphWidth = 8;
inline constexpr int kLcdGlyphHeight = 15;
inline constexpr int kLcdFirstGlyph = 32;
inline constexpr int kLcdLastGlyph = 126;

// Indexed by character code times 15; codes below 32 are blank.
const std::array<std::uint8_t, 128 * kLcdGlyphHeight>& LcdFontTable();

// The glyph rows of a character. A character without a glyph shows a hollow box.
std::span<const std::uint8_t, kLcdGlyphHeight> LcdGlyph(unsigned char character);

}  // namespace tamrik
