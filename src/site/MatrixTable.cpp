#include "site/MatrixTable.h"

#include "images/ValueText.h"
#include "settings/DefaultSettings.h"
#include "site/KeyFamily.h"

namespace tamrik {
namespace {

constexpr const char* kNoDelay = "0:00";

void setExistingCells(SettingsStore& store, int inputGroup, const char* letter) {
    for (int output = 1; output <= kGroupCount; ++output) {
        const std::string key = key::Matrix(inputGroup, output);
        if (store.get(key)) store.put(key, letter);
    }
}

const KeyFamily& delayFamily(bool secondDelay) { return secondDelay ? key::DelayT2 : key::DelayT1; }

}  // namespace

const char* MatrixLetterStep(std::string_view letter) {
    if (letter == "O") return "P";
    if (letter == "P") return "W";
    if (letter == "W") return "C";
    if (letter == "C") return "O";
    return "C";
}

std::string MatrixLetterMeaning(std::string_view letter) {
    if (letter == "O") return "O: off";
    if (letter == "P") return "P: pulsing";
    if (letter == "W") return "W: warble";
    if (letter == "C") return "C: continuous";
    return std::string(letter);
}

std::optional<std::string> MatrixCellClick(SettingsStore& store, int inputGroup, int outputGroup) {
    const std::string key = key::Matrix(inputGroup, outputGroup);
    const auto letter = store.get(key);
    if (!letter) return std::nullopt;
    const char* next = MatrixLetterStep(*letter);
    store.put(key, next);
    return next;
}

const char* AlarmTypeStep(std::string_view alarmType) { return alarmType == "0" ? "1" : "0"; }

std::optional<std::string> AlarmTypeClick(SettingsStore& store, int outputGroup) {
    const std::string key = key::AlarmType(outputGroup);
    const auto alarmType = store.get(key);
    if (!alarmType) return std::nullopt;
    const char* next = AlarmTypeStep(*alarmType);
    store.put(key, next);
    return next;
}

std::string OutputDelay(const SettingsStore& store, bool secondDelay, int outputGroup) {
    return std::string(store.text(delayFamily(secondDelay)(outputGroup), kNoDelay));
}

void SetOutputDelay(SettingsStore& store, bool secondDelay, int outputGroup, std::string_view delay) {
    const std::string key = delayFamily(secondDelay)(outputGroup);
    if (delay == kNoDelay) {
        store.erase(key);
    } else {
        store.put(key, delay);
    }
}

std::string InputGroupLabel(const SettingsStore& store, int inputGroup) {
    if (inputGroup == kClassChangeInputGroup && store.number("ClassChange") != 0) return "Class Change";
    if (inputGroup == kRemoteAlarmInputGroup && store.number("RemoteAlarmInput") != 0) return "Remote Alarm";
    if (inputGroup == kSoundAlarmsInputGroup) return "Sound Alarms";
    return "IPG" + std::to_string(inputGroup);
}

std::uint32_t DisabledOutputGroups(const SettingsStore& store) {
    // The mask may have been written signed or unsigned; only its 32 bits count.
    return static_cast<std::uint32_t>(ParseDecimal(store.text("DisabledOPGroups")));
}

void SetDisabledOutputGroups(SettingsStore& store, std::uint32_t mask) {
    // Written as the panel program always wrote it: a signed 32-bit number.
    store.put("DisabledOPGroups", std::to_string(static_cast<std::int32_t>(mask)));
}

void MatrixSetAllOff(SettingsStore& store) {
    for (int input = 1; input < kSoundAlarmsInputGroup; ++input) setExistingCells(store, input, "O");
    setExistingCells(store, kSoundAlarmsInputGroup, "C");
}

void MatrixSetAllContinuous(SettingsStore& store) {
    for (int input = 1; input <= kSoundAlarmsInputGroup; ++input) setExistingCells(store, input, "C");
}

}  // namespace tamrik
