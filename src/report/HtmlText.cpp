#include "report/HtmlText.h"

namespace tamrik {

std::string HtmlText(std::string_view latin1) {
    std::string html;
    html.reserve(latin1.size() + latin1.size() / 8);
    for (std::size_t i = 0; i < latin1.size(); ++i) {
        const auto byte = static_cast<unsigned char>(latin1[i]);
        switch (byte) {
            case '&':
                html += "&amp;";
                continue;
            case '<':
                html += "&lt;";
                continue;
            case '>':
                html += "&gt;";
                continue;
            case '"':
                html += "&quot;";
                continue;
            case '\'':
                html += "&#39;";
                continue;
            case '\t':
                html += ' ';
                continue;
            case '\n':
                html += "<br>";
                continue;
            case '\r':
                if (i + 1 < latin1.size() && latin1[i + 1] == '\n') continue;
                html += "<br>";
                continue;
            default:
                break;
        }
        if (byte < 0x20 || (byte >= 0x7F && byte < 0xA0)) {
            html += "\xEF\xBF\xBD";
        } else if (byte < 0x80) {
            html += static_cast<char>(byte);
        } else {
            html += static_cast<char>(0xC0 | (byte >> 6));
            html += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return html;
}

}  // namespace tamrik
