#pragma once

#include <cstdint>
#include <string_view>

// Numbers read from text the one way the site file, the panel images and the tool read them: leading
// blanks (space, tab to carriage return), an optional sign, then digits up to the first other
// character; no digits read as 0. Independent of the C locale, so a desktop session that switches
// the locale cannot change what reaches the panel.
namespace tamrik {

// Saturates at the 64-bit range, so callers that keep the low bits of a field get the two's-complement
// pattern of any 32-bit signed or unsigned text ("-1" and "4294967295" alike).
std::int64_t ParseDecimal(std::string_view text);
// Clamped to the 32-bit signed range: how the store's numbers are read.
std::int32_t ParseLeadingInt(std::string_view text);
// The magnitude saturates at 0xFFFFFFFF and a minus sign negates modulo 2^32 (the site file's Check).
std::uint32_t ParseUnsigned32(std::string_view text);
// Hexadecimal digits after an optional sign and 0x; saturates at 0xFFFFFFFF, a minus sign negates
// modulo 2^32. All 32 bits are kept: serial numbers of 80000000 and above survive unaltered.
std::uint32_t ParseHex32(std::string_view text);

// The value of a hexadecimal digit of either case, or -1.
int HexDigitValue(char c);
inline bool IsHexDigit(char c) { return HexDigitValue(c) >= 0; }

}  // namespace tamrik
