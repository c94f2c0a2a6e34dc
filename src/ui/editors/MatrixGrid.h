#pragma once

#include <QColor>
#include <string_view>

namespace tamrik {

// Rows of the matrix grid: two output delays and the alarm type of each output group, then one row
// per input group 1 to 32 (row = input group + 3). Column n is output group n; the last column stays
// empty and so hidden.
inline constexpr int kMatrixDelayT1Row = 1;
inline constexpr int kMatrixDelayT2Row = 2;
inline constexpr int kMatrixAlarmTypeRow = 3;
inline constexpr int kMatrixInputRowOffset = 3;
inline constexpr int kMatrixRows = 35;
inline constexpr int kMatrixColumns = 33;

// Cell colours of the matrix letters and of the alarm types.
QColor MatrixLetterColour(std::string_view letter);
QColor AlarmTypeColour(std::string_view value);

}  // namespace tamrik
