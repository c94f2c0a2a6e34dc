#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "panel/PanelTestSupport.h"
#include "panel/PanelTransferLock.h"
#include "panel/ReadPanelWorker.h"
#include "panel/TransferRunner.h"
#include "panel/WritePanelWorker.h"
#include "panel/sim/SimulatedPanelFile.h"
#include "settings/DefaultSettings.h"
#include "support/TempDir.h"

namespace tamrik {
namespace {

using testing::RecordingObserver;

bool saw(const RecordingObserver& observer, const std::string& text) {
    const auto messages = observer.messages();
    return std::any_of(messages.begin(), messages.end(),
                       [&](const std::string& message) { return message.find(text) != std::string::npos; });
}

// One program's view of a simulated panel kept in a file.
struct Program {
    std::unique_ptr<SimulatedPanelLink> link;
    SettingsStore store;
    RecordingObserver observer;

    explicit Program(const std::string& path) : link(OpenSimulatedPanelLink(path, {true, false})) {
        ApplyDefaultSettings(store);
    }

    bool transfer(TransferKind kind) {
        PanelSession session(*link, store, observer);
        return RunTransfer(*link, observer, kind, [&] {
            return kind == TransferKind::Read ? ReadPanelWorker(session) : WritePanelWorker(session);
        });
    }
    bool write(const char* siteName) {
        store.put("SiteName", siteName);
        return transfer(TransferKind::Write);
    }
    std::string readSiteName() {
        return std::string(transfer(TransferKind::Read) ? store.text("SiteName") : "<not read>");
    }
};

TEST(PanelLockTest, ASecondTransferIsRefusedAtOnceAndTheNextOneSeesTheFirstOnesChanges) {
    testing::TempDir dir;
    const std::string path = dir.file("demo.panel");
    Program first(path);
    Program second(path);  // opened (its memory taken from the file) before the first one writes
    {
        PanelTransferLock held;
        ASSERT_TRUE(held.take(*first.link, TransferKind::Write, first.observer));
        const std::string before = testing::ReadBytes(path);
        EXPECT_FALSE(second.write("Second"));
        EXPECT_TRUE(saw(second.observer, kPanelInUseMessage));
        EXPECT_TRUE(second.link->panel().requests().empty());
        EXPECT_EQ(testing::ReadBytes(path), before);
    }
    ASSERT_TRUE(first.write("First"));
    // The second program's memory is from before that write: it must not write over it from stale memory.
    EXPECT_EQ(second.readSiteName(), "First");
    ASSERT_TRUE(second.write("Second"));
    EXPECT_EQ(Program(path).readSiteName(), "Second");
}

TEST(PanelLockTest, ASimulatedPanelThatCannotSaveAChangeFailsTheWrite) {
    testing::TempDir dir;
    Program program(dir.file("demo.panel"));
    program.link->panel().faults.stateFileWritesFail = true;
    EXPECT_FALSE(program.write("Never stored"));
    EXPECT_TRUE(saw(program.observer, "Fault with connection to panel"));
    EXPECT_TRUE(saw(program.observer, testing::kWriteFailedMessage));
    EXPECT_FALSE(saw(program.observer, testing::kWriteSucceededMessage));
}

}  // namespace
}  // namespace tamrik
