#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "images/ImageLayout.h"
#include "settings/DefaultSettings.h"

namespace tamrik {

// A numbered family of site keys: "Zone_12" is the Zone family's key of address 12. Numbers run from
// 1 to `count` (both numbers of the matrix). The panel images place each family (SiteImageFields,
// LoopRecord) and the new site fills it in (DefaultSettings); everything else names keys through
// the families below.
struct KeyFamily {
    constexpr KeyFamily(const char* keyPrefix, int numbers)
        : prefix(keyPrefix), count(numbers), prefixLength(std::char_traits<char>::length(keyPrefix)) {}

    const char* prefix;  // "Zone_"
    int count;
    std::size_t prefixLength;

    std::string operator()(int number) const;
    std::string operator()(int first, int second) const;  // "Matrix_3_5"
    // The number of one of the family's keys ("Zone_12": 12), or 0 when the key is not of the family.
    int numberOf(std::string_view key) const;
    // Both numbers of a two-number key ("Matrix_3_5": 3 and 5), or {0, 0}.
    std::pair<int, int> numbersOf(std::string_view key) const;
};

namespace key {

// One loop device, by its address.
inline constexpr KeyFamily Serial{"SNum_", kLoopAddressCount};
inline constexpr KeyFamily Type{"Type_", kLoopAddressCount};
inline constexpr KeyFamily Version{"Version_", kLoopAddressCount};
inline constexpr KeyFamily MapNode{"MapNode_", kLoopAddressCount};
inline constexpr KeyFamily Zone{"Zone_", kLoopAddressCount};
inline constexpr KeyFamily DaySensitivity{"Sens1_", kLoopAddressCount};
inline constexpr KeyFamily NightSensitivity{"Sens2_", kLoopAddressCount};
inline constexpr KeyFamily InputGroup{"IPGroup_", kLoopAddressCount};
inline constexpr KeyFamily OutputGroup{"OPGroup_", kLoopAddressCount};
inline constexpr KeyFamily DisplayGroup{"DisplayGroup_", kLoopAddressCount};
inline constexpr KeyFamily RepeatGroup{"RptGroup_", kLoopAddressCount};
inline constexpr KeyFamily Volume{"Volume_", kLoopAddressCount};
inline constexpr KeyFamily Class{"Class_", kLoopAddressCount};
inline constexpr KeyFamily NonLatching{"NonLatching_", kLoopAddressCount};  // present: non-latching
inline constexpr KeyFamily Coverage{"Coverage_", kLoopAddressCount};        // "Msg52 Config"
// The text belongs to the address, not to the device: it stays when a device is removed or moved.
inline constexpr KeyFamily DeviceText{"DeviceText_", kLoopAddressCount};

inline constexpr KeyFamily ZoneText{"ZoneText_", kZoneCount};
inline constexpr KeyFamily BannerText{"BannerText_", 4};  // the panel shows lines 1 and 2

// One output group; a missing delay is no delay.
inline constexpr KeyFamily DelayT1{"OutputDelay_", kGroupCount};
inline constexpr KeyFamily DelayT2{"OutputDelayT2_", kGroupCount};
inline constexpr KeyFamily AlarmType{"AlarmType_", kGroupCount};
// Input group, then output group.
inline constexpr KeyFamily Matrix{"Matrix_", kGroupCount};

// The two event logs, numbered from 1 without gaps.
inline constexpr KeyFamily FireEvent{"FireEvent_", static_cast<int>(kMaxFireEvents)};
inline constexpr KeyFamily NonFireEvent{"NonFireEvent_", static_cast<int>(kMaxNonFireEvents)};

}  // namespace key
}  // namespace tamrik
