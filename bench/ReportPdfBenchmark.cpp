#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QTextDocument>

#include "panel/sim/DemoPanel.h"
#include "report/CommissioningReport.h"
#include "settings/DefaultSettings.h"
#include "ui/report/ReportDocument.h"

namespace {

using namespace tamrik;

// The demo site, or a full loop of 192 devices with both event logs full.
void fillSite(SettingsStore& store, bool full) {
    StoreCreate(store);
    DemoSiteSettings(store);
    if (!full) return;
    for (int a = 1; a <= kLoopAddressCount; ++a) {
        const std::string n = std::to_string(a);
        SettingPut(store, "Type_" + n, a % 2 ? "1" : "208");
        SettingPut(store, "Zone_" + n, std::to_string(1 + a % 32));
        SettingPut(store, "DeviceText_" + n, "DEVICE " + n);
    }
    for (int n = 1; n <= 300; ++n) SettingPut(store, "FireEvent_" + std::to_string(n), "5, 17, 946684800");
    for (int n = 1; n <= 721; ++n) SettingPut(store, "NonFireEvent_" + std::to_string(n), "18, 0, 946684900");
}

// The commissioning report laid out and printed to an A4 PDF in memory.
void BM_CommissioningReportPdf(benchmark::State& state) {
    SettingsStore store;
    fillSite(store, state.range(0) != 0);
    const CommissioningReport report = BuildCommissioningReport(store, "now");
    qint64 bytes = 0;
    for (auto _ : state) bytes = CommissioningReportPdf(report).size();
    state.counters["pdf_bytes"] = static_cast<double>(bytes);
    StoreDestroy(&store);
}
BENCHMARK(BM_CommissioningReportPdf)->ArgName("full")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Only building the document (parsing and first layout), without printing.
void BM_CommissioningReportDocument(benchmark::State& state) {
    SettingsStore store;
    fillSite(store, state.range(0) != 0);
    const CommissioningReport report = BuildCommissioningReport(store, "now");
    for (auto _ : state) benchmark::DoNotOptimize(CommissioningReportDocument(report)->pageCount());
    StoreDestroy(&store);
}
BENCHMARK(BM_CommissioningReportDocument)->ArgName("full")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
