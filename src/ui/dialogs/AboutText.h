#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tamrik {

// The about window's text is one byte string in a small markup:
//   a byte below 32 (line feed)  ends the current line; each further one in a row adds an empty line
//   0xFF r g b                   sets the text colour for this and the following lines
//   0xFE                         marks the current line as a link
//   any other byte               a character of the line (Latin-1)
constexpr unsigned char kAboutColourCode = 0xFF;
constexpr unsigned char kAboutLinkCode = 0xFE;

struct AboutColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const AboutColour&, const AboutColour&) = default;
};

struct AboutLine {
    std::string text;
    AboutColour colour;  // the colour in force for this line (a link is drawn in blue instead)
    bool link = false;
    int emptyLinesAfter = 0;  // further line ends that followed this line's own
};

// Splits the markup into lines. A colour code cut short by the end of the text is ignored.
std::vector<AboutLine> ParseAboutText(std::string_view markup);

// The program's about text, with `webAddress` on its link line.
std::string AboutTextMarkup(std::string_view webAddress);

}  // namespace tamrik
