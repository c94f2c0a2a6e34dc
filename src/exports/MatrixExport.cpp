#include "exports/MatrixExport.h"

#include <cstdio>

#include "exports/CsvField.h"
#include "images/ValueText.h"
#include "settings/DefaultSettings.h"
#include "settings/DeviceCatalogue.h"

namespace tamrik {
namespace {

std::optional<std::string_view> groupValue(const SettingsStore& store, const char* format, int group) {
    char key[32];
    std::snprintf(key, sizeof key, format, group);
    return store.get(key);
}

void appendCell(std::string& line, std::string_view text) {
    CsvAppendField(line, text);
    line += ',';
}

void appendDelayLine(std::string& csv, const SettingsStore& store, const char* label, const char* format) {
    csv += label;
    for (int output = 1; output <= kGroupCount; ++output) {
        appendCell(csv, groupValue(store, format, output).value_or("0:00"));  // an absent delay is no delay
    }
    csv += "\r\n";
}

std::string inputGroupLabel(const SettingsStore& store, int input) {
    if (input == 30 && store.number("ClassChange") != 0) return "Class Change";
    if (input == 31 && store.number("RemoteAlarmInput") != 0) return "Remote Alarm";
    if (input == 32) return "Sound Alarms";
    return "IPG" + std::to_string(input);
}

}  // namespace

std::string MatrixCsv(const SettingsStore& store) {
    std::string csv = ",";
    // Kept as a 32-bit mask whichever way the text writes it ("-2147483648" or "2147483648").
    const auto disabled = static_cast<std::uint32_t>(valuetext::ParseDecimal(store.text("DisabledOPGroups")));
    for (int output = 1; output <= kGroupCount; ++output) {
        csv += (disabled >> (output - 1)) & 1u ? "X," : "OPG" + std::to_string(output) + ",";
    }
    csv += "\r\n";

    appendDelayLine(csv, store, "Output delay T1,", "OutputDelay_%d");
    appendDelayLine(csv, store, "Output delay T2,", "OutputDelayT2_%d");

    csv += "Alarm type,";
    for (int output = 1; output <= kGroupCount; ++output) {
        const auto alarmType = groupValue(store, "AlarmType_%d", output);
        appendCell(csv, alarmType ? AlarmTypeName(*alarmType) : "");
    }
    csv += "\r\n";

    for (int input = 1; input <= kGroupCount; ++input) {
        csv += inputGroupLabel(store, input);
        csv += ',';
        for (int output = 1; output <= kGroupCount; ++output) {
            const std::string key = "Matrix_" + std::to_string(input) + "_" + std::to_string(output);
            appendCell(csv, store.text(key, "C"));
        }
        csv += "\r\n";
    }
    return csv;
}

}  // namespace tamrik
