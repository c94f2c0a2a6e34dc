#include "exports/MatrixExport.h"

#include "exports/CsvField.h"
#include "settings/DefaultSettings.h"
#include "settings/DeviceCatalogue.h"
#include "site/KeyFamily.h"
#include "site/MatrixTable.h"

namespace tamrik {
namespace {

void appendCell(std::string& line, std::string_view text) {
    CsvAppendField(line, text);
    line += ',';
}

void appendDelayLine(std::string& csv, const SettingsStore& store, const char* label, bool secondDelay) {
    csv += label;
    for (int output = 1; output <= kGroupCount; ++output) appendCell(csv, OutputDelay(store, secondDelay, output));
    csv += "\r\n";
}

}  // namespace

std::string MatrixCsv(const SettingsStore& store) {
    std::string csv = ",";
    const std::uint32_t disabled = DisabledOutputGroups(store);
    for (int output = 1; output <= kGroupCount; ++output) {
        csv += (disabled >> (output - 1)) & 1u ? "X," : "OPG" + std::to_string(output) + ",";
    }
    csv += "\r\n";

    appendDelayLine(csv, store, "Output delay T1,", false);
    appendDelayLine(csv, store, "Output delay T2,", true);

    csv += "Alarm type,";
    for (int output = 1; output <= kGroupCount; ++output) {
        const auto alarmType = store.get(key::AlarmType(output));
        appendCell(csv, alarmType ? AlarmTypeName(*alarmType) : "");
    }
    csv += "\r\n";

    for (int input = 1; input <= kGroupCount; ++input) {
        csv += InputGroupLabel(store, input);
        csv += ',';
        for (int output = 1; output <= kGroupCount; ++output) {
            appendCell(csv, store.text(key::Matrix(input, output), "C"));
        }
        csv += "\r\n";
    }
    return csv;
}

}  // namespace tamrik
