#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli/CommandLine.h"
#include "app/cli/UsageText.h"
#include "settings/DefaultSettings.h"
#include "settings/SettingsStore.h"
#include "support/TempDir.h"

namespace tamrik::testing {

// A panel that does what the test says and remembers what it was asked to do.
struct FakePanel {
    bool readSucceeds = true;
    bool writeSucceeds = true;
    bool firmwareSucceeds = true;
    int opens = 0;
    std::vector<std::string> openedAs;
    std::vector<std::string> calls;  // "read", "write", "firmware <path>"
};

class FakeTransfers final : public PanelTransfers {
public:
    FakeTransfers(FakePanel& panel, std::string name) : panel_(panel), name_(std::move(name)) {}

    bool simulated() const override { return name_.starts_with("sim:"); }
    std::string describe() const override { return "simulated panel (" + name_.substr(4) + ")"; }

    bool read(SettingsStore& store, TransferObserver& observer) override {
        panel_.calls.push_back("read");
        observer.ProgressOpen();
        observer.ProgressSet(-1);
        if (!panel_.readSucceeds) {
            observer.Message({"5300 Commissioning software Error", "Fault with connection to panel"});
            return false;
        }
        store.clear();
        ApplyDefaultSettings(store);
        store.put("PanelSnum", "0BADCAFE");
        store.put("Language", "3");
        store.put("SiteName", "Read from the panel");
        return true;
    }
    bool write(SettingsStore&, TransferObserver&) override {
        panel_.calls.push_back("write");
        return panel_.writeSucceeds;
    }
    bool firmware(const std::string& hexPath, SettingsStore&, TransferObserver&) override {
        panel_.calls.push_back("firmware " + hexPath);
        return panel_.firmwareSucceeds;
    }

private:
    FakePanel& panel_;
    std::string name_;
};

// Keeps every message the transfers gave.
class RecordingObserver final : public TransferObserver {
public:
    std::vector<std::string> messages;

protected:
    void onMessage(const PanelMessage& message) override {
        messages.push_back(std::string(message.title) + ": " + std::string(message.text));
    }
    bool onQuestion(std::string_view, std::string_view) override { return false; }
};

// One run of the command line on a fresh default site, with its output captured.
class CommandLineHarness : public ::testing::Test {
protected:
    CommandLineHarness() {
        ApplyDefaultSettings(store);
        context.openPanel = [this](const std::string& name, std::string& error) -> std::unique_ptr<PanelTransfers> {
            ++panel.opens;
            panel.openedAs.push_back(name);
            if (name == "sim:unopenable") {
                error = "the panel state file has the wrong size";
                return nullptr;
            }
            return std::make_unique<FakeTransfers>(panel, name);
        };
    }

    // The option tests see the write alone; the backup before it has a test of its own.
    void SetUp() override {
        context.backupBeforeWrites = false;
        context.backupFolder = backups.path();
    }

    CommandLineResult run(const std::vector<std::string>& arguments) {
        out.str("");
        err.str("");
        return CommandLineMode(arguments, context);
    }
    // What was printed after the banner.
    std::string printed() const {
        const std::string text = out.str();
        return text.starts_with(kCommandLineBanner) ? text.substr(kCommandLineBanner.size()) : "<no banner>" + text;
    }

    SettingsStore store;
    std::ostringstream out, err;
    RecordingObserver observer;
    FakePanel panel;
    TempDir backups;
    CommandLineContext context{store, out, err, observer, {}};
};

}  // namespace tamrik::testing
