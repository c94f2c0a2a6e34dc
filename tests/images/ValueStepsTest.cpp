#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "images/ValueSteps.h"

namespace tamrik {
namespace {

// A step text in a buffer of the documented size.
struct Text {
    explicit Text(const char* initial) { std::strncpy(buffer, initial, sizeof buffer - 1); }
    char buffer[kStepTextCapacity] = {};
    std::string str() const { return buffer; }
};

TEST(MinSecStep, NormalisesWithoutSpin) {
    Text t("1:5");
    EXPECT_EQ(MinSecStep(t.buffer, 0, nullptr), 65);
    EXPECT_EQ(t.str(), "1:05");
    Text ten("10:00");
    EXPECT_EQ(MinSecStep(ten.buffer, -1, nullptr), 600);  // no spin: direction changes nothing
    EXPECT_EQ(ten.str(), "10:00");
    Text seconds("0:90");
    EXPECT_EQ(MinSecStep(seconds.buffer, 0, nullptr), 90);
    EXPECT_EQ(seconds.str(), "1:30");
}

TEST(MinSecStep, TextWithoutColonIsZeroAndUntouched) {
    Text t("125");
    EXPECT_EQ(MinSecStep(t.buffer, -1, nullptr), 0);
    EXPECT_EQ(t.str(), "125");
}

TEST(MinSecStep, SpinStepsWithinItsRange) {
    const MinSecSpin spin{600, 5};
    Text up("9:55");
    EXPECT_EQ(MinSecStep(up.buffer, -1, &spin), 600);
    EXPECT_EQ(up.str(), "10:00");
    EXPECT_EQ(MinSecStep(up.buffer, -1, &spin), 600);  // at the limit: no further
    Text down("0:03");
    EXPECT_EQ(MinSecStep(down.buffer, 1, &spin), 0);  // not below 0
    EXPECT_EQ(down.str(), "0:00");
    Text over("12:00");
    EXPECT_EQ(MinSecStep(over.buffer, 0, &spin), 600);
    Text odd("0:07");
    EXPECT_EQ(MinSecStep(odd.buffer, 0, &spin), 5);
    EXPECT_EQ(odd.str(), "0:05");
}

TEST(MinSecStep, SpinNeverPassesItsLimitOrGoesNegative) {
    const MinSecSpin sevens{600, 7};
    Text nearLimit("9:59");
    EXPECT_EQ(MinSecStep(nearLimit.buffer, -1, &sevens), 595);  // 606 stops at 600, then down to a multiple of 7
    const MinSecSpin minutes{3600, 60};
    Text typedNegative("-5:00");
    EXPECT_EQ(MinSecStep(typedNegative.buffer, 0, &minutes), 0);
    EXPECT_EQ(typedNegative.str(), "0:00");
    const MinSecSpin zeroStep{600, 0};
    Text t("1:01");
    EXPECT_EQ(MinSecStep(t.buffer, -1, &zeroStep), 62);
}

TEST(MinSecStep, HugeNumbersStayInRangeAndInTheBuffer) {
    Text t("99999999999:99");
    const int seconds = MinSecStep(t.buffer, 0, nullptr);
    EXPECT_EQ(seconds, 2147483647);
    EXPECT_EQ(t.str(), "35791394:07");
}

TEST(HalfSecStep, ClampsToHalfASecondAndTheByte) {
    Text zero("0.0");
    EXPECT_EQ(HalfSecStep(zero.buffer, 0), 1);
    EXPECT_EQ(zero.str(), "0.5");
    Text big("200");
    EXPECT_EQ(HalfSecStep(big.buffer, 0), 255);
    EXPECT_EQ(big.str(), "127.5");
    Text top("127.5");
    EXPECT_EQ(HalfSecStep(top.buffer, -1), 255);
    Text bottom("0.5");
    EXPECT_EQ(HalfSecStep(bottom.buffer, 1), 1);
}

TEST(HalfSecStep, StepsAndTruncatesToHalfSeconds) {
    Text t("1.0");
    EXPECT_EQ(HalfSecStep(t.buffer, -1), 3);
    EXPECT_EQ(t.str(), "1.5");
    EXPECT_EQ(HalfSecStep(t.buffer, 1), 2);
    EXPECT_EQ(t.str(), "1.0");
    Text between("2.3");
    EXPECT_EQ(HalfSecStep(between.buffer, 0), 4);
    EXPECT_EQ(between.str(), "2.0");
    Text signedText(" +3");
    EXPECT_EQ(HalfSecStep(signedText.buffer, 0), 6);
    EXPECT_EQ(signedText.str(), "3.0");
}

TEST(HalfSecStep, NonNumbersBecomeTheMinimum) {
    for (const char* text : {"abc", "", "nan", "-nan", "-7", "1e-60", ",5"}) {
        Text t(text);
        EXPECT_EQ(HalfSecStep(t.buffer, 0), 1) << text;
        EXPECT_EQ(t.str(), "0.5") << text;
    }
    for (const char* text : {"inf", "1e40", "99999999999999999999999999999999999999999999"}) {
        Text t(text);
        EXPECT_EQ(HalfSecStep(t.buffer, 0), 255) << text;
    }
}

TEST(NumberStep, StepsClampsAndRoundsDown) {
    Text t("5");
    EXPECT_EQ(NumberStep(t.buffer, -1, 5, 0, 60), 10);
    EXPECT_EQ(t.str(), "10");
    Text high("58");
    EXPECT_EQ(NumberStep(high.buffer, -1, 5, 0, 60), 60);
    Text low("3");
    EXPECT_EQ(NumberStep(low.buffer, 1, 5, 0, 60), 0);
    Text odd("17");
    EXPECT_EQ(NumberStep(odd.buffer, 0, 5, 0, 60), 15);
    EXPECT_EQ(odd.str(), "15");
    Text junk("x");
    EXPECT_EQ(NumberStep(junk.buffer, 0, 1, 3, 9), 3);
}

TEST(NumberStep, DegenerateArgumentsAreSafe) {
    Text huge("99999999999");
    EXPECT_EQ(NumberStep(huge.buffer, -1, 1, 0, 2147483647), 2147483647);
    Text zeroStep("7");
    EXPECT_EQ(NumberStep(zeroStep.buffer, -1, 0, 0, 10), 8);
    Text negative("-2147483648");
    EXPECT_EQ(NumberStep(negative.buffer, 1, 1, -2147483647 - 1, 0), -2147483647 - 1);
    EXPECT_EQ(negative.str(), "-2147483648");
}

TEST(ClockStep, WrapsThroughMidnight) {
    Text late("23:59");
    ClockStep(late.buffer, -1);
    EXPECT_EQ(late.str(), "0:00");
    ClockStep(late.buffer, 1);
    EXPECT_EQ(late.str(), "23:59");
    Text hour("9:59");
    ClockStep(hour.buffer, -1);
    EXPECT_EQ(hour.str(), "10:00");
    ClockStep(hour.buffer, 1);
    EXPECT_EQ(hour.str(), "9:59");
}

TEST(ClockStep, NormalisesInvalidTimes) {
    Text shortMinute("7:5");
    ClockStep(shortMinute.buffer, 0);
    EXPECT_EQ(shortMinute.str(), "7:05");
    Text noColon("abc");
    ClockStep(noColon.buffer, -1);
    EXPECT_EQ(noColon.str(), "0:01");
    Text outOfRange("25:70");
    ClockStep(outOfRange.buffer, 0);
    EXPECT_EQ(outOfRange.str(), "0:00");
    Text huge("99999999999:99999999999");
    ClockStep(huge.buffer, -1);
    EXPECT_EQ(huge.str(), "0:00");
}

}  // namespace
}  // namespace tamrik
