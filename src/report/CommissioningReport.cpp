#include "report/CommissioningReport.h"

#include <algorithm>
#include <ctime>
#include <map>

#include "checker/SiteCheck.h"
#include "exports/EventList.h"
#include "settings/DefaultSettings.h"
#include "settings/DeviceCatalogue.h"
#include "site/PanelOptionWords.h"

namespace tamrik {
namespace {

std::string key(const char* format, int number) {
    char text[40];
    std::snprintf(text, sizeof text, format, number);
    return text;
}

std::string text(const SettingsStore& store, std::string_view name) { return std::string(SettingText(store, name)); }

int number(const SettingsStore& store, std::string_view name) { return ParseLeadingInt(SettingText(store, name)); }

// Shown texts end in the blanks that fill the panel's 20-character display.
std::string trimmed(std::string_view value) {
    const auto end = value.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string() : std::string(value.substr(0, end + 1));
}

// A list position in words; a position the list does not know is shown as stored.
std::string listWord(const SettingsStore& store, std::string_view name, std::string_view (*word)(int)) {
    const std::string_view found = word(number(store, name));
    return found.empty() ? text(store, name) : std::string(found);
}

std::string yesNo(const SettingsStore& store, std::string_view name) { return number(store, name) ? "Yes" : "No"; }

std::vector<CommissioningReport::Field> siteInformation(const SettingsStore& store) {
    static constexpr std::pair<const char*, const char*> kFields[] = {
        {"Site number", "SiteNumber"},
        {"Site name", "SiteName"},
        {"Site contact", "SiteContact"},
        {"Site address", "SiteAddress"},
        {"Post code", "SitePostcode"},
        {"Telephone number", "SitePhone"},
        {"Comments", "SiteComments"},
        {"Engineer's name", "SiteEngineer"},
        {"Commissioning date", "SiteCommission"},
        {"Loop resistance (Ohms)", "SiteResistance"},
        {"Loop quiescent current (Amps)", "SiteQuiescent"},
        {"Loop alarm current (Amps)", "SiteAlarm"},
        {"Battery manufacturer", "SiteBattery"},
        {"Battery type and Ah capacity", "SiteBatteryType"},
        {"Battery installation date", "SiteBatteryInstallation"},
    };
    std::vector<CommissioningReport::Field> fields;
    for (const auto& [label, name] : kFields) fields.push_back({label, text(store, name)});
    return fields;
}

std::vector<CommissioningReport::Field> panelOptions(const SettingsStore& store) {
    std::vector<CommissioningReport::Field> fields = {
        {"Panel serial number", text(store, "PanelSnum")},
        {"Panel software version", std::string(SettingText(store, "FirmwareVersion", "N/A"))},
        {"Panel type", listWord(store, "PanelType", PanelTypeName)},
        {"Overlay", listWord(store, "OverlayType", PanelTypeName)},
        {"Language", listWord(store, "Language", LanguageName)},
        {"Panel contractor", text(store, "ContractorCode")},
        {"Number of zones", text(store, "NumZones")},
        {"Devices per loop", text(store, "MaxLoggedDev")},
        {"Fault relay mode", listWord(store, "FaultRelayMode", FaultRelayModeName)},
        {"Fire relay mode", listWord(store, "FireRelayMode", FireRelayModeName)},
        {"System normal display", listWord(store, "DisplayMode", DisplayModeName)},
        {"Activation delay (m:ss)", text(store, "FireLinkDelay")},
        {"First knock search time (m:ss)", text(store, "FirstKnockSearchTime")},
        {"Search time (m:ss)", text(store, "SearchTime")},
        {"Night time (h:mm)", text(store, "DayNightOnTime")},
        {"Day time (h:mm)", text(store, "DayNightOffTime")},
        {"Pulsing alarm timeout (m:ss)", text(store, "PulsingAlarmTimeoutTime")},
        {"Timeout tone", listWord(store, "PulsingAlarmTimeoutTone", TimeoutToneName)},
        {"Pulse on time (s)", text(store, "PulseOnTime")},
        {"Pulse off time (s)", text(store, "PulseOffTime")},
        {"Talking sounder sync. time (s)", text(store, "TalkingSndSyncTime")},
        {"Service reminder days", text(store, "ServiceReminderDays")},
        {"Walk test timeout", text(store, "WalkTestTimeout")},
        {"Beacon flash rate", listWord(store, "BeaconFlashrate", FlashRateName)},
        {"Conventional alarm output group", text(store, "ConvAlarmOpGroup")},
    };
    static constexpr std::pair<const char*, const char*> kFlags[] = {
        {"Flash on poll", "FlashOnPoll"},
        {"Class change input (input group 30)", "ClassChange"},
        {"Remote alarm input (input group 31)", "RemoteAlarmInput"},
        {"Remote alarm input operates control output groups", "RaiControl"},
        {"Remote alarm input operates day/night selection", "DayNightIp"},
        {"Override delays on second knock coincidence", "2ndKnock"},
        {"Conventional alarm outputs as manual fire link", "SecondFireLink"},
        {"Flash first display group in alarm", "FlashFirstDG"},
        {"Cancel all delays in night mode", "CancelDelays"},
        {"Fire brigade panel", "FBP"},
        {"LCD off when fire brigade panel enabled", "FBP_NoDisplay"},
        {"Serial port", "Serial"},
    };
    for (const auto& [label, name] : kFlags) fields.push_back({label, yesNo(store, name)});
    return fields;
}

std::vector<CommissioningReport::Field> accessLevels(const SettingsStore& store) {
    static constexpr std::pair<const char*, const char*> kCodes[] = {
        {"User code", "UserCode"},
        {"User code 2", "UserCode2"},
        {"Engineer code", "EngineerCode"},
        {"Advanced code", "AdvancedCode"},
    };
    std::vector<CommissioningReport::Field> fields;
    for (const auto& [label, name] : kCodes) {
        fields.push_back({label, SettingGet(store, name) ? "Set (not shown)" : "Not set"});
    }
    return fields;
}

// Zone numbers are taken, as the panel takes them, from the low 8 bits of the stored number.
int zoneOf(const SettingsStore& store, int address) { return number(store, key("Zone_%d", address)) & 0xFF; }

CommissioningReport::Device deviceAt(const SettingsStore& store, int address) {
    const auto value = [&](const char* format) { return text(store, key(format, address)); };
    CommissioningReport::Device device;
    device.address = address;
    device.type = DeviceTypeName(static_cast<std::uint32_t>(number(store, key("Type_%d", address))));
    device.serial = value("SNum_%d");
    device.zone = std::to_string(zoneOf(store, address));
    device.inputGroup = value("IPGroup_%d");
    device.outputGroup = value("OPGroup_%d");
    device.daySensitivity = SensModeName(SettingGet(store, key("Sens1_%d", address)));
    device.nightSensitivity = SensModeName(SettingGet(store, key("Sens2_%d", address)));
    device.deviceClass = ClassName(number(store, key("Class_%d", address)));
    device.volume = VolumeName(number(store, key("Volume_%d", address)));
    device.latching = LatchingName(SettingGet(store, key("NonLatching_%d", address)) != nullptr);
    device.text = trimmed(value("DeviceText_%d"));
    return device;
}

bool installed(const SettingsStore& store, int address) { return number(store, key("Type_%d", address)) != 0; }

CommissioningReport::Matrix matrix(const SettingsStore& store) {
    CommissioningReport::Matrix matrix;
    const auto disabled = static_cast<std::uint32_t>(number(store, "DisabledOPGroups"));
    for (int group = 1; group <= kGroupCount; ++group) {
        auto& output = matrix.outputs[static_cast<std::size_t>(group - 1)];
        output.disabled = (disabled >> (group - 1)) & 1u;
        output.delayT1 = std::string(SettingText(store, key("OutputDelay_%d", group), "0:00"));
        output.delayT2 = std::string(SettingText(store, key("OutputDelayT2_%d", group), "0:00"));
        if (const char* type = SettingGet(store, key("AlarmType_%d", group))) output.alarmType = AlarmTypeName(type);

        auto& label = matrix.inputLabels[static_cast<std::size_t>(group - 1)];
        label = "IPG" + std::to_string(group);
        if (group == 30 && number(store, "ClassChange")) label = "Class Change";
        if (group == 31 && number(store, "RemoteAlarmInput")) label = "Remote Alarm";
        if (group == 32) label = "Sound Alarms";
        for (int out = 1; out <= kGroupCount; ++out) {
            const std::string_view letter = SettingText(store, "Matrix_" + std::to_string(group) + "_" +
                                                                   std::to_string(out), "C");
            const char c = letter.size() == 1 && std::string_view("OCPW").find(letter[0]) != std::string_view::npos
                               ? letter[0]
                               : '?';
            matrix.cells[static_cast<std::size_t>(group - 1)][static_cast<std::size_t>(out - 1)] = c;
        }
    }
    matrix.coincidenceGroups = std::clamp(number(store, "CoincidenceInputGroups"), 0, 12);
    return matrix;
}

CommissioningReport::DesignCheck designCheck(SettingsStore& store) {
    const SiteCheckResult result = SiteCheck(store, true);
    CommissioningReport::DesignCheck check;
    check.faultCount = result.faultCount;
    std::string_view report = result.report;
    while (!report.empty()) {
        const auto end = report.find("\r\n");
        check.faults.emplace_back(report.substr(0, end));
        report = end == std::string_view::npos ? std::string_view{} : report.substr(end + 2);
    }
    check.quiescentMilliamps = result.quiescentMilliamps;
    check.alarmMilliamps = result.alarmMilliamps;
    check.alarmLimitMilliamps = kAlarmCurrentLimit;
    return check;
}

std::vector<CommissioningReport::EventCount> countsOf(const SettingsStore& store, const char* keyFormat) {
    const char* const formats[] = {keyFormat};
    std::map<std::string, int> counts;
    for (const std::string& value : EventListCollect(store, formats)) ++counts[EventRowOf(value).text];
    std::vector<CommissioningReport::EventCount> sorted;
    for (const auto& [text, count] : counts) sorted.push_back({text, count});
    std::stable_sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) { return a.count > b.count; });
    return sorted;
}

CommissioningReport::Events events(const SettingsStore& store) {
    CommissioningReport::Events events;
    events.fireCounts = countsOf(store, kFireEventKey);
    events.nonFireCounts = countsOf(store, kNonFireEventKey);
    const std::vector<std::string> all = EventListCollect(store, kCombinedEventKeys);
    const std::size_t first = all.size() > kReportLatestEvents ? all.size() - kReportLatestEvents : 0;
    for (std::size_t i = all.size(); i > first; --i) events.latest.push_back(EventRowOf(all[i - 1]));
    return events;
}

}  // namespace

std::string ReportTimeText() {
    const std::time_t now = std::time(nullptr);
    char text[32] = "";
    if (const std::tm* utc = std::gmtime(&now)) std::strftime(text, sizeof text, "%Y-%m-%d %H:%M UTC", utc);
    return text;
}

CommissioningReport BuildCommissioningReport(SettingsStore& store, std::string generatedAt,
                                             std::optional<std::string> panelReadAt) {
    CommissioningReport report;
    report.siteName = trimmed(SettingText(store, "SiteName"));
    report.generatedAt = std::move(generatedAt);
    report.panelReadAt = std::move(panelReadAt);
    report.siteInformation = siteInformation(store);
    report.panelOptions = panelOptions(store);
    report.accessLevels = accessLevels(store);

    std::map<int, std::vector<int>> zones;
    for (int address = 1; address <= kLoopAddressCount; ++address) {
        if (!installed(store, address)) continue;
        report.devices.push_back(deviceAt(store, address));
        zones[zoneOf(store, address)].push_back(address);
    }
    for (auto& [zone, addresses] : zones) {
        const std::string zoneText = zone >= 1 && zone <= kZoneCount ? trimmed(SettingText(store, key("ZoneText_%d", zone)))
                                                                     : std::string();
        report.zones.push_back({zone, zoneText, std::move(addresses)});
    }
    report.matrix = matrix(store);
    report.check = designCheck(store);
    report.events = events(store);
    return report;
}

}  // namespace tamrik
