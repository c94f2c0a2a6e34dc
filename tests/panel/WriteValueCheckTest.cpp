#include <gtest/gtest.h>

#include "images/ImageValueCheck.h"
#include "panel/PanelTestSupport.h"
#include "panel/WritePanelWorker.h"

namespace tamrik {
namespace {

// Values each kind of image field cannot carry or the panel does not accept, with the line that refuses them.
struct BadValue {
    const char* key;
    const char* value;
    const char* line;
};
const BadValue kBadValues[] = {
    {"Language", "200", "Language = 200: 0 to 12"},
    {"PanelSnum", "123456789", "PanelSnum = 123456789: 1 to 8 hexadecimal digits"},
    {"NumZones", "-1", "NumZones = -1: 1 to 32"},
    {"ContractorCode", "70000", "ContractorCode = 70000: 0 to 65535"},
    {"UserCode", "12345", "UserCode = 12345: six digits, each 1 to 4"},
    {"OutputDelay_3", "10:05", "OutputDelay_3 = 10:05: 0:00 to 10:00"},
    {"OutputDelayT2_1", "90", "OutputDelayT2_1 = 90: 0:00 to 20:00"},
    {"DayNightOnTime", "24:00", "DayNightOnTime = 24:00: 0:00 to 23:59"},
    {"PulseOnTime", "128", "PulseOnTime = 128: 0.5 to 127.5 in steps of 0.5"},
    {"FBP", "yes", "FBP = yes: 0 or 1"},
    {"Matrix_2_31", "X", "Matrix_2_31 = X: one of the letters O, C, P, W"},
    {"ZoneText_4", "twenty-one characters", "ZoneText_4 = twenty-one characters: at most 20 characters"},
    {"SNum_7", "G1", "SNum_7 = G1: 1 to 8 hexadecimal digits"},
    {"Sens1_9", "16", "Sens1_9 = 16: 0 to 15"},
    {"Zone_1", "1.5", "Zone_1 = 1.5: 0 to 255"},
};

TEST(WriteValueCheckTest, EachValueAFieldCannotCarryIsNamedWithWhatItCanHold) {
    for (const auto& [key, value, line] : kBadValues) {
        SettingsStore store;
        store.insertIfAbsent(key, value);
        EXPECT_EQ(ImageValueProblems(store), std::vector<std::string>{line}) << key;
    }
}

TEST(WriteValueCheckTest, AWriteWithValuesThatDoNotFitSendsNothingAndListsThemAll) {
    testing::SimulatedBench bench;
    bench.store.insertIfAbsent("PanelSnum", "1A2B3C4D");  // sound values are not listed
    bench.store.insertIfAbsent("Language", "200");
    bench.store.insertIfAbsent("UserCode", "5555");
    const std::string before = bench.panel->state();
    bench.panel->clearRequests();

    EXPECT_FALSE(WritePanelWorker(bench.session));
    EXPECT_TRUE(bench.panel->requests().empty());
    EXPECT_EQ(bench.panel->state(), before);
    EXPECT_EQ(bench.observer.messages(),
              (std::vector<std::string>{"5300 Commissioning software Error|Language = 200: 0 to 12\r\n"
                                        "UserCode = 5555: six digits, each 1 to 4|error|fg",
                                        testing::kWriteFailedMessage}));
}

}  // namespace
}  // namespace tamrik
