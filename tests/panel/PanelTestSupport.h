#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "panel/PanelLink.h"
#include "panel/PanelSession.h"
#include "panel/ReadPanelWorker.h"
#include "panel/TransferObserver.h"
#include "panel/TransferRunner.h"
#include "panel/WritePanelWorker.h"
#include "panel/sim/DemoPanel.h"
#include "panel/sim/SimulatedPanelLink.h"
#include "settings/SettingsStore.h"

namespace tamrik::testing {

// Everything an observer was asked to do, in order, as text: "open", "title:<t>", "close",
// "message:<title>|<text>|<icon>|<fg>", "question:<title>|<text>".
class RecordingObserver final : public TransferObserver {
public:
    explicit RecordingObserver(bool answer = true) : answer_(answer) {}

    std::vector<std::string> events() const {
        std::lock_guard lock(mutex_);
        return events_;
    }
    std::vector<std::string> messages() const {
        std::vector<std::string> found;
        for (const auto& event : events()) {
            if (event.rfind("message:", 0) == 0) found.push_back(event.substr(8));
        }
        return found;
    }

protected:
    void onProgressOpen() override { record("open"); }
    void onTitle(std::string_view title, ProgressStep step) override {
        std::string event = "title:" + std::string(title);
        if (step.count != 0) event += " (" + std::to_string(step.number) + "/" + std::to_string(step.count) + ")";
        record(std::move(event));
    }
    void onProgressClose() override { record("close"); }
    void onMessage(const PanelMessage& message) override {
        static const char* const kIcons[] = {"none", "information", "warning", "error", "question"};
        record("message:" + std::string(message.title) + "|" + std::string(message.text) + "|" +
               kIcons[static_cast<int>(message.icon)] + (message.foreground ? "|fg" : "|bg"));
    }
    bool onQuestion(std::string_view title, std::string_view text) override {
        record("question:" + std::string(title) + "|" + std::string(text));
        return answer_;
    }

private:
    void record(std::string event) {
        std::lock_guard lock(mutex_);
        events_.push_back(std::move(event));
    }

    bool answer_;
    mutable std::mutex mutex_;
    std::vector<std::string> events_;
};

inline const std::string kConnectionFaultMessage =
    "5300 Commissioning software Error|Fault with connection to panel|error|fg";
inline const std::string kCannotProgramMessage = "5300 Commissioning software Error|Can't program page!|error|fg";
inline const std::string kWriteFailedMessage = "Fail!|Settings have NOT been written to panel|error|fg";
inline const std::string kWriteSucceededMessage = "Success|Settings have been sent to the panel|none|fg";

// A demo panel on a link in virtual time (waits cost nothing), a store and a recording observer.
struct SimulatedBench {
    std::shared_ptr<SimulatedPanel> panel = std::make_shared<SimulatedPanel>();
    SimulatedPanelLink link;
    SettingsStore store;
    RecordingObserver observer;
    PanelSession session{link, store, observer};

    explicit SimulatedBench(SimLinkOptions options = {true, false}) : link(panel, options) { BuildDemoPanel(*panel); }
    // Another connection to a panel that is already there.
    explicit SimulatedBench(std::shared_ptr<SimulatedPanel> existing)
        : panel(std::move(existing)), link(panel, {true, false}) {}

    std::string value(const char* key) const { return std::string(store.text(key, "<absent>")); }
    LinkClock::TimePoint now() { return link.clock().now(); }
    // A whole read or write as the front ends run it: the progress display opens first.
    bool read() {
        return RunTransfer(observer, TransferKind::Read, [&] { return ReadPanelWorker(session); });
    }
    bool write() {
        return RunTransfer(observer, TransferKind::Write, [&] { return WritePanelWorker(session); });
    }

    // Requests the panel received with the given command.
    std::vector<SimRequest> requestsOf(std::uint8_t command) const {
        std::vector<SimRequest> found;
        for (const auto& request : panel->requests()) {
            if (request.command == command) found.push_back(request);
        }
        return found;
    }
};

// A link whose device answers through a script: `answer` sees each report written and returns the
// replies to queue (none for silence). Runs on a manual clock; records every report written.
class ScriptedLink final : public PanelLink {
public:
    std::function<std::vector<Report>(const Report&)> answer;
    std::vector<Report> written;
    int reads = 0;

    LinkClock& clock() override { return clock_; }
    std::string describe() const override { return "scripted"; }

protected:
    bool deviceOpen() override { return true; }
    void deviceClose() override {}
    bool deviceWrite(const Report& report, std::chrono::milliseconds) override {
        written.push_back(report);
        if (answer) {
            for (const auto& reply : answer(report)) pending_.push_back(reply);
        }
        return true;
    }
    ReadResult deviceRead(Report& report, std::chrono::milliseconds limit) override {
        ++reads;
        if (pending_.empty()) {
            clock_.advance(limit);
            return ReadResult::TimedOut;
        }
        report = pending_.front();
        pending_.erase(pending_.begin());
        return ReadResult::Received;
    }

private:
    ManualLinkClock clock_;
    std::vector<Report> pending_;
};

// A report with its command, address (little-endian in bytes 2 to 5) and count; every other byte 0.
inline Report MakeReport(std::uint8_t command, std::uint8_t count = 0, std::uint32_t address = 0) {
    Report report{};
    report[1] = command;
    for (int i = 0; i < 4; ++i) report[2 + i] = static_cast<std::uint8_t>(address >> (8 * i));
    report[6] = count;
    return report;
}

inline std::uint32_t ReportAddress(const Report& report) {
    return report[2] | report[3] << 8 | report[4] << 16 | static_cast<std::uint32_t>(report[5]) << 24;
}

}  // namespace tamrik::testing
