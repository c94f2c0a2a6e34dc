#include "site/SiteKeys.h"

#include "settings/DefaultSettings.h"
#include "settings/DeviceCatalogue.h"
#include "settings/SettingsStore.h"
#include "site/PanelOptionWords.h"

namespace tamrik {
namespace {

constexpr SiteKey kSiteInformation[] = {
    {"SiteNumber", "Site number"},
    {"SiteName", "Site name"},
    {"SiteContact", "Site contact"},
    {"SiteAddress", "Site address"},
    {"SitePostcode", "Post code"},
    {"SitePhone", "Telephone number"},
    {"SiteComments", "Comments"},
    {"SiteEngineer", "Engineer's name"},
    {"SiteCommission", "Commissioning date"},
    {"SiteResistance", "Loop resistance (Ohms)"},
    {"SiteQuiescent", "Loop quiescent current (Amps)"},
    {"SiteAlarm", "Loop alarm current (Amps)"},
    {"SiteBattery", "Battery manufacturer"},
    {"SiteBatteryType", "Battery type and Ah capacity"},
    {"SiteBatteryInstallation", "Battery installation date"},
};

constexpr SiteKey kPanelOptions[] = {
    {"PanelSnum", "Panel serial number"},
    {"PanelType", "Panel type", ValueWords::PanelType},
    {"OverlayType", "Overlay", ValueWords::PanelType},
    {"Language", "Language", ValueWords::Language},
    {"ContractorCode", "Panel contractor"},
    {"NumZones", "Number of zones"},
    {"MaxLoggedDev", "Devices per loop"},
    {"SFRevision", "Site file revision"},
    {"FaultRelayMode", "Fault relay mode", ValueWords::FaultRelayMode},
    {"FireRelayMode", "Fire relay mode", ValueWords::FireRelayMode},
    {"DisplayMode", "System normal display", ValueWords::DisplayMode},
    {"FireLinkDelay", "Activation delay (m:ss)"},
    {"FirstKnockSearchTime", "First knock search time (m:ss)"},
    {"SearchTime", "Search time (m:ss)"},
    {"DayNightOnTime", "Night time (h:mm)"},
    {"DayNightOffTime", "Day time (h:mm)"},
    {"PulsingAlarmTimeoutTime", "Pulsing alarm timeout (m:ss)"},
    {"PulsingAlarmTimeoutTone", "Timeout tone", ValueWords::TimeoutTone},
    {"PulseOnTime", "Pulse on time (s)"},
    {"PulseOffTime", "Pulse off time (s)"},
    {"TalkingSndSyncTime", "Talking sounder sync. time (s)"},
    {"ServiceReminderDays", "Service reminder days"},
    {"WalkTestTimeout", "Walk test timeout"},
    {"BeaconFlashrate", "Beacon flash rate", ValueWords::FlashRate},
    {"ConvAlarmOpGroup", "Conventional alarm output group"},
    {"CoincidenceInputGroups", "Coincidence groups"},
    {"FlashOnPoll", "Flash on poll", ValueWords::YesNo},
    {"ClassChange", "Class change input (input group 30)", ValueWords::YesNo},
    {"RemoteAlarmInput", "Remote alarm input (input group 31)", ValueWords::YesNo},
    {"RaiControl", "Remote alarm input operates control output groups", ValueWords::YesNo},
    {"DayNightIp", "Remote alarm input operates day/night selection", ValueWords::YesNo},
    {"2ndKnock", "Override delays on second knock coincidence", ValueWords::YesNo},
    {"SecondFireLink", "Conventional alarm outputs as manual fire link", ValueWords::YesNo},
    {"FlashFirstDG", "Flash first display group in alarm", ValueWords::YesNo},
    {"CancelDelays", "Cancel all delays in night mode", ValueWords::YesNo},
    {"FBP", "Fire brigade panel", ValueWords::YesNo},
    {"FBP_NoDisplay", "LCD off when fire brigade panel enabled", ValueWords::YesNo},
    {"Serial", "Serial port", ValueWords::YesNo},
    {"MaleVoice", "Male voice", ValueWords::YesNo},
    {"TsSpokenTest", "Spoken test message", ValueWords::YesNo},
    {"TsSpokenMess", "Spoken messages", ValueWords::YesNo},
    {"TsElectronic", "Electronic sounds", ValueWords::YesNo},
    {"TsBellSound", "Bell sounds", ValueWords::YesNo},
    {"Beacon", "Beacon adopts sounder output group + 1", ValueWords::YesNo},
    {"BeaconFlashUntil", "Beacon flashes until reset", ValueWords::YesNo},
    {"ClassBeacon", "Beacon inhibits class change", ValueWords::YesNo},
    {"UserCode", "User code", ValueWords::Secret},
    {"UserCode2", "User code 2", ValueWords::Secret},
    {"EngineerCode", "Engineer code", ValueWords::Secret},
    {"AdvancedCode", "Advanced code", ValueWords::Secret},
};

constexpr DeviceKey kDeviceKeys[] = {
    {&key::Type, "Type", ValueWords::DeviceType},
    {&key::Serial, "Serial"},
    {&key::Version, "Version"},
    {&key::MapNode, "Map node"},
    {&key::Zone, "Zone"},
    {&key::DaySensitivity, "Day sensitivity", ValueWords::Sensitivity},
    {&key::NightSensitivity, "Night sensitivity", ValueWords::Sensitivity},
    {&key::InputGroup, "Input group"},
    {&key::OutputGroup, "Output group"},
    {&key::DisplayGroup, "Display group"},
    {&key::RepeatGroup, "Repeat group"},
    {&key::Volume, "Volume", ValueWords::Volume},
    {&key::Class, "Class", ValueWords::DeviceClass},
    {&key::NonLatching, "Latching", ValueWords::Latching},
    {&key::Coverage, "Msg52 Config"},
    {&key::DeviceText, "Text", ValueWords::DisplayText},
};

std::string listWord(std::string_view (*word)(int), std::string_view value) {
    const std::string_view found = word(ParseLeadingInt(value));
    return found.empty() ? std::string(value) : std::string(found);
}

}  // namespace

std::span<const SiteKey> SiteInformationKeys() { return kSiteInformation; }
std::span<const SiteKey> PanelOptionKeys() { return kPanelOptions; }
std::span<const DeviceKey> DeviceKeys() { return kDeviceKeys; }

namespace {

const DeviceKey* deviceKeyOf(std::string_view key, int& address) {
    for (const DeviceKey& device : kDeviceKeys) {
        address = device.family->numberOf(key);
        if (address) return &device;
    }
    return nullptr;
}

}  // namespace

int DeviceAddressOf(std::string_view key) {
    int address = 0;
    return deviceKeyOf(key, address) ? address : 0;
}

std::string SettingName(std::string_view key) {
    int number = 0;
    if (const DeviceKey* device = deviceKeyOf(key, number)) {
        return std::string(device->label) + " of device " + std::to_string(number);
    }
    for (const auto keys : {SiteInformationKeys(), PanelOptionKeys()}) {
        for (const SiteKey& known : keys) {
            if (key == known.key) return known.label;
        }
    }
    if (const auto [input, output] = key::Matrix.numbersOf(key); input) {
        return "Matrix IPG" + std::to_string(input) + " / OPG" + std::to_string(output);
    }
    static constexpr std::pair<const KeyFamily*, std::string_view> kFamilies[] = {
        {&key::ZoneText, "Zone text "},     {&key::BannerText, "Banner text "},     {&key::DelayT1, "Delay T1 of OPG"},
        {&key::DelayT2, "Delay T2 of OPG"}, {&key::AlarmType, "Alarm type of OPG"},
    };
    for (const auto& [family, words] : kFamilies) {
        if (const int n = family->numberOf(key)) return std::string(words) + std::to_string(n);
    }
    return std::string(key);
}

std::string ValueInWords(ValueWords words, std::optional<std::string_view> value) {
    if (words == ValueWords::Latching) return std::string(LatchingName(value.has_value()));
    if (words == ValueWords::Secret) return value ? "set" : "not set";
    // A missing option goes to the panel as zero: the first choice of its list, or No.
    const bool zeroIsAChoice = words >= ValueWords::YesNo && words <= ValueWords::FlashRate;
    if (!value && zeroIsAChoice) return ValueInWords(words, "0");
    if (!value) return "(none)";
    const std::string_view text = *value;
    switch (words) {
        case ValueWords::DisplayText: {
            const auto end = text.find_last_not_of(' ');
            return end == std::string_view::npos ? std::string() : std::string(text.substr(0, end + 1));
        }
        case ValueWords::YesNo:
            return ParseLeadingInt(text) ? "Yes" : "No";
        case ValueWords::Language:
            return listWord(LanguageName, text);
        case ValueWords::PanelType:
            return listWord(PanelTypeName, text);
        case ValueWords::FaultRelayMode:
            return listWord(FaultRelayModeName, text);
        case ValueWords::FireRelayMode:
            return listWord(FireRelayModeName, text);
        case ValueWords::DisplayMode:
            return listWord(DisplayModeName, text);
        case ValueWords::TimeoutTone:
            return listWord(TimeoutToneName, text);
        case ValueWords::FlashRate:
            return listWord(FlashRateName, text);
        case ValueWords::DeviceType:
            return DeviceTypeName(static_cast<std::uint32_t>(ParseLeadingInt(text)));
        case ValueWords::Sensitivity:
            return SensModeName(text);
        case ValueWords::DeviceClass:
            return std::string(ClassName(ParseLeadingInt(text)));
        case ValueWords::Volume:
            return VolumeName(ParseLeadingInt(text));
        default:
            return std::string(text);
    }
}

}  // namespace tamrik
