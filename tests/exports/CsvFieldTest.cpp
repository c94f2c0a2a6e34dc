#include <gtest/gtest.h>

#include "exports/CsvField.h"

namespace tamrik {
namespace {

std::string field(std::string_view text) {
    std::string line = "<";
    CsvAppendField(line, text);
    return line;
}

TEST(CsvFieldTest, PlainTextIsWrittenAsItIs) {
    EXPECT_EQ(field(""), "<");
    EXPECT_EQ(field("  ZONE 01   "), "<  ZONE 01   ");
    EXPECT_EQ(field("tab\there \x7f\xe9;"), "<tab\there \x7f\xe9;");
}

TEST(CsvFieldTest, SeparatorsQuotesAndLineBreaksAreQuoted) {
    EXPECT_EQ(field("HALL, EAST"), "<\"HALL, EAST\"");
    EXPECT_EQ(field("6\" BELL"), "<\"6\"\" BELL\"");
    EXPECT_EQ(field("TWO\r\nLINES"), "<\"TWO\r\nLINES\"");
    EXPECT_EQ(field("LF\nONLY"), "<\"LF\nONLY\"");
    EXPECT_EQ(field("\""), "<\"\"\"\"");
}

}  // namespace
}  // namespace tamrik
