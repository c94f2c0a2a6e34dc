#include "site/PanelOptionWords.h"

#include <array>

namespace tamrik {
namespace {

template <std::size_t N>
std::string_view at(const std::array<std::string_view, N>& words, int position) {
    return position >= 0 && static_cast<std::size_t>(position) < N ? words[static_cast<std::size_t>(position)]
                                                                   : std::string_view{};
}

constexpr std::array<std::string_view, 13> kLanguages = {"English",    "Dutch",   "Hungarian", "Norwegian", "Russian",
                                                         "Spanish",    "Italian", "French",    "Polish",    "Czech",
                                                         "Portuguese", "Finnish", "Danish"};
constexpr std::array<std::string_view, 2> kPanelTypes = {"5300", "Kestrelix"};
constexpr std::array<std::string_view, 1> kFaultRelayModes = {"Denergise on fault"};
constexpr std::array<std::string_view, 4> kFireRelayModes = {"Energise on any fire", "Energise on Automatic fires only",
                                                             "Energise on Manual fires only",
                                                             "Energise on any disablement"};
constexpr std::array<std::string_view, 4> kDisplayModes = {"Type 1", "Type 2", "Type 3", "Type 4"};
constexpr std::array<std::string_view, 4> kTimeoutTones = {"Off", "Continuous", "Pulsing", "Warble"};
constexpr std::array<std::string_view, 2> kFlashRates = {"1 Second", "2 Seconds"};

}  // namespace

std::string_view LanguageName(int position) { return at(kLanguages, position); }
std::string_view PanelTypeName(int position) { return at(kPanelTypes, position); }
std::string_view FaultRelayModeName(int position) { return at(kFaultRelayModes, position); }
std::string_view FireRelayModeName(int position) { return at(kFireRelayModes, position); }
std::string_view DisplayModeName(int position) { return at(kDisplayModes, position); }
std::string_view TimeoutToneName(int position) { return at(kTimeoutTones, position); }
std::string_view FlashRateName(int position) { return at(kFlashRates, position); }

}  // namespace tamrik
