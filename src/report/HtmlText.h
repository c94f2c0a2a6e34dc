#pragma once

#include <string>
#include <string_view>

namespace tamrik {

// A site text (Latin-1, as the panel and the site files hold it) as HTML text in UTF-8: markup
// characters escaped, line breaks (CR LF or LF) as <br>, and control characters, which an HTML
// document may not carry, shown as U+FFFD.
std::string HtmlText(std::string_view latin1);

}  // namespace tamrik
