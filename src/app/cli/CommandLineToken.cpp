#include "app/cli/CommandLineToken.h"

#include <algorithm>

namespace tamrik {

std::vector<std::string> CommandLineSplit(std::string_view text) {
    std::vector<std::string> arguments;
    if (std::count(text.begin(), text.end(), '"') % 2 != 0) return arguments;
    std::size_t i = 0;
    while (i < text.size() && arguments.size() < kMaxCommandLineArguments) {
        if (text[i] == ' ') {
            ++i;
            continue;
        }
        if (text[i] == '"') {
            // A quote inside an unquoted argument can leave the last quoted one without its closing
            // quote; it then runs to the end of the text.
            const std::size_t close = std::min(text.find('"', i + 1), text.size());
            arguments.emplace_back(text.substr(i + 1, close - i - 1));
            i = close + 1;
        } else {
            const std::size_t end = std::min(text.find(' ', i), text.size());
            arguments.emplace_back(text.substr(i, end - i));
            i = end;
        }
    }
    return arguments;
}

const char* CommandLineToken(const char* text) {
    // The split of the last text handed in, and how far the caller has got through it.
    static thread_local std::vector<std::string> arguments;
    static thread_local std::size_t next = 0;
    if (text) {
        arguments = CommandLineSplit(text);
        next = 0;
    }
    return next < arguments.size() ? arguments[next++].c_str() : nullptr;
}

}  // namespace tamrik
