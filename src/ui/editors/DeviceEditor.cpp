#include "ui/editors/DeviceEditor.h"

#include "settings/DefaultSettings.h"
#include "site/DeviceTable.h"
#include "ui/editors/EditorMessage.h"
#include "ui/editors/EditorTitle.h"
#include "ui/grid/Grid.h"

namespace tamrik {
namespace {

constexpr const char* kNoSerialNumber = "000000";

bool validAddress(int address) { return address >= 1 && address <= kLoopAddressCount; }

void showMessage(QWidget* parent, const QString& text) {
    ShowEditorMessage(parent, QString::fromLatin1(kEditorMessageTitle), text);
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
            const std::string key = (*DeviceColumnKey(column))(address);
            // The placeholder of a missing key is not a value: the key stays missing.
            if (cell.text == kMissingValueText && !store_.get(key)) continue;
            store_.put(key, cell.text);
        }
    }
}

bool DeviceEditor::acceptEdit(int column, std::string_view typed) {
    editAccepted_ = false;
    // "L1nnn" in the serial number column jumps to address nnn instead of being stored.
    if (column == kDeviceSerialColumn && !typed.empty() && (typed[0] == 'L' || typed[0] == 'l')) {
        if (typed.size() > 1 && typed[1] == '1') {
            const int address = ParseLeadingInt(typed.substr(2, 3));
            // Posted: the grid moves down a row after the commit, and the jump must come after that.
            QMetaObject::invokeMethod(
                grid_, [grid = grid_, address] { grid->setCurrent(address, kDeviceSerialColumn); },
                Qt::QueuedConnection);
        }
        return false;
    }
    switch (DeviceTypedValue(store_, column, typed)) {
        case TypedValue::Accepted:
            editAccepted_ = true;
            return true;
        case TypedValue::RemoteAlarmInputGroup:
            showMessage(this, QStringLiteral("The Remote Alarm Input is assigned to input group 31"));
            return false;
        case TypedValue::ClassChangeInputGroup:
            showMessage(this, QStringLiteral("The Class Change Input is assigned to input group 30"));
            return false;
        case TypedValue::Refused:
            return false;
    }
    return false;
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
        if (column == kDeviceClassColumn) {
            DeviceClassesReset(store_);
            for (int address = 1; address <= kLoopAddressCount; ++address) fillRow(address);
        }
        return;
    }
    if (const auto shown = DeviceCellClick(store_, row, column)) setCell(row, column, *shown);
}

QStringList DeviceEditor::stepChoices(int row, int column) const {
    QStringList choices;
    for (const std::string& text : DeviceCellSteps(store_, row, column)) choices << QString::fromStdString(text);
    return choices;
}

void DeviceEditor::serialEntered(int address) {
    if (!validAddress(address)) return;
    const SerialEntry entry =
        DeviceSerialEntered(store_, serials_, address, grid_->cell(address, kDeviceSerialColumn).text);
    switch (entry.outcome) {
        case SerialEntry::Outcome::Installed:
            fillRow(address);
            return;
        case SerialEntry::Outcome::InUse:
            showMessage(this, QStringLiteral("Serial number %1 is already used at address %2")
                                  .arg(QString::fromLatin1(entry.serial.c_str()))
                                  .arg(entry.usedAt));
            break;
        case SerialEntry::Outcome::NotACode:
            break;
    }
    setCell(address, kDeviceSerialColumn, kNoSerialNumber, false);
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
