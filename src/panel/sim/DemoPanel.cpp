#include "panel/sim/DemoPanel.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "images/ImageChecksum.h"
#include "images/ImageLayout.h"
#include "images/LoopRecord.h"
#include "images/SiteImage.h"
#include "panel/FirmwareImage.h"
#include "panel/IdentityCopy.h"
#include "settings/DefaultSettings.h"
#include "settings/DeviceCatalogue.h"
#include "site/KeyFamily.h"

namespace tamrik {
namespace {

struct DemoDevice {
    int type;
    int zone;
    int inputGroup;
    int outputGroup;
    const char* text;
};

// Loop addresses 1..30 in order: detectors, call points, sounders, beacons and interfaces. Output
// groups: 1 the sprinkler zone module, 2 the sounders, 3 the warehouse and yard beacons, 4 the plant
// shutdown, 5 the lift recall, 6 the voice sounder (a talking device never shares a group with plain
// sounders, which could not keep in step with its message).
constexpr DemoDevice kDevices[] = {
    {0x40, 1, 1, 1, "Main entrance MCP"}, {0x01, 1, 1, 1, "Reception"},
    {0x22, 1, 1, 1, "Reception office"},  {0xD1, 1, 1, 2, "Lobby"},
    {0x23, 2, 2, 1, "Kitchen"},           {0x24, 2, 2, 1, "Staff room"},
    {0x40, 2, 2, 1, "Kitchen exit MCP"},  {0x83, 2, 2, 2, "Kitchen sounder"},
    {0x01, 3, 3, 1, "Store 1"},           {0x01, 3, 3, 1, "Store 2"},
    {0x48, 3, 3, 1, "Warehouse beam"},    {0x87, 3, 3, 3, "Warehouse beacon"},
    {0xA1, 3, 3, 3, "Warehouse sounder"}, {0x22, 4, 4, 1, "Stairs ground"},
    {0x22, 4, 4, 1, "Stairs first"},      {0x40, 4, 4, 1, "Stairs MCP"},
    {0x01, 5, 5, 1, "Office 1"},          {0x01, 5, 5, 1, "Office 2"},
    {0x01, 5, 5, 1, "Office 3"},          {0xD0, 5, 5, 2, "Open plan"},
    {0x85, 5, 5, 2, "Corridor first"},    {0x40, 5, 5, 1, "First floor MCP"},
    {0x24, 6, 6, 1, "Plant room"},        {0x23, 6, 6, 1, "Boiler room"},
    {0x82, 6, 6, 4, "AHU shutdown"},      {0x88, 6, 6, 5, "Lift recall"},
    {0xC3, 6, 6, 1, "Sprinkler flow"},    {0xD2, 1, 1, 6, "Entrance voice"},
    {0x86, 2, 2, 3, "Yard beacon"},       {0x22, 5, 5, 1, "Meeting room"},
};

constexpr int kGroupsInUse = 6;      // input groups 1..6 and output groups 1..6 have devices
constexpr int kSoundAlarmsRow = 32;  // the matrix row of the panel's Sound Alarms control

// The cause-and-effect matrix of the groups in use, rows are input groups 1..6 and Sound Alarms,
// columns output groups 1..6: every alarm sounds the sounders and the voice message and trips the
// sprinkler zone module; the warehouse sounder and the beacons pulse (P) for the warehouse only; the
// plant shutdown follows the plant room alone (W); the lift recalls for the stairs, the first floor
// and the plant room. Every other cell is off: a cell of a group without devices only hides mistakes.
constexpr const char* kMatrixInUse[] = {
    "CCOOOC",  // 1 ground floor front
    "CCOOOC",  // 2 kitchen and staff
    "CCPOOC",  // 3 warehouse
    "CCOOCC",  // 4 stairwell
    "CCOOCC",  // 5 first floor
    "CCOWCC",  // 6 plant and services
};
constexpr const char* kSoundAlarmsInUse = "CCCCCC";

constexpr const char* kZoneTexts[] = {"Ground floor front", "Kitchen and staff", "Warehouse",
                                      "Stairwell",          "First floor",       "Plant and services"};

void put(SettingsStore& store, std::string_view key, const std::string& value) { store.put(key, value); }

void putIndexed(SettingsStore& store, const KeyFamily& family, int index, const std::string& value) {
    store.put(family(index), value);
}

// Texts are shown on a 20-character line; the panel keeps them padded to full width.
std::string padded(const char* text) {
    std::string value(text);
    value.resize(20, ' ');
    return value;
}

void putRecord(std::uint8_t* at, int code, int source, std::uint32_t time) {
    at[0] = static_cast<std::uint8_t>(code);
    at[1] = static_cast<std::uint8_t>(source);
    for (int i = 0; i < 4; ++i) at[2 + i] = static_cast<std::uint8_t>(time >> (8 * i));
    at[6] = 0;
    at[7] = 0;
}

void writeU16(std::uint8_t* at, unsigned value) {
    at[0] = static_cast<std::uint8_t>(value);
    at[1] = static_cast<std::uint8_t>(value >> 8);
}

void buildEventLog(std::uint8_t* log) {
    std::memset(log, 0, kEventLogImageSize);
    constexpr std::uint32_t kMonday = 1717977600;  // 2024-06-10 00:00:00
    // Fire events: an alarm from a call point and a detector, then silence and reset.
    const struct {
        int code, source;
        std::uint32_t time;
    } fire[] = {
        {5, 7, kMonday + 9 * 3600 + 12 * 60},    {0, 0, kMonday + 9 * 3600 + 12 * 60 + 5},
        {3, 0, kMonday + 9 * 3600 + 15 * 60},    {2, 0, kMonday + 9 * 3600 + 21 * 60},
        {5, 5, kMonday + 86400 * 3 + 14 * 3600}, {0x85, 5, kMonday + 86400 * 3 + 14 * 3600 + 90},
    };
    const struct {
        int code, source;
        std::uint32_t time;
    } other[] = {
        {27, 0, kMonday + 7 * 3600},
        {30, 0, kMonday + 7 * 3600 + 60},
        {24, 0, kMonday + 7 * 3600 + 120},
        {6, 12, kMonday + 8 * 3600},
        {0x86, 12, kMonday + 8 * 3600 + 600},
        {18, 0, kMonday + 86400 + 2 * 3600},
        {0x92, 0, kMonday + 86400 + 2 * 3600 + 1800},
        {9, 195, kMonday + 86400 * 2 + 10 * 3600},
        {0x89, 195, kMonday + 86400 * 2 + 11 * 3600},
        {37, 0, kMonday + 86400 * 4},
        {10, 198, kMonday + 86400 * 4 + 3600},
        {36, 0, kMonday + 86400 * 5 + 16 * 3600},
    };
    std::size_t n = 0;
    for (const auto& event : fire) putRecord(log + kFireAreaOffset + 8 * n++, event.code, event.source, event.time);
    n = 0;
    for (const auto& event : other) putRecord(log + kNonFireAreaOffset + 8 * n++, event.code, event.source, event.time);
    writeU16(log + kEventLogAlarmCountOffset, 2);
    writeU16(log + kEventLogFireCountOffset, std::size(fire));
    writeU16(log + kEventLogNonFireCountOffset, std::size(other));
    unsigned sum = 0;
    for (std::size_t i = kEventLogCheckedOffset; i < kEventLogCheckedOffset + 4; ++i) sum += log[i];
    log[kEventLogCheckedOffset + 4] = static_cast<std::uint8_t>(kEventLogCheckSum - sum);
    log[kEventLogCheckedOffset + 5] = 0;
}

}  // namespace

void DemoSiteSettings(SettingsStore& store) {
    ApplyDefaultSettings(store);
    put(store, "PanelSnum", kDemoPanelSerial);
    put(store, "NumZones", "6");
    put(store, "MaxLoggedDev", "30");
    put(store, "Language", "0");
    put(store, "SiteName", "Harbour View Offices");
    put(store, "SiteNumber", "HV-017");
    put(store, "SiteContact", "Facilities desk");
    put(store, "SiteAddress", "4 Quay Street");
    put(store, "SitePostcode", "QS1 4HV");
    put(store, "SitePhone", "0100 555 0170");
    put(store, "SiteComments", "Demonstration panel: every value here is made up.");
    put(store, "SiteEngineer", "Demo engineer");
    put(store, "SiteCommission", "10/06/2024");

    put(store, "SiteResistance", "4.6");
    put(store, "SiteQuiescent", "0.016");
    put(store, "SiteAlarm", "0.141");
    put(store, "SiteBattery", "Generic");
    put(store, "SiteBatteryType", "12V 7Ah");
    put(store, "SiteBatteryInstallation", "10/06/2024");

    int address = 1;
    for (const DemoDevice& device : kDevices) {
        const DeviceType* type = DeviceTypeFind(static_cast<std::uint32_t>(device.type));
        char serial[16];
        std::snprintf(serial, sizeof serial, "%06X", 0x10A000 + 37 * address);
        putIndexed(store, key::Serial, address, serial);
        putIndexed(store, key::Type, address, std::to_string(device.type));
        // Software versions vary, none older than the type needs.
        const int minimum = type ? type->minVersion : 1;
        putIndexed(store, key::Version, address, std::to_string(std::max(15 + address % 7, minimum + address % 4)));
        putIndexed(store, key::Zone, address, std::to_string(device.zone));
        putIndexed(store, key::InputGroup, address, std::to_string(device.inputGroup));
        putIndexed(store, key::OutputGroup, address, std::to_string(device.outputGroup));
        putIndexed(store, key::MapNode, address, std::to_string(address));
        putIndexed(store, key::DeviceText, address, padded(device.text));
        if (IsManualCallPointType(static_cast<std::uint32_t>(device.type))) putIndexed(store, key::Class, address, "1");
        // Detectors with sensitivity modes start in their first mode day and night.
        const auto modes = SensModesAllowed(static_cast<std::uint32_t>(device.type));
        if (!modes.empty()) {
            putIndexed(store, key::DaySensitivity, address, std::to_string(modes.front()));
            putIndexed(store, key::NightSensitivity, address, std::to_string(modes.front()));
        }
        ++address;
    }
    putIndexed(store, key::DaySensitivity, 3, "2");
    putIndexed(store, key::NightSensitivity, 3, "3");
    putIndexed(store, key::Class, 4, "1");
    putIndexed(store, key::Volume, 8, "9");
    putIndexed(store, key::NonLatching, 25, "1");
    putIndexed(store, key::DisplayGroup, 28, "2");
    putIndexed(store, key::RepeatGroup, 20, "1");
    putIndexed(store, key::Coverage, 12, "5");

    for (int zone = 1; zone <= 6; ++zone) putIndexed(store, key::ZoneText, zone, padded(kZoneTexts[zone - 1]));

    for (int input = 1; input <= kGroupCount; ++input) {
        const char* row = input <= kGroupsInUse      ? kMatrixInUse[input - 1]
                          : input == kSoundAlarmsRow ? kSoundAlarmsInUse
                                                     : nullptr;
        for (int output = 1; output <= kGroupCount; ++output) {
            const char cell = row && output <= kGroupsInUse ? row[output - 1] : 'O';
            put(store, key::Matrix(input, output), std::string(1, cell));
        }
    }
    putIndexed(store, key::DelayT1, 4, "0:30");
    putIndexed(store, key::DelayT1, 5, "1:00");
    putIndexed(store, key::DelayT2, 5, "2:30");
    putIndexed(store, key::AlarmType, 2, "1");
    putIndexed(store, key::AlarmType, 3, "2");
    store.markSaved();
}

void BuildDemoPanel(SimulatedPanel& panel) {
    std::uint8_t* program = panel.programMemory();
    std::fill_n(program, kProgramMemoryBytes, 0xFF);
    std::fill_n(panel.dataMemory(), kDataMemoryBytes, 0x00);

    FirmwareSetVersionChars(program, kDemoFirmwareVersion);
    FirmwareSetTypeChars(program, kDemoFirmwareType);
    FirmwareStampChecksum(program, kDefaultProgramMemoryEnd - kEraseBlockUnits);

    SettingsStore store;
    DemoSiteSettings(store);
    std::vector<std::uint8_t> site(kSiteImageSize);
    PanelIdentity identity{};
    const std::uint16_t siteChecksum = SiteImageEncode(store, site.data(), identity);
    std::vector<std::uint8_t> loop(kLoopImageSize);
    for (int address = 1; address <= kLoopRecordCount; ++address) {
        LoopRecordEncode(store, loop.data() + kLoopRecordSize * (address - 1), address);
    }
    panel.writeWordData(kSiteDataAddress, site.data(), site.size());
    panel.writeWordData(kLoopDataAddress, loop.data(), loop.size());
    const auto copy = IdentityCopyBuild(identity);
    panel.writeWordData(kIdentityCopyAddress, copy.data(), copy.size());

    buildEventLog(panel.dataMemory());
    writeU16(panel.dataMemory() + kSiteChecksumDataAddress, siteChecksum);
    writeU16(panel.dataMemory() + kLoopChecksumDataAddress, ImageChecksum(loop.data(), loop.size()));
}

}  // namespace tamrik
