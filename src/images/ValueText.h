#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Number parsing and formatting shared by the image codecs and the step routines. All of it is
// independent of the C locale, so a GUI that switches the locale cannot change what is written to
// the panel.
namespace tamrik::valuetext {

// Leading blanks, optional sign, decimal digits, stopping at the first other character; 0 without
// digits. Saturates at the 64-bit range, so callers that keep the low bits of a field get the
// two's-complement pattern of any 32-bit signed or unsigned text ("-1" and "4294967295" alike).
std::int64_t ParseDecimal(std::string_view text);

// Leading blanks, optional sign, optional 0x, hexadecimal digits; saturates at 0xFFFFFFFF, and a
// minus sign negates modulo 2^32. All 32 bits are kept: serial numbers of 80000000 and above
// survive unaltered.
std::uint32_t ParseHex32(std::string_view text);

// Leading blanks, optional sign, a decimal fraction (with exponent, inf or nan); 0 without one.
float ParseFloat(std::string_view text);

// "%d".
std::string FormatInt(std::int64_t value);
// "%d:%02d" of a whole number of seconds (minutes:seconds) or of hours and minutes.
std::string FormatMinSec(int seconds);
std::string FormatClock(int hours, int minutes);
// "%.1f" of count / 2: whole seconds and one decimal.
std::string FormatHalfSeconds(int count);

// Copies text into a caller's step buffer of kStepTextCapacity characters.
void CopyStepText(char* buffer, std::string_view text);

}  // namespace tamrik::valuetext
