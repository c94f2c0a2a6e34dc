#pragma once

#include <algorithm>
#include <string>
#include <vector>

namespace tamrik::testing {

// The lines of a CR LF text, without their line ends.
inline std::vector<std::string> CsvLines(const std::string& csv) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < csv.size()) {
        const std::size_t end = csv.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(csv.substr(start));
            break;
        }
        lines.push_back(csv.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

}  // namespace tamrik::testing
