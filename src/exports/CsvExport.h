#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "settings/SettingsStore.h"

namespace tamrik {

enum class CsvExportKind { DeviceData, Matrix, Text, EventLog };

// "devices", "matrix", "text" or "log".
std::optional<CsvExportKind> CsvExportKindFromName(std::string_view name);

// The bytes of one export of the site in `store`.
std::string CsvExportBytes(CsvExportKind kind, const SettingsStore& store);

// Writes the export to `path` atomically: a failed write leaves any earlier file as it was. Returns
// false with the reason in `error` (when given).
bool CsvExportWrite(CsvExportKind kind, const SettingsStore& store, const std::string& path,
                    std::string* error = nullptr);

}  // namespace tamrik
