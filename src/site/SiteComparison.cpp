#include "site/SiteComparison.h"

#include <optional>
#include <set>
#include <unordered_set>

#include "settings/DefaultSettings.h"
#include "site/EventRow.h"
#include "site/MatrixTable.h"
#include "site/SiteKeys.h"

namespace tamrik {
namespace {

constexpr int kMostEvents = 1021;  // what the panel's two logs hold together at most
constexpr const char* kUncompared[] = {"QuiescentCurrent", "AlarmCurrent", "PanelData"};

using Value = std::optional<std::string_view>;

// A missing key goes to the panel as zero (or a blank text), so it is the same setting as a stored
// zero: "0", "0:00", "0.0".
bool meansZero(Value value, bool text) {
    if (!value || value->find_first_not_of(' ') == std::string_view::npos) return true;
    if (text) return false;
    return *value == "0" || *value == "0:00" || *value == "0.0";
}

std::string quoted(ValueWords words, Value value) {
    const std::string text = ValueInWords(words, value);
    return value ? "\"" + text + "\"" : text;
}

// Whether one of the groups speaks of `key`, or leaves it out on purpose (the event logs without
// --events, the values the tool works out itself).
bool spokenOf(std::string_view key) {
    static const std::unordered_set<std::string_view> kNames = [] {
        std::unordered_set<std::string_view> names = {"FirmwareVersion", "DisabledOPGroups", "AlarmCount"};
        for (const auto keys : {SiteInformationKeys(), PanelOptionKeys()}) {
            for (const SiteKey& known : keys) names.insert(known.key);
        }
        names.insert(std::begin(kUncompared), std::end(kUncompared));
        return names;
    }();
    if (kNames.contains(key)) return true;
    for (const DeviceKey& device : DeviceKeys()) {
        if (device.family->numberOf(key)) return true;
    }
    for (const KeyFamily& family : {key::DelayT1, key::DelayT2, key::AlarmType, key::ZoneText, key::BannerText}) {
        if (family.numberOf(key)) return true;
    }
    for (const KeyFamily& log : {key::FireEvent, key::NonFireEvent}) {
        if (KeyFamily{log.prefix, kMostEvents}.numberOf(key)) return true;
    }
    if (key::Matrix.numbersOf(key).first) return true;
    return false;
}

class Comparison {
public:
    Comparison(const SettingsStore& before, const SettingsStore& after) : before_(before), after_(after) {}

    // Compares one key; `name()` gives the start of its line ("Site name: ", "Device 12: Zone "), made
    // only for a key that differs. Texts are quoted, other values are not.
    template <typename Name>
    void key(const std::string& key, Name&& name, ValueWords words, bool text = false) {
        const Value a = before_.get(key), b = after_.get(key);
        if (a == b) return;
        if ((!a || !b) && words != ValueWords::Latching && meansZero(a, text) && meansZero(b, text)) return;
        if (words == ValueWords::Secret) {
            lines_.push_back(name() + "changed");
            return;
        }
        const auto show = [&](Value value) { return text ? quoted(words, value) : ValueInWords(words, value); };
        const std::string from = show(a), to = show(b);
        // Two stored values can read the same in words ("0" and "00" are both No); show them as stored.
        if (from == to) {
            lines_.push_back(name() + quoted(ValueWords::AsStored, a) + " -> " + quoted(ValueWords::AsStored, b));
        } else {
            lines_.push_back(name() + from + " -> " + to);
        }
    }

    void line(std::string text) { lines_.push_back(std::move(text)); }

    // Every key of either site that no group above speaks of, in name order.
    void others() {
        std::set<std::string> keys;
        for (const SettingsStore* store : {&before_, &after_}) {
            for (const auto entry : *store) {
                if (!spokenOf(entry.key)) keys.emplace(entry.key);
            }
        }
        for (const std::string& name : keys)
            key(
                name, [&] { return "Setting " + name + ": "; }, ValueWords::AsStored, true);
    }

    std::vector<std::string> take() { return std::move(lines_); }

private:
    const SettingsStore& before_;
    const SettingsStore& after_;
    std::vector<std::string> lines_;
};

void compareMatrix(Comparison& comparison, const SettingsStore& before, const SettingsStore& after) {
    for (int input = 1; input <= kGroupCount; ++input) {
        for (int output = 1; output <= kGroupCount; ++output) {
            comparison.key(
                key::Matrix(input, output),
                [&] { return "Matrix IPG" + std::to_string(input) + " / OPG" + std::to_string(output) + ": "; },
                ValueWords::AsStored);
        }
    }
    const std::uint32_t a = DisabledOutputGroups(before), b = DisabledOutputGroups(after);
    for (int group = 1; group <= kGroupCount; ++group) {
        const bool wasOff = (a >> (group - 1)) & 1u, isOff = (b >> (group - 1)) & 1u;
        if (wasOff == isOff) continue;
        comparison.line("Output group " + std::to_string(group) + ": " + (wasOff ? "disabled" : "enabled") + " -> " +
                        (isOff ? "disabled" : "enabled"));
    }
}

void compareOutputGroups(Comparison& comparison) {
    for (int group = 1; group <= kGroupCount; ++group) {
        for (const auto& family : {std::pair{&key::DelayT1, "Output delay T1"},
                                   {&key::DelayT2, "Output delay T2"},
                                   {&key::AlarmType, "Alarm type"}}) {
            comparison.key((*family.first)(group),
                           [&] { return family.second + (" of OPG" + std::to_string(group)) + ": "; },
                           ValueWords::AsStored);
        }
    }
}

void compareEvents(Comparison& comparison, const SettingsStore& before, const SettingsStore& after) {
    const auto describe = [](Value value) {
        if (!value) return std::string("(none)");
        const EventRow row = EventRowOf(*value);
        std::string text = row.time + " " + row.text;
        if (!row.address.empty()) text += ", address " + row.address;
        if (!row.zone.empty()) text += ", zone " + row.zone;
        return text + (row.ended ? " OFF" : " ON");
    };
    comparison.key(
        "AlarmCount", [] { return std::string("Alarm count: "); }, ValueWords::AsStored);
    for (const auto& [log, label] :
         {std::pair{&key::FireEvent, "Fire event "}, {&key::NonFireEvent, "Non-fire event "}}) {
        for (int n = 1; n <= kMostEvents; ++n) {
            const std::string key = (*log)(n);
            const Value a = before.get(key), b = after.get(key);
            if (a != b) comparison.line(label + std::to_string(n) + ": " + describe(a) + " -> " + describe(b));
        }
    }
}

}  // namespace

std::vector<std::string> CompareSites(const SettingsStore& before, const SettingsStore& after, bool withEvents) {
    Comparison comparison(before, after);
    const auto labelled = [](const SiteKey& key) { return [&key] { return key.label + std::string(": "); }; };
    for (const SiteKey& key : SiteInformationKeys()) comparison.key(key.key, labelled(key), key.words, true);
    for (const SiteKey& key : PanelOptionKeys()) comparison.key(key.key, labelled(key), key.words);
    comparison.key(
        "FirmwareVersion", [] { return std::string("Panel software version: "); }, ValueWords::AsStored);
    for (int address = 1; address <= kLoopAddressCount; ++address) {
        for (const DeviceKey& device : DeviceKeys()) {
            comparison.key((*device.family)(address),
                           [&] { return "Device " + std::to_string(address) + ": " + device.label + " "; },
                           device.words, device.words == ValueWords::DisplayText);
        }
    }
    compareMatrix(comparison, before, after);
    compareOutputGroups(comparison);
    for (int zone = 1; zone <= kZoneCount; ++zone) {
        comparison.key(
            key::ZoneText(zone), [&] { return "Zone text " + std::to_string(zone) + ": "; }, ValueWords::DisplayText,
            true);
    }
    for (int banner = 1; banner <= key::BannerText.count; ++banner) {
        comparison.key(
            key::BannerText(banner), [&] { return "Banner text " + std::to_string(banner) + ": "; },
            ValueWords::DisplayText, true);
    }
    // Without events the logs are left out whole, whatever else differs.
    if (withEvents) compareEvents(comparison, before, after);
    comparison.others();
    return comparison.take();
}

}  // namespace tamrik
