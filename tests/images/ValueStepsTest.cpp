#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "images/ValueSteps.h"

namespace tamrik {
namespace {

// Runs a step routine on a copy of `initial` in a buffer of the documented size and returns the
// result together with the rewritten text.
template <typename Step>
std::pair<int, std::string> stepped(const char* initial, Step step) {
    char buffer[kStepTextCapacity] = {};
    std::strncpy(buffer, initial, sizeof buffer - 1);
    const int result = step(buffer);
    return {result, buffer};
}

std::pair<int, std::string> minSec(const char* text, int direction, const MinSecSpin* spin = nullptr) {
    return stepped(text, [&](char* b) { return MinSecStep(b, direction, spin); });
}
std::pair<int, std::string> halfSec(const char* text, int direction = 0) {
    return stepped(text, [&](char* b) { return HalfSecStep(b, direction); });
}
std::pair<int, std::string> number(const char* text, int direction, int step, int low, int high) {
    return stepped(text, [&](char* b) { return NumberStep(b, direction, step, low, high); });
}
std::string clock(const char* text, int direction) {
    return stepped(text, [&](char* b) { return ClockStep(b, direction), 0; }).second;
}

using Result = std::pair<int, std::string>;

TEST(MinSecStep, NormalisesWithoutSpin) {
    EXPECT_EQ(minSec("10:00", -1), Result(600, "10:00"));  // without a spin the direction changes nothing
    EXPECT_EQ(minSec("0:90", 0), Result(90, "1:30"));
    EXPECT_EQ(minSec("125", -1), Result(0, "125"));  // no colon: 0, text untouched
    EXPECT_EQ(minSec("99999999999:99", 0), Result(2147483647, "35791394:07"));
}

// Steps within the limits and to the step, as the value dialogs use them: SettingsDialogsTest.
TEST(MinSecStep, SpinNeverPassesItsLimitOrGoesNegative) {
    const MinSecSpin sevens{600, 7};
    EXPECT_EQ(minSec("9:59", -1, &sevens).first, 595);  // 606 stops at 600, then down to a multiple of 7
    const MinSecSpin minutes{3600, 60};
    EXPECT_EQ(minSec("-5:00", 0, &minutes), Result(0, "0:00"));
    const MinSecSpin zeroStep{600, 0};
    EXPECT_EQ(minSec("1:01", -1, &zeroStep).first, 62);
}

TEST(HalfSecStep, StepsAndClampsToHalfSeconds) {
    EXPECT_EQ(halfSec("127.5", -1), Result(255, "127.5"));
    EXPECT_EQ(halfSec("0.5", 1), Result(1, "0.5"));
    EXPECT_EQ(halfSec("1.0", -1), Result(3, "1.5"));
    EXPECT_EQ(halfSec("1.0", 1), Result(1, "0.5"));
    EXPECT_EQ(halfSec("2.3"), Result(4, "2.0"));
    EXPECT_EQ(halfSec(" +3"), Result(6, "3.0"));
}

TEST(HalfSecStep, NonNumbersBecomeTheMinimumOrMaximum) {
    for (const char* text : {"abc", "", "nan", "-nan", "-7", "1e-60", ",5"}) {
        EXPECT_EQ(halfSec(text), Result(1, "0.5")) << text;
    }
    for (const char* text : {"inf", "1e40", "99999999999999999999999999999999999999999999"}) {
        EXPECT_EQ(halfSec(text).first, 255) << text;
    }
}

TEST(NumberStep, StepsClampsAndRoundsDown) {
    EXPECT_EQ(number("5", -1, 5, 0, 60), Result(10, "10"));
    EXPECT_EQ(number("58", -1, 5, 0, 60).first, 60);
    EXPECT_EQ(number("3", 1, 5, 0, 60).first, 0);
    EXPECT_EQ(number("17", 0, 5, 0, 60), Result(15, "15"));
    EXPECT_EQ(number("x", 0, 1, 3, 9).first, 3);
    // Degenerate arguments stay defined.
    EXPECT_EQ(number("99999999999", -1, 1, 0, 2147483647).first, 2147483647);
    EXPECT_EQ(number("7", -1, 0, 0, 10).first, 8);
    EXPECT_EQ(number("-2147483648", 1, 1, -2147483647 - 1, 0), Result(-2147483647 - 1, "-2147483648"));
}

TEST(ClockStep, Normalises) {
    EXPECT_EQ(clock("9:59", -1), "10:00");
    EXPECT_EQ(clock("10:00", 1), "9:59");
    EXPECT_EQ(clock("7:5", 0), "7:05");
    EXPECT_EQ(clock("abc", -1), "0:01");
    EXPECT_EQ(clock("99999999999:99999999999", -1), "0:00");
}

}  // namespace
}  // namespace tamrik
