#include "ui/editors/MatrixCells.h"

#include "images/ValueText.h"
#include "settings/DefaultSettings.h"
#include "ui/editors/EditorKeys.h"
#include "ui/grid/GridCell.h"

namespace tamrik {
namespace {

constexpr int kSoundAlarmsGroup = 32;

void setExistingCells(SettingsStore& store, int inputGroup, const char* letter) {
    for (int output = 1; output <= kGroupCount; ++output) {
        const std::string key = EditorKey("Matrix_%d_%d", inputGroup, output);
        if (store.get(key)) store.put(key, letter);
    }
}

}  // namespace

std::uint32_t MatrixLetterColour(std::string_view letter) {
    if (letter == "O") return kGridWhite;
    if (letter == "P") return GridRgb(0, 255, 0);
    if (letter == "W") return GridRgb(255, 255, 0);
    if (letter == "C") return GridRgb(255, 0, 0);
    return GridRgb(0, 0, 255);
}

std::uint32_t AlarmTypeColour(std::string_view value) {
    return value == "0" ? GridRgb(255, 200, 200) : GridRgb(200, 200, 255);
}

const char* MatrixLetterStep(std::string_view letter) {
    if (letter == "O") return "P";
    if (letter == "P") return "W";
    if (letter == "W") return "C";
    if (letter == "C") return "O";
    return "C";
}

std::string InputGroupLabel(const SettingsStore& store, int inputGroup) {
    if (inputGroup == 30 && store.number("ClassChange") != 0) return "Class Change";
    if (inputGroup == 31 && store.number("RemoteAlarmInput") != 0) return "Remote Alarm";
    if (inputGroup == kSoundAlarmsGroup) return "Sound Alarms";
    return "IPG" + std::to_string(inputGroup);
}

std::uint32_t DisabledOutputGroups(const SettingsStore& store) {
    // The mask may have been written signed or unsigned; only its 32 bits count.
    return static_cast<std::uint32_t>(valuetext::ParseDecimal(store.text("DisabledOPGroups")));
}

void SetDisabledOutputGroups(SettingsStore& store, std::uint32_t mask) {
    // Written as the panel program always wrote it: a signed 32-bit number.
    store.put("DisabledOPGroups", std::to_string(static_cast<std::int32_t>(mask)));
}

void MatrixSetAllOff(SettingsStore& store) {
    for (int input = 1; input < kSoundAlarmsGroup; ++input) setExistingCells(store, input, "O");
    setExistingCells(store, kSoundAlarmsGroup, "C");
}

void MatrixSetAllContinuous(SettingsStore& store) {
    for (int input = 1; input <= kSoundAlarmsGroup; ++input) setExistingCells(store, input, "C");
}

}  // namespace tamrik
