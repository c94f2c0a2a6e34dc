#pragma once

#include <QColor>
#include <cstdint>
#include <string>
#include <string_view>

#include "settings/SettingsStore.h"

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
// The letter a click gives: O -> P -> W -> C -> O; anything else becomes C.
const char* MatrixLetterStep(std::string_view letter);

// The row header of an input group: "IPG<n>", or the name of the special input it is assigned to.
std::string InputGroupLabel(const SettingsStore& store, int inputGroup);

// DisabledOPGroups as a 32-bit mask (bit n-1 for output group n), 0 when missing.
std::uint32_t DisabledOutputGroups(const SettingsStore& store);
void SetDisabledOutputGroups(SettingsStore& store, std::uint32_t mask);

// "Matrix OFF": every existing cell of input groups 1 to 31 becomes O and the Sound Alarms row C.
// "Matrix CONT": every existing cell becomes C.
void MatrixSetAllOff(SettingsStore& store);
void MatrixSetAllContinuous(SettingsStore& store);

}  // namespace tamrik
