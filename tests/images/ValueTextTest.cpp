#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "images/ValueText.h"

namespace tamrik {
namespace {

using namespace valuetext;

TEST(ValueText, DecimalNumbersSaturateInsteadOfWrapping) {
    EXPECT_EQ(ParseDecimal("  -42xyz"), -42);
    EXPECT_EQ(ParseDecimal("+7"), 7);
    EXPECT_EQ(ParseDecimal("x1"), 0);
    EXPECT_EQ(ParseDecimal("4294967295"), 4294967295LL);
    EXPECT_EQ(ParseDecimal("9223372036854775807"), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(ParseDecimal("99999999999999999999999999999"), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(ParseDecimal("-9223372036854775808"), std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(ParseDecimal("-99999999999999999999999999999"), std::numeric_limits<std::int64_t>::min());
}

TEST(ValueText, HexNumbersKeepThirtyTwoBits) {
    EXPECT_EQ(ParseHex32("9abcDEF0"), 0x9ABCDEF0u);
    EXPECT_EQ(ParseHex32(" 0x1F"), 0x1Fu);
    EXPECT_EQ(ParseHex32("0xZ"), 0u);  // the 0 alone
    EXPECT_EQ(ParseHex32("-1"), 0xFFFFFFFFu);
    EXPECT_EQ(ParseHex32("123456789"), 0xFFFFFFFFu);
    EXPECT_EQ(ParseHex32("12 34"), 0x12u);
}

TEST(ValueText, FormatsAsThePanelTextsAreWritten) {
    EXPECT_EQ(FormatMinSec(600), "10:00");
    EXPECT_EQ(FormatMinSec(25), "0:25");
    EXPECT_EQ(FormatClock(7, 5), "7:05");
    EXPECT_EQ(FormatHalfSeconds(0), "0.0");
    EXPECT_EQ(FormatHalfSeconds(5), "2.5");
    EXPECT_EQ(FormatHalfSeconds(255), "127.5");
}

}  // namespace
}  // namespace tamrik
