#include <benchmark/benchmark.h>

#include <string>

#include "checker/SiteCheck.h"
#include "exports/CsvExport.h"
#include "report/ReportHtml.h"
#include "settings/DefaultSettings.h"
#include "site/SiteComparison.h"
#include "site/SiteHistory.h"
#include "site/WriteChanges.h"

namespace {

using namespace tamrik;

// A full loop: 192 devices of mixed types with inputs, outputs, texts and zones, a programmed
// matrix, and both event logs as full as the panel keeps them.
void fillFullSite(SettingsStore& store) {
    ApplyDefaultSettings(store);
    const char* types[] = {"1", "208", "131", "64", "210", "161", "34", "224"};
    for (int a = 1; a <= kLoopAddressCount; ++a) {
        const std::string n = std::to_string(a);
        store.put("Type_" + n, types[a % 8]);
        store.put("Version_" + n, "31");
        store.put("IPGroup_" + n, std::to_string(1 + a % 31));
        store.put("OPGroup_" + n, std::to_string(1 + a % 32));
        store.put("Zone_" + n, std::to_string(1 + a % 32));
        store.put("DeviceText_" + n, "DEVICE " + n);
    }
    for (int n = 1; n <= 300; ++n)
        store.put("FireEvent_" + std::to_string(n), "5, 17, " + std::to_string(946684800 + 7 * n));
    for (int n = 1; n <= 721; ++n) {
        store.put("NonFireEvent_" + std::to_string(n), "18, 0, " + std::to_string(946684800 + 5 * n));
    }
}

void BM_SiteCheckFullSite(benchmark::State& state) {
    SettingsStore store;
    fillFullSite(store);
    for (auto _ : state) benchmark::DoNotOptimize(SiteCheck(store).faultCount);
}
BENCHMARK(BM_SiteCheckFullSite)->Unit(benchmark::kMicrosecond);

void BM_SiteCheckQuietFullSite(benchmark::State& state) {
    SettingsStore store;
    fillFullSite(store);
    for (auto _ : state) benchmark::DoNotOptimize(SiteCheck(store, false).faultCount);
}
BENCHMARK(BM_SiteCheckQuietFullSite)->Unit(benchmark::kMicrosecond);

// The commissioning report of a full site, model and HTML; the size is reported beside the time.
void BM_CommissioningReportHtmlFullSite(benchmark::State& state) {
    SettingsStore store;
    fillFullSite(store);
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string html = CommissioningReportHtml(BuildCommissioningReport(store, "now"));
        bytes = html.size();
        benchmark::DoNotOptimize(html.data());
    }
    state.counters["html_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_CommissioningReportHtmlFullSite)->Unit(benchmark::kMillisecond);

void BM_CsvExport(benchmark::State& state) {
    SettingsStore store;
    fillFullSite(store);
    const auto kind = static_cast<CsvExportKind>(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(CsvExportBytes(kind, store).size());
}
BENCHMARK(BM_CsvExport)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

}  // namespace

namespace {

// Two full sites that differ in a device, a matrix cell and a text, events compared too.
void BM_CompareFullSites(benchmark::State& state) {
    SettingsStore before, after;
    fillFullSite(before);
    fillFullSite(after);
    after.put("Zone_12", "4");
    after.put("Matrix_3_5", "P");
    after.put("ZoneText_4", "Lobby");
    for (auto _ : state) benchmark::DoNotOptimize(CompareSites(before, after, true).size());
}
BENCHMARK(BM_CompareFullSites)->Unit(benchmark::kMillisecond);

// What a write of a full site changes on a panel holding the other: the site through the images,
// then the comparison.
void BM_WriteChangesOfAFullSite(benchmark::State& state) {
    SettingsStore panel, site;
    fillFullSite(panel);
    fillFullSite(site);
    site.put("Zone_12", "4");
    for (auto _ : state) benchmark::DoNotOptimize(WriteChanges(panel, site).size());
}
BENCHMARK(BM_WriteChangesOfAFullSite)->Unit(benchmark::kMillisecond);

// One desktop edit of a full site: the change noted as a step, then undone.
void BM_UndoStepFullSite(benchmark::State& state) {
    SettingsStore store;
    fillFullSite(store);
    SiteHistory history;
    history.reset(store);
    int n = 0;
    for (auto _ : state) {
        store.put("Zone_12", std::to_string(++n % 30 + 2));
        history.record(store);
        history.undo(store);
    }
}
BENCHMARK(BM_UndoStepFullSite)->Unit(benchmark::kMicrosecond);

// A full history of 100 one-device edits; its size is the bytes counter.
void BM_UndoHistoryOfHundredSteps(benchmark::State& state) {
    SettingsStore store;
    fillFullSite(store);
    std::size_t bytes = 0;
    int round = 0;
    for (auto _ : state) {
        SiteHistory history;
        history.reset(store);
        ++round;
        for (int n = 1; n <= 100; ++n) {
            store.put("Zone_" + std::to_string(n), std::to_string((n + round) % 30 + 2));
            store.put("DeviceText_" + std::to_string(n), "EDITED " + std::to_string(n + round));
            history.record(store);
        }
        bytes = history.bytes();
    }
    state.counters["history_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_UndoHistoryOfHundredSteps)->Unit(benchmark::kMillisecond);

}  // namespace
