#include <gtest/gtest.h>

#include "app/cli/CommandLineToken.h"

namespace tamrik {
namespace {

using Arguments = std::vector<std::string>;

TEST(CommandLineTokenTest, BlanksSeparateArguments) {
    EXPECT_EQ(CommandLineSplit(""), Arguments{});
    EXPECT_EQ(CommandLineSplit("   "), Arguments{});
    EXPECT_EQ(CommandLineSplit("-r  site.psf -w "), (Arguments{"-r", "site.psf", "-w"}));
    EXPECT_EQ(CommandLineSplit("a\tb c"), (Arguments{"a\tb", "c"})) << "a tab is an ordinary character";
}

TEST(CommandLineTokenTest, Quotes) {
    EXPECT_EQ(CommandLineSplit("-r \"My Sites/site one.psf\" -w"), (Arguments{"-r", "My Sites/site one.psf", "-w"}));
    EXPECT_EQ(CommandLineSplit("-s \"\" -w"), (Arguments{"-s", "", "-w"}));
    EXPECT_EQ(CommandLineSplit("\"a b\"c d"), (Arguments{"a b", "c", "d"})) << "text after a closing quote";
    EXPECT_EQ(CommandLineSplit("ab\"c d\"e"), (Arguments{"ab\"c", "d\"e"})) << "quotes inside an argument stay";
    EXPECT_EQ(CommandLineSplit("\"\"\"\""), (Arguments{"", ""}));
    // The quote inside the first argument pairs with the one opening the last: that one runs to the end.
    EXPECT_EQ(CommandLineSplit("ab\"c \"d e"), (Arguments{"ab\"c", "d e"}));
}

TEST(CommandLineTokenTest, OddQuoteCountGivesNoArguments) {
    EXPECT_EQ(CommandLineSplit("-w \"site.psf"), Arguments{});
    EXPECT_EQ(CommandLineSplit("-r a\"b\" c\""), Arguments{});
}

TEST(CommandLineTokenTest, AtMost64Arguments) {
    std::string text;
    for (int i = 0; i < 70; ++i) text += "a" + std::to_string(i) + " ";
    const Arguments arguments = CommandLineSplit(text);
    ASSERT_EQ(arguments.size(), 64u);
    EXPECT_EQ(arguments.back(), "a63");
}

TEST(CommandLineTokenTest, OneArgumentAtATime) {
    EXPECT_STREQ(CommandLineToken("-la 2 \"x y\""), "-la");
    EXPECT_STREQ(CommandLineToken(nullptr), "2");
    EXPECT_STREQ(CommandLineToken(nullptr), "x y");
    EXPECT_EQ(CommandLineToken(nullptr), nullptr);
    EXPECT_EQ(CommandLineToken(nullptr), nullptr);
    EXPECT_EQ(CommandLineToken("odd \" quote"), nullptr);
    EXPECT_STREQ(CommandLineToken("-w"), "-w") << "a new text starts over";
}

}  // namespace
}  // namespace tamrik
