#include "exports/CsvExport.h"

#include "exports/DeviceDataExport.h"
#include "exports/EventLogExport.h"
#include "exports/MatrixExport.h"
#include "exports/TextExport.h"
#include "settings/AtomicFile.h"

namespace tamrik {

std::optional<CsvExportKind> CsvExportKindFromName(std::string_view name) {
    if (name == "devices") return CsvExportKind::DeviceData;
    if (name == "matrix") return CsvExportKind::Matrix;
    if (name == "text") return CsvExportKind::Text;
    if (name == "log") return CsvExportKind::EventLog;
    return std::nullopt;
}

std::string CsvExportBytes(CsvExportKind kind, const SettingsStore& store) {
    switch (kind) {
        case CsvExportKind::DeviceData:
            return DeviceDataCsv(store);
        case CsvExportKind::Matrix:
            return MatrixCsv(store);
        case CsvExportKind::Text:
            return TextCsv(store);
        case CsvExportKind::EventLog:
            return EventLogCsv(store);
    }
    return {};
}

bool CsvExportWrite(CsvExportKind kind, const SettingsStore& store, const std::string& path, std::string* error) {
    return AtomicFile::write(path, CsvExportBytes(kind, store), error);
}

}  // namespace tamrik
