#include "site/TextTidy.h"

#include <string>

#include "settings/DefaultSettings.h"
#include "site/KeyFamily.h"

namespace tamrik {
namespace {

constexpr std::size_t kDisplayWidth = 20;

bool isStrippable(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 33 || byte >= 128;
}

void tidyKey(SettingsStore& store, const std::string& key) {
    if (const auto value = store.get(key)) store.put(key, TidyText(*value));
}

}  // namespace

std::string TidyText(std::string_view text) {
    while (!text.empty() && isStrippable(text.front())) text.remove_prefix(1);
    while (!text.empty() && isStrippable(text.back())) text.remove_suffix(1);
    if (text.size() <= 1) return std::string(text);
    text = text.substr(0, kDisplayWidth);
    std::string result((kDisplayWidth - text.size()) / 2, ' ');
    result += text;
    result.resize(kDisplayWidth, ' ');
    return result;
}

void TidyImportedTexts(SettingsStore& store) {
    for (int address = 1; address <= kLoopAddressCount; ++address) tidyKey(store, key::DeviceText(address));
    for (int zone = 1; zone <= kZoneCount; ++zone) tidyKey(store, key::ZoneText(zone));
    tidyKey(store, key::BannerText(1));
    tidyKey(store, key::BannerText(2));
}

}  // namespace tamrik
