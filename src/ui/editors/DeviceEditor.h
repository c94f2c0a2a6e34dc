#pragma once

#include <cstdint>

#include "settings/SettingsStore.h"
#include "site/SerialNumberEntry.h"
#include "ui/editors/SiteEditor.h"

namespace tamrik {

// The loop device table: one row per address 1 to 192. Serial numbers, zones and groups are typed
// (and reach the store at writeBack, except a serial number, which installs its device at once);
// the other settings change by clicking. Delete clears a device; dragging a row onto another swaps
// the two devices.
class DeviceEditor : public SiteEditor {
    Q_OBJECT

public:
    DeviceEditor(SettingsStore& store, Grid* grid, QWidget* parent = nullptr);

    void writeBack() override;

    QStringList stepChoices(int row, int column) const override;

protected:
    void stepCell(int row, int column) override { click(row, column); }

private:
    // Whether the grid may store a typed text.
    bool acceptEdit(int column, std::string_view typed);
    void fill();
    void fillRow(int address);
    void setCell(int address, int column, const std::string& text, bool readOnly = true);
    void gridEvent(Grid::Event event, int row, int column) override;
    void click(int row, int column);
    void serialEntered(int address);
    void deleteDevice(int address);
    void swapDevices(int from, int to);

    SettingsStore& store_;
    Grid* grid_;
    SerialNumberMemory serials_;
    // Set while the grid stores a text the editor accepted, so that a cancelled edit (which the grid
    // reports the same way) leaves the cell alone.
    bool editAccepted_ = false;
};

}  // namespace tamrik
