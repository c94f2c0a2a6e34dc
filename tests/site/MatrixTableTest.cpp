#include <gtest/gtest.h>

#include "report/CommissioningReport.h"
#include "settings/DefaultSettings.h"
#include "site/MatrixTable.h"
#include "support/SettingsText.h"

namespace tamrik {
namespace {

TEST(MatrixTableTest, ClicksStepLettersAndAlarmTypes) {
    SettingsStore site;
    testing::PutSettings(site, "Matrix_1_1=O; Matrix_1_2=Q; AlarmType_3=0");
    std::string letters;
    for (int click = 0; click < 4; ++click) letters += MatrixCellClick(site, 1, 1).value_or("-");
    EXPECT_EQ(letters, "PWCO");
    EXPECT_EQ(MatrixCellClick(site, 1, 2), "C");  // an unknown letter starts again at C
    EXPECT_EQ(MatrixCellClick(site, 1, 3), std::nullopt);
    EXPECT_FALSE(site.contains("Matrix_1_3"));
    EXPECT_EQ(AlarmTypeClick(site, 3), "1");
    EXPECT_EQ(AlarmTypeClick(site, 3), "0");
    EXPECT_EQ(AlarmTypeClick(site, 4), std::nullopt);
}

TEST(MatrixTableTest, WholeMatrixChangesOnlyExistingCells) {
    SettingsStore site;
    ApplyDefaultSettings(site);
    site.erase("Matrix_7_7");
    MatrixSetAllOff(site);
    EXPECT_EQ(std::string(site.text("Matrix_1_1")) + std::string(site.text("Matrix_31_32")), "OO");
    EXPECT_EQ(site.text("Matrix_32_5"), "C");  // sound alarms stay on
    EXPECT_FALSE(site.contains("Matrix_7_7"));
    MatrixSetAllContinuous(site);
    EXPECT_EQ(site.text("Matrix_1_1"), "C");
    EXPECT_FALSE(site.contains("Matrix_7_7"));
}

// No delay is stored as no key; a missing delay reads as none.
TEST(MatrixTableTest, NoDelayIsNoKey) {
    SettingsStore site;
    SetOutputDelay(site, true, 4, "2:30");
    EXPECT_EQ(site.text("OutputDelayT2_4"), "2:30");
    EXPECT_EQ(OutputDelay(site, false, 4), "0:00");
    SetOutputDelay(site, true, 4, "0:00");
    EXPECT_FALSE(site.contains("OutputDelayT2_4"));
}

// The mask of disabled output groups is 32 bits whether it was written signed or unsigned; the
// report reads it as the matrix editor and the export do (it once read "2147483648" as 31 groups off).
TEST(MatrixTableTest, DisabledGroupsAreA32BitMaskEverywhere) {
    for (const char* written : {"-2147483648", "2147483648"}) {
        SettingsStore site;
        ApplyDefaultSettings(site);
        site.put("DisabledOPGroups", written);
        EXPECT_EQ(DisabledOutputGroups(site), 0x80000000u) << written;
        const CommissioningReport report = BuildCommissioningReport(site, "now");
        for (int group = 1; group <= 32; ++group) {
            EXPECT_EQ(report.matrix.outputs[static_cast<std::size_t>(group - 1)].disabled, group == 32) << written;
        }
    }
}

}  // namespace
}  // namespace tamrik
