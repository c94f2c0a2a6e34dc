#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tamrik {

constexpr std::size_t kMaxCommandLineArguments = 64;

// Splits a command-line text into arguments. Arguments are separated by spaces (a tab is an ordinary
// character). An argument that starts with a double quote runs to the next double quote, which is
// dropped, and may hold spaces; two adjacent quotes give an empty argument; the character after a
// closing quote starts the next argument. Quotes inside an unquoted argument stay part of it. A text
// with an odd number of double quotes gives no arguments at all. At most 64 arguments are taken.
std::vector<std::string> CommandLineSplit(std::string_view text);

// The same one argument at a time: given a text, splits it and returns the first argument; given
// none, returns the next one. Null when there are no more. The returned text stays valid until the
// next call with a text.
const char* CommandLineToken(const char* text);

}  // namespace tamrik
