#include "ui/dialogs/AboutText.h"

#include "settings/ProductVersion.h"

namespace tamrik {

std::vector<AboutLine> ParseAboutText(std::string_view markup) {
    std::vector<AboutLine> lines;
    AboutColour colour;
    AboutLine line;
    bool lineEnded = false;  // the previous byte ended a line, so another line end adds an empty one
    for (std::size_t i = 0; i < markup.size(); ++i) {
        const auto byte = static_cast<unsigned char>(markup[i]);
        if (byte < 32) {
            if (lineEnded) {
                ++lines.back().emptyLinesAfter;
                continue;
            }
            line.colour = colour;
            lines.push_back(std::move(line));
            line = AboutLine{};
            lineEnded = true;
            continue;
        }
        lineEnded = false;
        if (byte == kAboutColourCode) {
            if (markup.size() - i <= 3) break;
            colour = {static_cast<std::uint8_t>(markup[i + 1]), static_cast<std::uint8_t>(markup[i + 2]),
                      static_cast<std::uint8_t>(markup[i + 3])};
            i += 3;
        } else if (byte == kAboutLinkCode) {
            line.link = true;
        } else {
            line.text.push_back(static_cast<char>(byte));
        }
    }
    if (!lineEnded && (!line.text.empty() || line.link)) {
        line.colour = colour;
        lines.push_back(std::move(line));
    }
    return lines;
}

std::string AboutTextMarkup(std::string_view webAddress) {
    std::string text;
    text += "\n";
    text += "\xFF\xFF\xFF\xFF";
    text += "5300 Commissioning software\n";
    text += TAMRIK_PRODUCT_VERSION "\n";
    text += "Copyright (C) the tamrik developers\n";
    text += "\n";
    text += "Visit\n";
    text += "\xFE";
    text += webAddress;
    text += "\n";
    text += "For more information\n";
    return text;
}

}  // namespace tamrik
