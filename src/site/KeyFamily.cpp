#include "site/KeyFamily.h"

#include <charconv>

namespace tamrik {

// Keys are made in the hottest loops of the codecs, the checker and the exports: one allocation each.
std::string KeyFamily::operator()(int number) const {
    char key[64];
    std::char_traits<char>::copy(key, prefix, prefixLength);
    return std::string(key, std::to_chars(key + prefixLength, key + sizeof key, number).ptr);
}

std::string KeyFamily::operator()(int first, int second) const {
    char key[64];
    std::char_traits<char>::copy(key, prefix, prefixLength);
    char* end = std::to_chars(key + prefixLength, key + sizeof key, first).ptr;
    *end++ = '_';
    return std::string(key, std::to_chars(end, key + sizeof key, second).ptr);
}

namespace {

// "12" of a family of `count`: 12; 0 for anything but a number 1 to count written plainly.
int numberIn(std::string_view digits, int count) {
    int number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    const bool plain = error == std::errc() && end == digits.data() + digits.size() && digits[0] != '0';
    return plain && number <= count ? number : 0;
}

}  // namespace

int KeyFamily::numberOf(std::string_view key) const {
    if (!key.starts_with(prefix)) return 0;
    return numberIn(key.substr(prefixLength), count);
}

std::pair<int, int> KeyFamily::numbersOf(std::string_view key) const {
    if (!key.starts_with(prefix)) return {0, 0};
    const std::string_view numbers = key.substr(prefixLength);
    const std::size_t split = numbers.find('_');
    if (split == std::string_view::npos) return {0, 0};
    const int first = numberIn(numbers.substr(0, split), count);
    const int second = numberIn(numbers.substr(split + 1), count);
    return first && second ? std::pair{first, second} : std::pair{0, 0};
}

}  // namespace tamrik
