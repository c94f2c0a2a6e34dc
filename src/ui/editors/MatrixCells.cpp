#include "ui/editors/MatrixCells.h"

#include "images/ValueText.h"
#include "settings/DefaultSettings.h"
#include "ui/editors/EditorKeys.h"

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

QColor MatrixLetterColour(std::string_view letter) {
    if (letter == "O") return QColor(Qt::white);
    if (letter == "P") return QColor(0, 255, 0);
    if (letter == "W") return QColor(255, 255, 0);
    if (letter == "C") return QColor(255, 0, 0);
    return QColor(0, 0, 255);
}

QColor AlarmTypeColour(std::string_view value) { return value == "0" ? QColor(255, 200, 200) : QColor(200, 200, 255); }

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
