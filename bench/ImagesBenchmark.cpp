#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "images/EventLog.h"
#include "images/ImageLayout.h"
#include "images/LoopRecord.h"
#include "images/SiteImage.h"
#include "settings/DefaultSettings.h"

namespace {

using namespace tamrik;

// A full site: defaults plus every text, delay and loop address in use.
void fillFullSite(SettingsStore& store) {
    ApplyDefaultSettings(store);
    for (int a = 1; a <= kLoopRecordCount; ++a) {
        const std::string n = std::to_string(a);
        store.put("DeviceText_" + n, "Device text " + n);
        store.put("SNum_" + n, std::to_string(100000 + a));
        store.put("Type_" + n, "210");
    }
    for (int g = 1; g <= 32; ++g) {
        const std::string n = std::to_string(g);
        store.put("OutputDelay_" + n, "1:30");
        store.put("OutputDelayT2_" + n, "12:05");
    }
    store.put("SiteName", "Benchmark site");
}

void BM_SiteImageEncode(benchmark::State& state) {
    SettingsStore store;
    fillFullSite(store);
    std::vector<std::uint8_t> image(kSiteImageSize);
    PanelIdentity identity{};
    for (auto _ : state) benchmark::DoNotOptimize(SiteImageEncode(store, image.data(), identity));
}
BENCHMARK(BM_SiteImageEncode)->Unit(benchmark::kMicrosecond);

void BM_SiteImageDecode(benchmark::State& state) {
    SettingsStore store;
    fillFullSite(store);
    std::vector<std::uint8_t> image(kSiteImageSize);
    PanelIdentity identity{};
    SiteImageEncode(store, image.data(), identity);
    for (auto _ : state) benchmark::DoNotOptimize(SiteImageDecode(store, image.data()));
}
BENCHMARK(BM_SiteImageDecode)->Unit(benchmark::kMicrosecond);

void BM_LoopImageEncode(benchmark::State& state) {
    SettingsStore store;
    fillFullSite(store);
    std::vector<std::uint8_t> image(kLoopImageSize);
    for (auto _ : state) {
        for (int a = 1; a <= kLoopRecordCount; ++a) LoopRecordEncode(store, &image[kLoopRecordSize * (a - 1)], a);
        benchmark::DoNotOptimize(image.data());
    }
}
BENCHMARK(BM_LoopImageEncode)->Unit(benchmark::kMicrosecond);

void BM_LoopImageDecode(benchmark::State& state) {
    SettingsStore store;
    fillFullSite(store);
    std::vector<std::uint8_t> image(kLoopImageSize);
    for (int a = 1; a <= kLoopRecordCount; ++a) LoopRecordEncode(store, &image[kLoopRecordSize * (a - 1)], a);
    for (auto _ : state) {
        for (int a = 1; a <= kLoopRecordCount; ++a) LoopRecordDecode(store, a, &image[kLoopRecordSize * (a - 1)]);
    }
}
BENCHMARK(BM_LoopImageDecode)->Unit(benchmark::kMicrosecond);

// A panel read in full: the site image empties the store, then the loop records and the largest
// event log the image can hold.
void BM_FullPanelImagesDecode(benchmark::State& state) {
    SettingsStore store;
    fillFullSite(store);
    std::vector<std::uint8_t> site(kSiteImageSize), loop(kLoopImageSize), events(kEventLogImageSize, 0);
    PanelIdentity identity{};
    SiteImageEncode(store, site.data(), identity);
    for (int a = 1; a <= kLoopRecordCount; ++a) LoopRecordEncode(store, &loop[kLoopRecordSize * (a - 1)], a);
    for (std::size_t offset = kFireAreaOffset; offset + kEventRecordSize <= kEventAreaEnd; offset += kEventRecordSize) {
        events[offset] = 5;
        events[offset + 2] = 0x80;
    }
    events[kEventLogFireCountOffset] = 0xFF, events[kEventLogFireCountOffset + 1] = 0xFF;
    events[kEventLogNonFireCountOffset] = 0xFF, events[kEventLogNonFireCountOffset + 1] = 0xFF;
    events[kEventLogCheckedOffset + 4] = static_cast<std::uint8_t>(kEventLogCheckSum - 4 * 0xFF);
    for (auto _ : state) {
        SiteImageDecode(store, site.data());
        for (int a = 1; a <= kLoopRecordCount; ++a) LoopRecordDecode(store, a, &loop[kLoopRecordSize * (a - 1)]);
        EventLogDecode(store, events.data());
        benchmark::DoNotOptimize(store.size());
    }
}
BENCHMARK(BM_FullPanelImagesDecode)->Unit(benchmark::kMicrosecond);

}  // namespace
