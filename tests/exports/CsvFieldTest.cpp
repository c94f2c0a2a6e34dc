#include <gtest/gtest.h>

#include "exports/CsvField.h"

namespace tamrik {
namespace {

// Plain text is written as it is; separators, quotes and line breaks are quoted.
TEST(CsvFieldTest, QuotesOnlyWhatMustBeQuoted) {
    const std::pair<std::string, std::string> cases[] = {
        {"", "<"},
        {"  ZONE 01   ", "<  ZONE 01   "},
        {"tab\there \x7f\xe9;", "<tab\there \x7f\xe9;"},
        {"HALL, EAST", "<\"HALL, EAST\""},
        {"6\" BELL", "<\"6\"\" BELL\""},
        {"TWO\r\nLINES", "<\"TWO\r\nLINES\""},
        {"LF\nONLY", "<\"LF\nONLY\""},
        {"\"", "<\"\"\"\""},
    };
    for (const auto& [text, line] : cases) {
        std::string appended = "<";
        CsvAppendField(appended, text);
        EXPECT_EQ(appended, line) << text;
    }
}

}  // namespace
}  // namespace tamrik
