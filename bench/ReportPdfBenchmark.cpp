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
    DemoSiteSettings(store);
    if (!full) return;
    for (int a = 1; a <= kLoopAddressCount; ++a) {
        const std::string n = std::to_string(a);
        store.put("Type_" + n, a % 2 ? "1" : "208");
        store.put("Zone_" + n, std::to_string(1 + a % 32));
        store.put("DeviceText_" + n, "DEVICE " + n);
    }
    for (int n = 1; n <= 300; ++n) store.put("FireEvent_" + std::to_string(n), "5, 17, 946684800");
    for (int n = 1; n <= 721; ++n) store.put("NonFireEvent_" + std::to_string(n), "18, 0, 946684900");
}

// The commissioning report laid out and printed to an A4 PDF in memory.
void BM_CommissioningReportPdf(benchmark::State& state) {
    SettingsStore store;
    fillSite(store, state.range(0) != 0);
    const CommissioningReport report = BuildCommissioningReport(store, "now");
    qint64 bytes = 0;
    for (auto _ : state) bytes = CommissioningReportPdf(report).size();
    state.counters["pdf_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_CommissioningReportPdf)->ArgName("full")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Only building the document (parsing and first layout), without printing.
void BM_CommissioningReportDocument(benchmark::State& state) {
    SettingsStore store;
    fillSite(store, state.range(0) != 0);
    const CommissioningReport report = BuildCommissioningReport(store, "now");
    for (auto _ : state) benchmark::DoNotOptimize(CommissioningReportDocument(report)->pageCount());
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
