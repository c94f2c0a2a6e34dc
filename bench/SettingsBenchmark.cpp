#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>

#include "settings/DefaultSettings.h"
#include "settings/SiteFile.h"

namespace {

using namespace tamrik;

void BM_ApplyDefaultSettingsOnEmptyStore(benchmark::State& state) {
    for (auto _ : state) {
        SettingsStore store;
        ApplyDefaultSettings(store);
        benchmark::DoNotOptimize(store.size());
    }
}
BENCHMARK(BM_ApplyDefaultSettingsOnEmptyStore)->Unit(benchmark::kMicrosecond);

std::string benchFile() { return (std::filesystem::temp_directory_path() / "tamrik-bench-site.psf").string(); }

void BM_SaveFullSite(benchmark::State& state) {
    SettingsStore store;
    ApplyDefaultSettings(store);
    for (auto _ : state) benchmark::DoNotOptimize(SiteFileWrite(benchFile(), store));
}
BENCHMARK(BM_SaveFullSite)->Unit(benchmark::kMicrosecond);

void BM_LoadFullSite(benchmark::State& state) {
    {
        SettingsStore store;
        ApplyDefaultSettings(store);
        SiteFileWrite(benchFile(), store);
    }
    for (auto _ : state) {
        SettingsStore store;
        benchmark::DoNotOptimize(SiteFileRead(benchFile(), store));
    }
    std::remove(benchFile().c_str());
}
BENCHMARK(BM_LoadFullSite)->Unit(benchmark::kMicrosecond);

}  // namespace
