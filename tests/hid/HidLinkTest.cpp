#include <gtest/gtest.h>
#include <hidapi/hidapi.h>

#include <cstdlib>

#include "hid/FakeHidapi.h"
#include "panel/PanelSession.h"
#include "panel/PanelTestSupport.h"
#include "panel/PanelTransferLock.h"
#include "panel/ReadPanelWorker.h"
#include "panel/TransferRunner.h"
#include "panel/hid/HidLink.h"
#include "panel/hid/PanelLinkFactory.h"
#include "panel/sim/DemoPanel.h"
#include "support/TempDir.h"

namespace tamrik {
namespace {

std::shared_ptr<SimulatedPanel> demoPanel() {
    auto panel = std::make_shared<SimulatedPanel>();
    BuildDemoPanel(*panel);
    return panel;
}

class HidLinkTest : public ::testing::Test {
protected:
    HidLinkTest() { fakehid::Reset(); }
    ~HidLinkTest() override { fakehid::Reset(); }

    // A demo panel behind the first matching interface.
    std::shared_ptr<SimulatedPanel> attachDemoPanel() {
        auto panel = demoPanel();
        fakehid::Devices().push_back({"/dev/hidraw0", 0x04D8, 0xFB4C, 0x0100, true, panel});
        return panel;
    }
    bool readPanel(PanelLink& link) {
        PanelSession session(link, store, observer);
        return RunTransfer(observer, TransferKind::Read, [&] { return ReadPanelWorker(session); });
    }

    SettingsStore store;
    SilentObserver observer;
};

TEST_F(HidLinkTest, ReadsTheDemoPanelThroughHidReports) {
    attachDemoPanel();
    HidLink link;
    ASSERT_TRUE(readPanel(link));
    EXPECT_EQ(store.get("PanelData"), "1");
    EXPECT_EQ(store.get("SiteName"), "Harbour View Offices");
    EXPECT_EQ(store.get("FirmwareVersion"), "1.250 / 0.110");

    const auto& calls = fakehid::CallLog();
    EXPECT_EQ(calls.enumerations, 1);
    for (std::size_t length : calls.writeLengths) EXPECT_EQ(length, 65u);
    for (std::uint8_t id : calls.writeReportIds) EXPECT_EQ(id, 0);
    for (std::size_t length : calls.readLengths) EXPECT_EQ(length, 64u);
    for (int timeout : calls.readTimeouts) EXPECT_EQ(timeout, 100);
}

TEST_F(HidLinkTest, APanelUnpluggedBetweenOperationsIsSearchedForAgain) {
    auto panel = attachDemoPanel();
    HidLink link;
    ASSERT_TRUE(readPanel(link));
    EXPECT_EQ(fakehid::CallLog().enumerations, 1);

    // Unplugged and back before the next operation: the first write fails and closes the link,
    // the retry enumerates again and finds it.
    panel->faults.unplugAfterReports = static_cast<std::int64_t>(panel->requests().size());
    panel->faults.replugAfterSearches = 1;
    ASSERT_TRUE(readPanel(link));
    EXPECT_EQ(fakehid::CallLog().enumerations, 2);
    EXPECT_EQ(fakehid::CallLog().opened.size(), 2u);
    EXPECT_EQ(fakehid::CallLog().closed, 1);
}

TEST_F(HidLinkTest, AReadErrorClosesTheLinkAndAReadWhileClosedFails) {
    auto panel = attachDemoPanel();
    HidLink link;
    std::uint8_t buffer[65];
    EXPECT_EQ(link.LinkRead(buffer, 65), -1);
    EXPECT_EQ(fakehid::CallLog().enumerations, 0);  // reading never opens

    Report query{};
    query[1] = kCommandQuery;
    ASSERT_EQ(link.LinkWrite(query.data(), 65), 1);
    ASSERT_EQ(link.LinkRead(buffer, 65), 1);
    EXPECT_EQ(buffer[0], 0);  // the report ID put back in front
    EXPECT_EQ(buffer[1], kCommandQuery);

    EXPECT_EQ(link.LinkRead(buffer, 65), -1);  // nothing pending: a time-out keeps the link open
    EXPECT_TRUE(link.isOpen());
    panel->unplug();
    EXPECT_EQ(link.LinkRead(buffer, 65), -1);  // the device failed: gone
    EXPECT_FALSE(link.isOpen());

    panel->plugIn();
    fakehid::Devices()[0].shortWrites = true;  // a report sent short is a failed write
    EXPECT_EQ(link.LinkWrite(query.data(), 65), -1);
    EXPECT_FALSE(link.isOpen());
}

// Reads through `link` as a front end does (holding the panel); the messages the user saw.
std::vector<std::string> readHeld(PanelLink& link, bool* read = nullptr) {
    SettingsStore store;
    testing::RecordingObserver observer;
    PanelSession session(link, store, observer);
    const bool done = RunTransfer(link, observer, TransferKind::Read, [&] { return ReadPanelWorker(session); });
    if (read) *read = done;
    return observer.messages();
}

class HidChoiceTest : public HidLinkTest {
protected:
    HidChoiceTest() { setenv("XDG_RUNTIME_DIR", locks.path().c_str(), 1); }
    ~HidChoiceTest() override { unsetenv("XDG_RUNTIME_DIR"); }
    testing::TempDir locks;
};

// Without a path the first panel in enumeration order is taken, whatever its release number.
TEST_F(HidChoiceTest, APanelNamedByPathIsUsedAndWithSeveralTheUserHearsWhichOne) {
    auto first = demoPanel();
    auto second = demoPanel();
    fakehid::Devices().push_back({"/dev/hidraw0", 0x046D, 0xC52B, 0x0100, true, nullptr});  // a mouse
    fakehid::Devices().push_back({"/dev/hidraw1", 0x04D8, 0xFB4C, 0x9999, true, first});
    fakehid::Devices().push_back({"/dev/hidraw2", 0x04D8, 0xFB4C, 0x0001, true, second});
    bool read = false;

    auto named = OpenPanelLink("usb:/dev/hidraw2");
    EXPECT_TRUE(readHeld(*named, &read).empty());
    EXPECT_TRUE(read);
    EXPECT_TRUE(first->requests().empty());
    EXPECT_FALSE(second->requests().empty());

    HidLink any;
    const auto messages = readHeld(any, &read);
    EXPECT_TRUE(read);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("Using the panel at /dev/hidraw1 (2 panels attached; choose one with --panel usb:PATH)"),
              std::string::npos);
    EXPECT_FALSE(first->requests().empty());

    // Two programs on one panel: the second is refused before it sends anything.
    HidLink other("/dev/hidraw1");
    PanelTransferLock held;
    testing::RecordingObserver holder;
    ASSERT_TRUE(held.take(any, TransferKind::Write, holder));
    const auto sent = first->requests().size();
    EXPECT_NE(readHeld(other, &read).at(0).find(kPanelInUseMessage), std::string::npos);
    EXPECT_FALSE(read);
    EXPECT_EQ(first->requests().size(), sent);
}

TEST_F(HidChoiceTest, APanelThatCannotBeOpenedIsNamedWithTheSystemsReason) {
    fakehid::Devices().push_back({"/dev/hidraw3", 0x04D8, 0xFB4C, 0x0100, false, demoPanel()});
    for (const char* which : {"usb", "usb:/dev/hidraw3"}) {
        SCOPED_TRACE(which);
        bool read = true;
        const auto messages = readHeld(*OpenPanelLink(which), &read);
        EXPECT_FALSE(read);
        ASSERT_FALSE(messages.empty());
        EXPECT_NE(messages[0].find("Found a panel at /dev/hidraw3 but cannot open it: Permission denied (see README: "
                                   "udev rule)"),
                  std::string::npos);
    }
}

TEST(PanelLinkFactoryTest, NamesUsbOrASimulatedPanelFile) {
    std::string error;
    auto usb = OpenPanelLink("usb", &error);
    ASSERT_TRUE(usb);
    EXPECT_FALSE(usb->isSimulated());

    EXPECT_FALSE(OpenPanelLink("sim:", &error));
    EXPECT_FALSE(OpenPanelLink("serial", &error));
    EXPECT_NE(error.find("usb, usb:PATH or sim:FILE"), std::string::npos);
    EXPECT_FALSE(OpenPanelLink("usb:", &error));
}

}  // namespace
}  // namespace tamrik
