#include "ui/editors/DeviceEditor.h"

#include <algorithm>
#include <cctype>

#include "images/ValueText.h"
#include "settings/DefaultSettings.h"
#include "settings/DeviceCatalogue.h"
#include "ui/editors/DeviceCells.h"
#include "ui/editors/DeviceKeyTable.h"
#include "ui/editors/EditorKeys.h"
#include "ui/editors/EditorMessage.h"
#include "ui/grid/Grid.h"

namespace tamrik {
namespace {

constexpr const char* kNoSerialNumber = "000000";
constexpr int kRemoteAlarmInputGroup = 31;
constexpr int kClassChangeInputGroup = 30;

bool validAddress(int address) { return address >= 1 && address <= kLoopAddressCount; }

bool allDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

struct Range {
    int low;
    int high;
};

// Limits of the typed number columns.
bool numberRange(int column, Range& range) {
    switch (column) {
        case kDeviceZoneColumn:
        case kDeviceOutputGroupColumn:
            range = {1, 32};
            return true;
        case kDeviceInputGroupColumn:
            range = {1, 31};
            return true;
        case kDeviceDisplayGroupColumn:
            range = {0, 255};
            return true;
        case kDeviceRepeatGroupColumn:
            range = {0, 32};
            return true;
        default:
            return false;
    }
}

std::string upperCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); });
    return text;
}

}  // namespace

DeviceEditor::DeviceEditor(SettingsStore& store, Grid* grid, QWidget* parent)
    : SiteEditor(EditorView::Device, grid, parent), store_(store), grid_(grid) {
    setObjectName(QStringLiteral("deviceEditor"));
    grid_->setSize(kLoopAddressCount, kDeviceColumnCount);
    grid_->setHeaderHeight(21);
    grid_->setTypingAllowed(true);
    grid_->setAcceptEdit([this](int, int column, const std::string& text) { return acceptEdit(column, text); });
    connect(grid_, &Grid::rowDragged, this, &DeviceEditor::swapDevices);
    fill();
    setFocusGridOnShow(true);
    serials_.forget();
}

void DeviceEditor::fill() {
    for (int column = 0; column <= kDeviceColumnCount; ++column) grid_->setText(0, column, DeviceHeading(column));
    for (int address = 1; address <= kLoopAddressCount; ++address) fillRow(address);
}

// A cell whose key is missing and that shows nothing is written empty rather than left alone, so that
// a row filled again after a swap never keeps the text of the device that left.
void DeviceEditor::fillRow(int address) {
    for (int column = 0; column <= kDeviceColumnCount; ++column) {
        const std::string text = DeviceCellText(store_, address, column).value_or(std::string());
        grid_->setText(address, column, text, !DeviceColumnTyped(column));
    }
}

void DeviceEditor::setCell(int address, int column, const std::string& text, bool readOnly) {
    grid_->setText(address, column, text, readOnly);
}

void DeviceEditor::writeBack() {
    grid_->endEdit();
    for (int address = 1; address <= kLoopAddressCount; ++address) {
        for (int column = 1; column <= kDeviceColumnCount; ++column) {
            if (!DeviceColumnTyped(column)) continue;
            const GridCell& cell = grid_->cell(address, column);
            const std::string key = EditorKey(DeviceColumnKey(column), address);
            // The placeholder of a missing key is not a value: the key stays missing.
            if (cell.text == kMissingValueText && !store_.get(key)) continue;
            store_.put(key, cell.text);
        }
    }
}

bool DeviceEditor::acceptEdit(int column, std::string_view typed) {
    editAccepted_ = false;
    Range range{};
    if (!numberRange(column, range)) {
        // "L1nnn" in the serial number column jumps to address nnn instead of being stored.
        if (!typed.empty() && (typed[0] == 'L' || typed[0] == 'l')) {
            if (typed.size() > 1 && typed[1] == '1') {
                const int address = ParseLeadingInt(typed.substr(2, 3));
                // Posted: the grid moves down a row after the commit, and the jump must come after that.
                QMetaObject::invokeMethod(
                    grid_, [grid = grid_, address] { grid->setCurrent(address, kDeviceSerialColumn); },
                    Qt::QueuedConnection);
            }
            return false;
        }
        editAccepted_ = true;
        return true;
    }

    // Only a plain number is a group or zone; anything else is refused rather than stored as text.
    if (!allDigits(typed)) return false;
    const std::int64_t value = valuetext::ParseDecimal(typed);
    if (value < range.low || value > range.high) return false;
    if (column == kDeviceInputGroupColumn) {
        if (value == kRemoteAlarmInputGroup && store_.number("RemoteAlarmInput") != 0 &&
            store_.number("RaiControl") == 0) {
            ShowEditorMessage(this, QString::fromLatin1(kEditorMessageTitle),
                              QStringLiteral("The Remote Alarm Input is assigned to input group 31"));
            return false;
        }
        if (value == kClassChangeInputGroup && store_.number("ClassChange") != 0) {
            ShowEditorMessage(this, QString::fromLatin1(kEditorMessageTitle),
                              QStringLiteral("The Class Change Input is assigned to input group 30"));
            return false;
        }
    }
    editAccepted_ = true;
    return true;
}

void DeviceEditor::gridEvent(Grid::Event event, int row, int column) {
    switch (event) {
        case Grid::Event::Click:
            click(row, column);
            break;
        case Grid::Event::DeleteKey:
            deleteDevice(row);
            break;
        case Grid::Event::CellChanged: {
            const bool accepted = editAccepted_;
            editAccepted_ = false;
            if (accepted && column == kDeviceSerialColumn) serialEntered(row);
            break;
        }
        default:
            break;
    }
}

void DeviceEditor::click(int row, int column) {
    if (row == 0) {
        if (column == kDeviceClassColumn) resetClasses();
        return;
    }
    if (!validAddress(row)) return;
    switch (column) {
        case kDeviceDaySensColumn:
        case kDeviceNightSensColumn:
            stepSensitivity(row, column);
            break;
        case kDeviceVolumeColumn:
            stepVolume(row);
            break;
        case kDeviceClassColumn:
            stepClass(row);
            break;
        case kDeviceNonLatchingColumn:
            toggleLatching(row);
            break;
        case kDeviceMsg52Column:
            stepMsg52(row);
            break;
        default:
            break;
    }
}

// Each stepped column as its click handler below steps it, from the value the handler would start at.
QStringList DeviceEditor::stepChoices(int row, int column) const {
    if (!validAddress(row)) return {};
    const auto value = [this, row](const char* format, const char* absent) {
        return std::string(store_.text(EditorKey(format, row), absent));
    };
    const auto number = [](const std::string& text) { return ParseLeadingInt(text.c_str()); };
    switch (column) {
        case kDeviceDaySensColumn:
        case kDeviceNightSensColumn: {
            const auto type = static_cast<std::uint32_t>(number(value("Type_%d", "")));
            return StepCycle(
                value(DeviceColumnKey(column), "0"),
                [type](const std::string& mode) { return SensModeStepped(mode, type); },
                [](const std::string& mode) { return QString::fromStdString(SensModeName(mode)); });
        }
        case kDeviceVolumeColumn:
            return StepCycle(
                value("Volume_%d", "0"),
                [number](const std::string& v) { return std::to_string(VolumeStep(number(v))); },
                [number](const std::string& v) { return QString::fromStdString(VolumeName(number(v))); });
        case kDeviceClassColumn:
            return StepCycle(
                value("Class_%d", "0"), [number](const std::string& v) { return std::to_string(ClassStep(number(v))); },
                [number](const std::string& v) {
                    const std::string_view name = ClassName(number(v));
                    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
                });
        case kDeviceNonLatchingColumn:
            return StepCycle(
                store_.get(EditorKey("NonLatching_%d", row)) ? "1" : "",
                [](const std::string& v) { return std::string(v.empty() ? "1" : ""); },
                [](const std::string& v) {
                    const std::string_view name = LatchingName(!v.empty());
                    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
                });
        case kDeviceMsg52Column: {
            if (!store_.get(EditorKey("Coverage_%d", row))) return {};
            const auto type = static_cast<std::uint32_t>(number(value("Type_%d", "0")));
            if (type == kConfigOptionType) {
                return StepCycle(
                    value("Coverage_%d", "0"),
                    [number](const std::string& v) { return std::to_string(ConfigOptionStep(number(v))); },
                    [number, type](const std::string& v) {
                        return QString::fromStdString(Msg52Text(type, number(v)));
                    });
            }
            // A step to a coverage the type does not have stores nothing: the cycle ends there.
            return StepCycle(
                value("Coverage_%d", "0"),
                [number, type](const std::string& v) {
                    const int next = CoverageStep(number(v));
                    return CoverageName(type, next) ? std::to_string(next) : v;
                },
                [number, type](const std::string& v) {
                    const char* name = CoverageName(type, number(v));
                    return QString::fromLatin1(name ? name : "N/A");
                });
        }
        default:
            return {};
    }
}

// Manual call points become class Manual, everything else Automatic.
void DeviceEditor::resetClasses() {
    for (int address = 1; address <= kLoopAddressCount; ++address) {
        const std::string_view type = store_.insertIfAbsent(EditorKey("Type_%d", address), "0");
        const bool manual = IsManualCallPointType(static_cast<std::uint32_t>(ParseLeadingInt(type)));
        store_.put(EditorKey("Class_%d", address), manual ? "1" : "0");
        fillRow(address);
    }
}

void DeviceEditor::stepSensitivity(int address, int column) {
    const auto type =
        static_cast<std::uint32_t>(ParseLeadingInt(store_.insertIfAbsent(EditorKey("Type_%d", address), "")));
    const std::string key = EditorKey(DeviceColumnKey(column), address);
    const std::string mode = SensModeStepped(store_.insertIfAbsent(key, "0"), type);
    store_.put(key, mode);
    setCell(address, column, SensModeName(mode));
}

void DeviceEditor::stepVolume(int address) {
    const std::string key = EditorKey("Volume_%d", address);
    const std::string_view volume = store_.insertIfAbsent(key, "0");
    const int next = VolumeStep(ParseLeadingInt(volume));
    store_.put(key, std::to_string(next));
    setCell(address, kDeviceVolumeColumn, VolumeName(next));
}

void DeviceEditor::stepClass(int address) {
    const std::string key = EditorKey("Class_%d", address);
    const std::string_view deviceClass = store_.insertIfAbsent(key, "0");
    const int next = ClassStep(ParseLeadingInt(deviceClass));
    store_.put(key, std::to_string(next));
    setCell(address, kDeviceClassColumn, std::string(ClassName(next)));
}

void DeviceEditor::toggleLatching(int address) {
    const std::string key = EditorKey("NonLatching_%d", address);
    const bool nonLatching = !store_.contains(key);
    if (nonLatching) {
        store_.put(key, "1");
    } else {
        store_.erase(key);
    }
    setCell(address, kDeviceNonLatchingColumn, std::string(LatchingName(nonLatching)));
}

void DeviceEditor::stepMsg52(int address) {
    const std::string key = EditorKey("Coverage_%d", address);
    const auto coverage = store_.get(key);
    if (!coverage) return;
    const auto type = static_cast<std::uint32_t>(store_.number(EditorKey("Type_%d", address)));
    const int code = ParseLeadingInt(*coverage);
    if (type == kConfigOptionType) {
        const int next = ConfigOptionStep(code);
        store_.put(key, std::to_string(next));
        setCell(address, kDeviceMsg52Column, std::string(ConfigOptionName(next)));
        return;
    }
    const int next = CoverageStep(code);
    if (const char* name = CoverageName(type, next)) {
        store_.put(key, std::to_string(next));
        setCell(address, kDeviceMsg52Column, name);
    } else {
        setCell(address, kDeviceMsg52Column, "N/A");
    }
}

void DeviceEditor::serialEntered(int address) {
    if (!validAddress(address)) return;
    const std::string typed = upperCase(grid_->cell(address, kDeviceSerialColumn).text);
    SerialCode code;
    if (!SerialCodeParse(typed, code)) {
        setCell(address, kDeviceSerialColumn, kNoSerialNumber, false);
        return;
    }
    code = serials_.next(code);
    const std::string serial = code.serialText();
    if (const int usedAt = SerialNumberUsedAt(store_, serial)) {
        ShowEditorMessage(this, QString::fromLatin1(kEditorMessageTitle),
                          QStringLiteral("Serial number %1 is already used at address %2")
                              .arg(QString::fromLatin1(serial.c_str()))
                              .arg(usedAt));
        setCell(address, kDeviceSerialColumn, kNoSerialNumber, false);
        return;
    }
    DeviceInstall(store_, address, code);
    fillRow(address);
}

void DeviceEditor::deleteDevice(int address) {
    if (!validAddress(address)) return;
    DeviceClear(store_, address);
    fillRow(address);
}

void DeviceEditor::swapDevices(int from, int to) {
    if (!validAddress(from) || !validAddress(to) || from == to) return;
    writeBack();  // typed values move with their device
    DeviceSwap(store_, from, to);
    fillRow(from);
    fillRow(to);
}

}  // namespace tamrik
