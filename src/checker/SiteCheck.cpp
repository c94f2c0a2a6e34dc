#include "checker/SiteCheck.h"

#include <array>
#include <charconv>
#include <cstdarg>
#include <cstdio>
#include <string_view>

#include "images/SiteImage.h"
#include "settings/DefaultSettings.h"
#include "settings/DeviceCatalogue.h"
#include "site/MatrixTable.h"
#include "site/SiteKeys.h"

// Lets the compiler check the report lines' formats against their arguments where it can.
#if defined(__GNUC__)
#define TAMRIK_PRINTF_FORMAT(formatIndex, firstArgument) __attribute__((format(printf, formatIndex, firstArgument)))
#else
#define TAMRIK_PRINTF_FORMAT(formatIndex, firstArgument)
#endif

namespace tamrik {
namespace {

constexpr int kInputGroupCount = kSoundAlarmsInputGroup - 1;  // the last is the panel's own row

bool isRelaxedVersionType(std::uint32_t type) {
    return type == 131 || type == 161 || type == 163 || (type >= 208 && type <= 218);
}

bool isFlashRateType(std::uint32_t type) {
    switch (type) {
        case 158:
        case 161:
        case 164:
        case 165:
        case 209:
        case 211:
        case 213:
        case 214:
        case 216:
        case 217:
        case 219:
        case 220:
        case 221:
            return true;
        default:
            return false;
    }
}

bool isBlank(std::string_view text) { return text.find_first_not_of(' ') == std::string_view::npos; }

// A value as read for the checks: present or not, the whole number and its low byte.
struct Number {
    bool present = false;
    std::int32_t whole = 0;
    std::uint32_t low() const { return DeviceNumberByte(whole); }
};

// Reads a pulse time the way the panel documents write it ("3.5"); the C library's reading would
// follow the process locale, which a desktop session may set to one with a decimal comma.
double parseDecimal(std::string_view text) {
    while (!text.empty() && (text[0] == ' ' || (text[0] >= '\t' && text[0] <= '\r'))) text.remove_prefix(1);
    if (!text.empty() && text[0] == '+') text.remove_prefix(1);
    double value = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    return result.ec == std::errc() ? value : 0.0;
}

// Everything the rules read, looked up once so that the searches over all addresses stay cheap.
class SiteView {
public:
    explicit SiteView(const SettingsStore& store) : store_(store) {
        for (int a = 1; a <= kLoopAddressCount; ++a) {
            type_[a] = number(key::Type, a);
            inputGroup_[a] = number(key::InputGroup, a);
            outputGroup_[a] = number(key::OutputGroup, a);
            if (inputGroup_[a].present && inputGroup_[a].whole >= 1 && inputGroup_[a].whole <= kGroupCount) {
                inputGroupUsed_[inputGroup_[a].whole] = true;
            }
            if (outputGroup_[a].present && outputGroup_[a].whole >= 1 && outputGroup_[a].whole <= kGroupCount) {
                outputGroupUsed_[outputGroup_[a].whole] = true;
            }
        }
        for (int i = 1; i <= kGroupCount; ++i) {
            for (int o = 1; o <= kGroupCount; ++o) {
                const auto cell = store_.get(key::Matrix(i, o));
                programmed_[i][o] = cell && MatrixLetterCode(*cell) != 0;  // as the panel will hold it
            }
        }
        classChange_ = store_.number("ClassChange") != 0;
        remoteAlarmInput_ = store_.number("RemoteAlarmInput") != 0;
        convAlarmOpGroup_ = number("ConvAlarmOpGroup");
    }

    std::optional<std::string_view> text(const KeyFamily& family, int index) const { return store_.get(family(index)); }
    Number number(const KeyFamily& family, int index) const { return toNumber(text(family, index)); }
    Number number(const char* key) const { return toNumber(store_.get(key)); }
    std::optional<std::string_view> text(const char* key) const { return store_.get(key); }

    const Number& type(int a) const { return type_[a]; }
    const Number& outputGroup(int a) const { return outputGroup_[a]; }

    bool programmed(int input, int output) const { return programmed_[input][output]; }
    bool classChange() const { return classChange_; }
    bool remoteAlarmInput() const { return remoteAlarmInput_; }

    // An output group counts as in use when a device drives it, or it is the conventional alarm group.
    bool outputGroupDriven(int o) const { return outputGroupUsed_[o]; }
    bool outputGroupInUse(int o) const {
        return outputGroupUsed_[o] || (convAlarmOpGroup_.present && convAlarmOpGroup_.whole == o);
    }
    // An input group counts as in use when a device reports into it, or the panel's class change or
    // remote alarm input is assigned to it.
    bool inputGroupInUse(int i) const {
        return inputGroupUsed_[i] || (i == kClassChangeInputGroup && classChange_) ||
               (i == kRemoteAlarmInputGroup && remoteAlarmInput_);
    }

private:
    static Number toNumber(std::optional<std::string_view> value) {
        if (!value) return {};
        return {true, ParseLeadingInt(*value)};
    }

    const SettingsStore& store_;
    std::array<Number, kLoopAddressCount + 1> type_{};
    std::array<Number, kLoopAddressCount + 1> inputGroup_{};
    std::array<Number, kLoopAddressCount + 1> outputGroup_{};
    std::array<bool, kGroupCount + 1> inputGroupUsed_{};
    std::array<bool, kGroupCount + 1> outputGroupUsed_{};
    std::array<std::array<bool, kGroupCount + 1>, kGroupCount + 1> programmed_{};
    bool classChange_ = false;
    bool remoteAlarmInput_ = false;
    Number convAlarmOpGroup_;
};

class Checker {
public:
    Checker(const SettingsStore& store, bool withReport) : store_(store), site_(store), withReport_(withReport) {}

    void run() {
        for (int a = 1; a <= kLoopAddressCount && result_.faultCount < kSiteCheckFaultLimit; ++a) checkDevice(a);
        checkUnusedInputGroups();
        checkPulseTimes();
        checkAssignedInput(kRemoteAlarmInputGroup, site_.remoteAlarmInput(), "Remote Alarm Input");
        checkAssignedInput(kClassChangeInputGroup, site_.classChange(), "Class change");
        checkSiteInformation();
        if (result_.alarmMilliamps > kAlarmCurrentLimit) fault("Alarm current greater than 600mA\r\n");
    }

    SiteCheckResult take() { return std::move(result_); }

    void appendClosingLine(bool allOutputsInOneZone) {
        if (result_.faultCount >= kSiteCheckFaultLimit) {
            // The summary line is not a fault of its own and ends the report without a line end.
            if (withReport_) result_.report += "* * * More than 20 faults * * *";
        } else if (allOutputsInOneZone) {
            fault("All outputs are programmed into a single zone\r\n");
        }
    }

private:
    void fault(const char* format, ...) TAMRIK_PRINTF_FORMAT(2, 3) {
        ++result_.faultCount;
        if (!withReport_) return;
        char line[160];
        va_list arguments;
        va_start(arguments, format);
        std::vsnprintf(line, sizeof line, format, arguments);
        va_end(arguments);
        result_.report += line;
    }

    void checkDevice(int a) {
        const Number& typeNumber = site_.type(a);
        if (!typeNumber.present) return;
        const std::uint32_t type = typeNumber.low();
        const unsigned address = static_cast<unsigned>(a);
        if (type == 0) {
            const auto deviceText = site_.text(key::DeviceText, a);
            if (deviceText && !isBlank(*deviceText)) fault("Text but no device at address %u\r\n", address);
            return;
        }
        const DeviceType* row = DeviceTypeFind(type);
        if (!row) {
            fault("Unsupported device at address %u\r\n", address);
            return;
        }
        result_.quiescentMilliamps += row->quiescentMilliamps;
        result_.alarmMilliamps += row->alarmMilliamps;

        checkVersion(a, type, *row);
        if (row->hasInput) checkInputGroup(a);
        if (row->hasOutput) checkOutputGroup(a);

        const Number outputGroup = site_.outputGroup(a);
        if (row->beaconOnNextGroup && outputGroup.present && outputGroup.low() == 32 && store_.number("Beacon") != 0) {
            fault("Group is 32 & Beacon OPGrp+1 at address %u\r\n", address);
        }
        const auto deviceText = site_.text(key::DeviceText, a);
        if (deviceText && isBlank(*deviceText)) fault("Device text for address %u\r\n", address);

        checkZone(a);
        const Number mapNode = site_.number(key::MapNode, a);
        if (mapNode.present && (mapNode.low() == 0 || mapNode.low() > 192))
            fault("Map node for address %u\r\n", address);
        const Number deviceClass = site_.number(key::Class, a);
        if (IsManualCallPointType(type) && deviceClass.present && deviceClass.whole != 1) {
            fault("Class for address %u is not 'Manual'\r\n", address);
        }
        if (!SensModesAllowed(type).empty()) {
            const Number day = site_.number(key::DaySensitivity, a);
            if (day.present && day.low() == 0) fault("Sensitivity 1 for address %u\r\n", address);
            const Number night = site_.number(key::NightSensitivity, a);
            if (night.present && night.low() == 0) fault("Sensitivity 2 for address %u\r\n", address);
        }
        if (row->talking && outputGroup.present) checkTalkingGroup(a, outputGroup.low());
    }

    void checkVersion(int a, std::uint32_t type, const DeviceType& row) {
        const Number version = site_.number(key::Version, a);
        if (!version.present) return;
        const std::uint32_t v = version.low();
        std::uint32_t minimum = row.minVersion;
        if (site_.number("FBP").low() != 0 && isRelaxedVersionType(type)) minimum = 1;
        if (v == 0 || v == 255 || v < minimum) fault("Software version at address %u\r\n", static_cast<unsigned>(a));
        const Number flashRate = site_.number("BeaconFlashrate");
        if (isFlashRateType(type) && v >= 20 && flashRate.present && flashRate.low() < 2) {
            fault("VAD at address %u flash rate should be 2 seconds\r\n", static_cast<unsigned>(a));
        }
    }

    void checkInputGroup(int a) {
        const Number group = site_.number(key::InputGroup, a);
        if (!group.present) return;
        const unsigned g = group.low();
        const unsigned address = static_cast<unsigned>(a);
        if (g == 0 || g > kInputGroupCount) {
            fault("Input group at address %u\r\n", address);
            return;
        }
        int counted = 0;
        for (int o = 1; o <= kGroupCount; ++o) {
            if (!site_.programmed(static_cast<int>(g), o)) continue;
            if (site_.outputGroupInUse(o)) {
                ++counted;
            } else {
                fault("Input group %u at address %u activates unused output group %u\r\n", g, address,
                      static_cast<unsigned>(o));
            }
        }
        if (counted == 0) fault("Input group at address %u doesn't activate any output group\r\n", address);
    }

    void checkOutputGroup(int a) {
        const Number group = site_.outputGroup(a);
        if (!group.present) return;
        const unsigned o = group.low();
        const unsigned address = static_cast<unsigned>(a);
        if (o == 0 || o > kGroupCount) {
            fault("Output group at address %u\r\n", address);
            return;
        }
        int counted = 0;
        for (int i = 1; i <= kInputGroupCount; ++i) {
            if (!site_.programmed(i, static_cast<int>(o))) continue;
            if (site_.inputGroupInUse(i)) {
                ++counted;
            } else {
                fault("Output group %u at address %u activated by unused input group %u\r\n", o, address,
                      static_cast<unsigned>(i));
            }
        }
        if (counted == 0) fault("No input group triggers output group %u at address %u\r\n", o, address);
    }

    void checkZone(int a) {
        const Number zone = site_.number(key::Zone, a);
        if (!zone.present) return;
        const unsigned z = zone.low();
        if (z == 0 || z > kZoneCount) {
            fault("Zone number for address %u\r\n", static_cast<unsigned>(a));
            return;
        }
        if (zoneSeen_[z]) return;
        zoneSeen_[z] = true;
        const auto zoneText = site_.text(key::ZoneText, static_cast<int>(z));
        if (zoneText && isBlank(*zoneText)) fault("Zone text for zone %u\r\n", z);
    }

    // A talking device shares its output group only with other talking devices: the panel cannot
    // synchronise speech with a plain sounder or beacon on the same group.
    void checkTalkingGroup(int a, std::uint32_t outputGroup) {
        for (int d = 1; d <= kLoopAddressCount; ++d) {
            const Number& otherGroup = site_.outputGroup(d);
            const Number& otherType = site_.type(d);
            if (!otherGroup.present || otherGroup.whole != static_cast<std::int32_t>(outputGroup) ||
                !otherType.present) {
                continue;
            }
            for (const DeviceType& row : DeviceTypeCatalogue()) {
                if (static_cast<std::int32_t>(row.code) != otherType.whole || row.talking) continue;
                if (row.hasOutput || row.beaconOnNextGroup) {
                    fault("Talking device at address %u in same output group as non talking device at address %u\r\n",
                          static_cast<unsigned>(a), static_cast<unsigned>(d));
                }
            }
        }
    }

    void checkUnusedInputGroups() {
        for (int o = 1; o <= kGroupCount; ++o) {
            for (int i = 1; i <= kInputGroupCount; ++i) {
                if (site_.programmed(i, o) && !site_.inputGroupInUse(i)) {
                    fault("Output group %u is activated by unused input group %u\r\n", static_cast<unsigned>(o),
                          static_cast<unsigned>(i));
                }
            }
        }
    }

    // The pulse pattern is fixed by the standard that language 1 panels are sold under.
    void checkPulseTimes() {
        if (store_.number("Language") != 1) return;
        const auto onTime = site_.text("PulseOnTime");
        if (onTime && parseDecimal(*onTime) != 3.5) fault("Pulse on time not 3.5s\r\n");
        const auto offTime = site_.text("PulseOffTime");
        if (offTime && parseDecimal(*offTime) != 0.5) fault("Pulse off time not 0.5s\r\n");
    }

    void checkAssignedInput(int inputGroup, bool assigned, const char* name) {
        if (!assigned) return;
        int counted = 0;
        for (int o = 1; o <= kGroupCount; ++o) {
            if (!site_.programmed(inputGroup, o)) continue;
            if (site_.outputGroupDriven(o)) {
                ++counted;
            } else {
                fault("%s activates unused output group %u\r\n", name, static_cast<unsigned>(o));
            }
        }
        if (counted == 0) fault("%s doesn't activate any output group\r\n", name);
    }

    void checkSiteInformation() {
        for (const SiteKey& info : SiteInformationKeys()) {
            const auto value = site_.text(info.key);
            if (value && value->empty()) fault("Site Info '%s' requires a value\r\n", info.key);
        }
    }

    const SettingsStore& store_;
    SiteView site_;
    bool withReport_;
    SiteCheckResult result_;
    std::array<bool, kZoneCount + 1> zoneSeen_{};
};

}  // namespace

SiteCheckResult SiteCheck(SettingsStore& store, bool withReport) {
    Checker checker(store, withReport);
    checker.run();
    checker.appendClosingLine(AllOutputsInOneZone(store));
    SiteCheckResult result = checker.take();
    store.put("QuiescentCurrent", FormatMilliamps(result.quiescentMilliamps));
    store.put("AlarmCurrent", FormatMilliamps(result.alarmMilliamps));
    return result;
}

bool AllOutputsInOneZone(const SettingsStore& store) {
    std::uint32_t firstZone = 0;
    int count = 0;
    for (int a = 1; a <= kLoopAddressCount; ++a) {
        const auto typeText = store.get(key::Type(a));
        if (!typeText) continue;
        const std::uint32_t type = DeviceNumberByte(ParseLeadingInt(*typeText));
        const DeviceType* row = type != 0 ? DeviceTypeFind(type) : nullptr;
        if (!row || !row->hasOutput) continue;
        const auto zoneText = store.get(key::Zone(a));
        if (!zoneText) continue;
        const std::uint32_t zone = DeviceNumberByte(ParseLeadingInt(*zoneText));
        if (zone < 1 || zone > kZoneCount) continue;
        if (firstZone == 0) {
            firstZone = zone;
            count = 1;
        } else if (zone != firstZone) {
            ++count;
        }
    }
    return count == 1;
}

std::string FormatMilliamps(float milliamps) {
    char text[64];
    const auto result =
        std::to_chars(text, text + sizeof text, static_cast<double>(milliamps), std::chars_format::fixed, 2);
    return std::string(text, result.ptr) + "mA";
}

}  // namespace tamrik
