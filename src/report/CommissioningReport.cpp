#include "report/CommissioningReport.h"

#include <algorithm>
#include <ctime>
#include <map>

#include "checker/SiteCheck.h"
#include "settings/DefaultSettings.h"
#include "settings/DeviceCatalogue.h"
#include "site/EventList.h"
#include "site/MatrixTable.h"
#include "site/SiteKeys.h"

namespace tamrik {
namespace {

std::string text(const SettingsStore& store, std::string_view name) { return std::string(store.text(name)); }

int number(const SettingsStore& store, std::string_view name) { return ParseLeadingInt(store.text(name)); }

// Shown texts end in the blanks that fill the panel's 20-character display.
std::string trimmed(std::string_view value) {
    const auto end = value.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string() : std::string(value.substr(0, end + 1));
}

std::vector<CommissioningReport::Field> fieldsOf(const SettingsStore& store, std::span<const SiteKey> keys,
                                                 bool secrets) {
    std::vector<CommissioningReport::Field> fields;
    for (const SiteKey& key : keys) {
        if ((key.words == ValueWords::Secret) != secrets) continue;
        fields.push_back({key.label, ValueInWords(key.words, store.get(key.key))});
    }
    return fields;
}

std::vector<CommissioningReport::Field> panelOptions(const SettingsStore& store) {
    std::vector<CommissioningReport::Field> fields = {
        {"Panel software version", std::string(store.text("FirmwareVersion", "N/A"))}};
    for (auto& field : fieldsOf(store, PanelOptionKeys(), false)) fields.push_back(std::move(field));
    return fields;
}

// Zone numbers are taken, as the panel takes them, from the low 8 bits of the stored number.
int zoneOf(const SettingsStore& store, int address) {
    return static_cast<int>(DeviceNumberByte(number(store, key::Zone(address))));
}

CommissioningReport::Device deviceAt(const SettingsStore& store, int address) {
    const auto value = [&](const KeyFamily& family) { return text(store, family(address)); };
    CommissioningReport::Device device;
    device.address = address;
    device.type = DeviceTypeName(static_cast<std::uint32_t>(number(store, key::Type(address))));
    device.serial = value(key::Serial);
    device.zone = std::to_string(zoneOf(store, address));
    device.inputGroup = value(key::InputGroup);
    device.outputGroup = value(key::OutputGroup);
    device.daySensitivity = SensModeName(store.get(key::DaySensitivity(address)));
    device.nightSensitivity = SensModeName(store.get(key::NightSensitivity(address)));
    device.deviceClass = ClassName(number(store, key::Class(address)));
    device.volume = VolumeName(number(store, key::Volume(address)));
    device.latching = LatchingName(store.contains(key::NonLatching(address)));
    device.text = trimmed(value(key::DeviceText));
    return device;
}

bool installed(const SettingsStore& store, int address) { return number(store, key::Type(address)) != 0; }

CommissioningReport::Matrix matrix(const SettingsStore& store) {
    CommissioningReport::Matrix matrix;
    const std::uint32_t disabled = DisabledOutputGroups(store);
    for (int group = 1; group <= kGroupCount; ++group) {
        auto& output = matrix.outputs[static_cast<std::size_t>(group - 1)];
        output.disabled = (disabled >> (group - 1)) & 1u;
        output.delayT1 = OutputDelay(store, false, group);
        output.delayT2 = OutputDelay(store, true, group);
        if (const auto type = store.get(key::AlarmType(group))) output.alarmType = AlarmTypeName(*type);

        matrix.inputLabels[static_cast<std::size_t>(group - 1)] = InputGroupLabel(store, group);
        for (int out = 1; out <= kGroupCount; ++out) {
            const std::string_view letter = store.text(key::Matrix(group, out), "C");
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

std::vector<CommissioningReport::EventCount> countsOf(const SettingsStore& store, const KeyFamily& log) {
    const KeyFamily* const logs[] = {&log};
    std::map<std::string, int> counts;
    for (const std::string& value : EventListCollect(store, logs)) ++counts[EventRowOf(value).text];
    std::vector<CommissioningReport::EventCount> sorted;
    for (const auto& [text, count] : counts) sorted.push_back({text, count});
    std::stable_sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) { return a.count > b.count; });
    return sorted;
}

CommissioningReport::Events events(const SettingsStore& store) {
    CommissioningReport::Events events;
    events.fireCounts = countsOf(store, key::FireEvent);
    events.nonFireCounts = countsOf(store, key::NonFireEvent);
    const std::vector<std::string> all = EventListCollect(store, kCombinedEventLogs);
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
    report.siteName = trimmed(store.text("SiteName"));
    report.generatedAt = std::move(generatedAt);
    report.panelReadAt = std::move(panelReadAt);
    report.siteInformation = fieldsOf(store, SiteInformationKeys(), false);
    report.panelOptions = panelOptions(store);
    report.accessLevels = fieldsOf(store, PanelOptionKeys(), true);

    std::map<int, std::vector<int>> zones;
    for (int address = 1; address <= kLoopAddressCount; ++address) {
        if (!installed(store, address)) continue;
        report.devices.push_back(deviceAt(store, address));
        zones[zoneOf(store, address)].push_back(address);
    }
    for (auto& [zone, addresses] : zones) {
        const std::string zoneText =
            zone >= 1 && zone <= kZoneCount ? trimmed(store.text(key::ZoneText(zone))) : std::string();
        report.zones.push_back({zone, zoneText, std::move(addresses)});
    }
    report.matrix = matrix(store);
    report.check = designCheck(store);
    report.events = events(store);
    return report;
}

}  // namespace tamrik
