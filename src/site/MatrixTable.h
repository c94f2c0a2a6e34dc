#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "settings/SettingsStore.h"

namespace tamrik {

// Input groups 30 and 31 can be taken by the class change and remote alarm inputs; 32 sounds alarms.
inline constexpr int kClassChangeInputGroup = 30;
inline constexpr int kRemoteAlarmInputGroup = 31;
inline constexpr int kSoundAlarmsInputGroup = 32;

// The letter a click gives: O -> P -> W -> C -> O; anything else becomes C.
const char* MatrixLetterStep(std::string_view letter);
// "O: off", "P: pulsing", "W: warble", "C: continuous"; any other letter as it is.
std::string MatrixLetterMeaning(std::string_view letter);
// A click on a cell steps its letter; returns the new letter, or nullopt when the cell is missing.
std::optional<std::string> MatrixCellClick(SettingsStore& store, int inputGroup, int outputGroup);

// A click on an output group's alarm type switches Alarm and Control; returns the new value ("0" or
// "1"), or nullopt when the group has no alarm type.
std::optional<std::string> AlarmTypeClick(SettingsStore& store, int outputGroup);
const char* AlarmTypeStep(std::string_view alarmType);

// An output group's delay (m:ss) as shown: a missing delay is no delay, "0:00".
std::string OutputDelay(const SettingsStore& store, bool secondDelay, int outputGroup);
// No delay is stored as no key.
void SetOutputDelay(SettingsStore& store, bool secondDelay, int outputGroup, std::string_view delay);

// The row label of an input group: "IPG<n>", or the name of the special input it is assigned to.
std::string InputGroupLabel(const SettingsStore& store, int inputGroup);

// DisabledOPGroups as a 32-bit mask (bit n-1 for output group n), 0 when missing.
std::uint32_t DisabledOutputGroups(const SettingsStore& store);
void SetDisabledOutputGroups(SettingsStore& store, std::uint32_t mask);

// "Matrix OFF": every existing cell of input groups 1 to 31 becomes O and the Sound Alarms row C.
// "Matrix CONT": every existing cell becomes C.
void MatrixSetAllOff(SettingsStore& store);
void MatrixSetAllContinuous(SettingsStore& store);

}  // namespace tamrik
