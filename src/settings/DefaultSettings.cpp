#include "settings/DefaultSettings.h"

#include <cstdio>

namespace tamrik {
namespace {

struct KeyDefault {
    const char* key;
    const char* value;
};

// Per loop address, in insertion order.
constexpr KeyDefault kDeviceDefaults[] = {
    {"DeviceText_%d", "                    "},
    {"Zone_%d", "1"},
    {"OPGroup_%d", "1"},
    {"IPGroup_%d", "1"},
    {"DisplayGroup_%d", "0"},
    {"RptGroup_%d", "0"},
    {"Sens1_%d", "0"},
    {"Sens2_%d", "0"},
    {"Type_%d", "0"},
    {"Volume_%d", "15"},
    {"Class_%d", "0"},
    {"SNum_%d", "000000"},
    {"Version_%d", "0"},
    {"MapNode_%d", "0"},
    {"Coverage_%d", "2"},
};

constexpr KeyDefault kPanelDefaults[] = {
    {"ContractorCode", "0"},
    {"PulseOnTime", "1.0"},
    {"PulseOffTime", "1.0"},
    {"DayNightOnTime", "0:00"},
    {"DayNightOffTime", "0:00"},
    {"FireLinkDelay", "0:00"},
    {"TalkingSndSyncTime", "20"},
    {"ServiceReminderDays", "90"},
    {"SearchTime", "0:00"},
    {"WalkTestTimeout", "12"},
    {"PulsingAlarmTimeoutTime", "0:00"},
    {"PulsingAlarmTimeoutTone", "1"},
    {"FaultRelayMode", "0"},
    {"FireRelayMode", "0"},
    {"UserCode", "241133"},
    {"UserCode2", "312244"},
    {"EngineerCode", "423311"},
    {"AdvancedCode", "132244"},
    {"DisabledOPGroups", "0"},
    {"MaxLoggedDev", "192"},
    {"NumZones", "32"},
    {"SFRevision", "2"},
    {"BeaconFlashrate", "2"},
    {"ConvAlarmOpGroup", "1"},
    {"FirstKnockSearchTime", "0:00"},
    {"TsSpokenMess", "1"},
    {"PanelSnum", "53000000"},
    {"SiteNumber", ""},
    {"SiteName", ""},
    {"SiteContact", ""},
    {"SiteAddress", ""},
    {"SitePostcode", ""},
    {"SitePhone", ""},
    {"SiteComments", ""},
    {"SiteEngineer", ""},
    {"SiteCommission", ""},
    {"SiteResistance", ""},
    {"SiteQuiescent", ""},
    {"SiteAlarm", ""},
    {"SiteBattery", ""},
    {"SiteBatteryType", ""},
    {"SiteBatteryInstallation", ""},
    {"FlashOnPoll", "1"},
    {"DayNightIp", "0"},
    {"2ndKnock", "0"},
    {"SecondFireLink", "0"},
    {"FlashFirstDG", "0"},
    {"DisplayMode", "0"},
    {"CancelDelays", "0"},
    {"FBP", "0"},
    {"FBP_NoDisplay", "0"},
    {"Serial", "0"},
};

}  // namespace

void ApplyDefaultSettings(SettingsStore& store) {
    char key[64];
    char value[32];
    for (int address = 1; address <= kLoopAddressCount; ++address) {
        for (const auto& item : kDeviceDefaults) {
            std::snprintf(key, sizeof key, item.key, address);
            store.insertIfAbsent(key, item.value);
        }
    }
    for (int n = 1; n <= kZoneCount; ++n) {
        std::snprintf(key, sizeof key, "ZoneText_%d", n);
        std::snprintf(value, sizeof value, "Zone %02d             ", n);
        store.insertIfAbsent(key, value);
        std::snprintf(key, sizeof key, "AlarmType_%d", n);
        store.insertIfAbsent(key, "0");
    }
    store.insertIfAbsent("BannerText_1", "    TARVEX 5300     ");
    store.insertIfAbsent("BannerText_2", "   CONTROL PANEL    ");
    for (int input = 1; input <= kGroupCount; ++input) {
        for (int output = 1; output <= kGroupCount; ++output) {
            std::snprintf(key, sizeof key, "Matrix_%d_%d", input, output);
            store.insertIfAbsent(key, "C");
        }
    }
    for (const auto& item : kPanelDefaults) store.insertIfAbsent(item.key, item.value);
    store.markSaved();
}

}  // namespace tamrik
