// Runs a full read, a full write and a firmware update against the simulated panel with its 1 ms
// frame model and prints, for each: the reports exchanged, the wall time, the ratio of the wall
// time to the protocol's lower bound (every report needs a frame of its own, and none can overlap
// because each request waits for the reply before it), and the CPU time as a share of the wall time.
//
//   transfer_benchmark [--memory-only | --state-file | --firmware]
//
// Runs the three transfers twice: against a panel held in memory (the protocol's own cost), then
// against a panel that saves every changing command to its state file, as `sim:FILE` does (the
// simulator's persistence shows up in the CPU share). An option runs only one of the two.
// --firmware runs only the firmware update in memory, with and without its read-back, and prints
// what the read-back costs.
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "panel/FirmwareImage.h"
#include "panel/FirmwareWorker.h"
#include "panel/PanelSession.h"
#include "panel/ReadPanelWorker.h"
#include "panel/TransferRunner.h"
#include "panel/WritePanelWorker.h"
#include "panel/sim/DemoPanel.h"
#include "panel/sim/SimulatedPanelFile.h"

namespace {

using namespace tamrik;

struct Figures {
    std::uint64_t reports = 0;
    double wallSeconds = 0;
    double cpuSeconds = 0;
    std::uint64_t stateFileWrites = 0;
    bool succeeded = false;
};

Figures measure(SimulatedPanelLink& link, const std::function<bool()>& transfer) {
    Figures figures;
    const std::uint64_t reportsBefore = link.reportsWritten() + link.reportsRead();
    const std::uint64_t writesBefore = link.panel().stateFileWrites();
    const std::clock_t cpuBefore = std::clock();
    const auto wallBefore = std::chrono::steady_clock::now();
    figures.succeeded = transfer();
    figures.wallSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallBefore).count();
    figures.cpuSeconds = static_cast<double>(std::clock() - cpuBefore) / CLOCKS_PER_SEC;
    figures.reports = link.reportsWritten() + link.reportsRead() - reportsBefore;
    figures.stateFileWrites = link.panel().stateFileWrites() - writesBefore;
    return figures;
}

void print(const char* name, const Figures& figures) {
    const double lowerBound = static_cast<double>(figures.reports) * 0.001;  // one 1 ms frame per report
    const double ratio = figures.wallSeconds / lowerBound;
    const double cpuShare = 100.0 * figures.cpuSeconds / figures.wallSeconds;
    std::printf(
        "%-9s %-4s reports %6llu  wall %8.3f s  bound %8.3f s  ratio %5.3f %s  cpu %5.2f %% %s  file writes %llu\n",
        name, figures.succeeded ? "ok" : "FAIL", static_cast<unsigned long long>(figures.reports), figures.wallSeconds,
        lowerBound, ratio, ratio <= 1.10 ? "(<= 1.10)" : "(ABOVE 1.10)", cpuShare,
        cpuShare <= 5.0 ? "(<= 5 %)" : "(ABOVE 5 %)", static_cast<unsigned long long>(figures.stateFileWrites));
}

std::vector<std::uint8_t> firmwareImage() {
    std::vector<std::uint8_t> image(kFirmwareImageSize, 0xFF);
    std::mt19937 random(2024);
    for (std::size_t offset = 2 * kFirmwareStartAddress; offset < kFirmwareImageSize; offset += 4) {
        image[offset] = static_cast<std::uint8_t>(random());
        image[offset + 1] = static_cast<std::uint8_t>(random());
        image[offset + 2] = static_cast<std::uint8_t>(random());
        image[offset + 3] = 0;
    }
    FirmwareSetVersionChars(image.data(), "12600000");
    FirmwareSetTypeChars(image.data(), "5300");
    return image;
}

// One read, write and firmware update against `panel`; true when all three succeeded.
bool runTransfers(const std::shared_ptr<SimulatedPanel>& panel) {
    SimulatedPanelLink link(panel, SimLinkOptions{false, true});
    SettingsStore store;
    SilentObserver observer(true);
    PanelSession session(link, store, observer);

    const Figures read = measure(
        link, [&] { return RunTransfer(observer, TransferKind::Read, [&] { return ReadPanelWorker(session); }); });
    print("read", read);
    store.put("SiteName", "Benchmark site");
    const Figures write = measure(
        link, [&] { return RunTransfer(observer, TransferKind::Write, [&] { return WritePanelWorker(session); }); });
    print("write", write);
    FirmwareJob job{firmwareImage(), 126};
    const Figures firmware = measure(link, [&] {
        return RunTransfer(observer, TransferKind::Firmware, [&] { return FirmwareWorker(session, job); });
    });
    print("firmware", firmware);
    return read.succeeded && write.succeeded && firmware.succeeded;
}

// The firmware update with and without reading the programmed firmware back.
bool runFirmwareReadBack() {
    auto panel = std::make_shared<SimulatedPanel>();
    BuildDemoPanel(*panel);
    SimulatedPanelLink link(panel, SimLinkOptions{false, true});
    SettingsStore store;
    SilentObserver observer(true);
    PanelSession session(link, store, observer);
    const auto update = [&](bool readBack) {
        FirmwareJob job{firmwareImage(), 126, readBack};
        return measure(link, [&] {
            return RunTransfer(observer, TransferKind::Firmware, [&] { return FirmwareWorker(session, job); });
        });
    };
    const Figures without = update(false);
    print("firmware without read-back", without);
    const Figures with = update(true);
    print("firmware with read-back", with);
    const double ratio = with.wallSeconds / without.wallSeconds;
    std::printf("read-back costs %.2f x the update without it %s\n", ratio, ratio <= 1.5 ? "(<= 1.5)" : "(ABOVE 1.5)");
    return without.succeeded && with.succeeded;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string only = argc > 1 ? argv[1] : "";
    if (only == "--firmware") return runFirmwareReadBack() ? 0 : 1;
    bool succeeded = true;

    if (only != "--state-file") {
        std::printf("simulated panel in memory, 1 ms frames\n");
        auto panel = std::make_shared<SimulatedPanel>();
        BuildDemoPanel(*panel);
        succeeded = runTransfers(panel) && succeeded;
    }
    if (only != "--memory-only") {
        const auto folder = std::filesystem::temp_directory_path() /
                            ("tamrik-transfer-benchmark-" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(folder);
        const std::string statePath = (folder / "panel.state").string();
        std::string error;
        auto panel = OpenSimulatedPanel(statePath, &error);
        if (!panel) {
            std::fprintf(stderr, "transfer_benchmark: %s\n", error.c_str());
            return 1;
        }
        std::printf("simulated panel saving every change to its state file, 1 ms frames\n");
        succeeded = runTransfers(panel) && succeeded;
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    return succeeded ? 0 : 1;
}
