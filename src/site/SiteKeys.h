#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "site/KeyFamily.h"

namespace tamrik {

// How a stored value is put into words for people.
enum class ValueWords {
    AsStored,
    DisplayText,  // shown without the blanks that fill the panel's display
    // From YesNo to FlashRate: list positions, where a missing value is the first choice.
    YesNo,
    Language,
    PanelType,
    FaultRelayMode,
    FireRelayMode,
    DisplayMode,
    TimeoutTone,
    FlashRate,
    Secret,  // an access code: never shown, only whether it is set
    DeviceType,
    Sensitivity,
    DeviceClass,
    Volume,
    Latching,  // the key's presence is the value
};

// One panel-wide site key with the words people know it by.
struct SiteKey {
    const char* key;
    const char* label;
    ValueWords words = ValueWords::AsStored;
};

// One key family of a loop device with the words people know it by.
struct DeviceKey {
    const KeyFamily* family;
    const char* label;
    ValueWords words = ValueWords::AsStored;
};

// The site information, in the order the site information dialog shows it.
std::span<const SiteKey> SiteInformationKeys();
// The panel options the panel stores, access codes last.
std::span<const SiteKey> PanelOptionKeys();
// The key families of one loop address, in the device editor's order.
std::span<const DeviceKey> DeviceKeys();

// What a key is called in words: "Zone of device 12", "Matrix IPG3 / OPG5", "Zone text 4", "Site
// name"; a key the tool has no words for is named by itself.
std::string SettingName(std::string_view key);
// The loop address a device key belongs to ("Zone_12": 12), or 0 for any other key.
int DeviceAddressOf(std::string_view key);

// The value (absent when the key is not in the site) in words.
std::string ValueInWords(ValueWords words, std::optional<std::string_view> value);

}  // namespace tamrik
