// Command-line texts: the split must never read past the text, and its results must keep the rules
// scripts rely on.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "app/cli/CommandLineToken.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto arguments = tamrik::CommandLineSplit(text);
    if (arguments.size() > tamrik::kMaxCommandLineArguments) std::abort();
    if (std::count(text.begin(), text.end(), '"') % 2 != 0 && !arguments.empty()) std::abort();
    std::size_t characters = 0;
    for (const auto& argument : arguments) characters += argument.size();
    if (characters > text.size()) std::abort();
    return 0;
}
