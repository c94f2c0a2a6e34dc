#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "settings/NumberText.h"

// Number parsing and formatting shared by the image codecs and the step routines. All of it is
// independent of the C locale, so a GUI that switches the locale cannot change what is written to
// the panel.
namespace tamrik::valuetext {

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
