#pragma once

#include <string>
#include <string_view>

namespace tamrik {

// Appends one field of a CSV line. A field holding a comma, a double quote or a line break is put in
// double quotes with its quotes doubled, so that it stays one column; every other field is
// written exactly as it is, blanks included.
void CsvAppendField(std::string& line, std::string_view field);

}  // namespace tamrik
