#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "settings/NumberText.h"

namespace tamrik {
namespace {

// Every reading saturates instead of wrapping; a minus sign negates the 32-bit readings modulo 2^32.
TEST(NumberTextTest, DecimalReadingsSaturate) {
    constexpr auto kMax64 = std::numeric_limits<std::int64_t>::max();
    constexpr auto kMin64 = std::numeric_limits<std::int64_t>::min();
    const struct {
        const char* text;
        std::int64_t decimal;
        std::int32_t leadingInt;
        std::uint32_t unsigned32;
    } cases[] = {
        {"  -42xyz", -42, -42, 0xFFFFFFD6u},
        {"+7", 7, 7, 7},
        {"x1", 0, 0, 0},
        {"\t\r\n 12 34", 12, 12, 12},
        {"2147483648", 2147483648LL, INT32_MAX, 0x80000000u},
        {"4294967296", 4294967296LL, INT32_MAX, 0xFFFFFFFFu},
        {"-2147483649", -2147483649LL, INT32_MIN, 0x7FFFFFFFu},
        {"9223372036854775807", kMax64, INT32_MAX, 0xFFFFFFFFu},
        {"99999999999999999999999999999", kMax64, INT32_MAX, 0xFFFFFFFFu},
        {"-9223372036854775808", kMin64, INT32_MIN, 1},
        {"-99999999999999999999999999999", kMin64, INT32_MIN, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseDecimal(c.text), c.decimal) << c.text;
        EXPECT_EQ(ParseLeadingInt(c.text), c.leadingInt) << c.text;
        EXPECT_EQ(ParseUnsigned32(c.text), c.unsigned32) << c.text;
    }
}

TEST(NumberTextTest, HexNumbersKeepThirtyTwoBits) {
    EXPECT_EQ(ParseHex32("9abcDEF0"), 0x9ABCDEF0u);
    EXPECT_EQ(ParseHex32(" 0x1F"), 0x1Fu);
    EXPECT_EQ(ParseHex32("0xZ"), 0u);  // the 0 alone
    EXPECT_EQ(ParseHex32("-1"), 0xFFFFFFFFu);
    EXPECT_EQ(ParseHex32("123456789"), 0xFFFFFFFFu);
    EXPECT_EQ(ParseHex32("12 34"), 0x12u);
}

}  // namespace
}  // namespace tamrik
