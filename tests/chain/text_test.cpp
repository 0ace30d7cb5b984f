#include "chain/json_string.h"
#include "chain/text.h"

#include <gtest/gtest.h>

namespace kestrane {
namespace {

TEST(Text, PlaceholdersAreFilledInOnePassFromTheStart)
{
    EXPECT_EQ(filledIn("输入第 {i} 条边 :", {{"i", "7"}}), "输入第 7 条边 :");
    EXPECT_EQ(filledIn("S{i} {i}", {{"i", "12"}}), "S12 12");
    EXPECT_EQ(filledIn("{a}{b}", {{"b", "2"}, {"a", "1"}}), "12");
    // Unknown names and unpaired braces stay; a placeholder may follow a stray brace.
    EXPECT_EQ(filledIn("{x} {i", {{"i", "7"}}), "{x} {i");
    EXPECT_EQ(filledIn("{{i}}", {{"i", "7"}}), "{7}");
    // A text put in is not searched again: a point named "{mx}" keeps its name.
    EXPECT_EQ(filledIn("{name}: mx = {mx}", {{"name", "{mx}"}, {"mx", "1.00"}}), "{mx}: mx = 1.00");
}

TEST(Text, DigitsAndBlanks)
{
    EXPECT_TRUE(allDigits("07"));
    for (const char* text : {"", "7a", "-7", " 7", "７"}) EXPECT_FALSE(allDigits(text)) << text;
    EXPECT_EQ(trimmedBlanks(" \t 12 3\t "), "12 3");
    EXPECT_EQ(trimmedBlanks(" \t "), "");
    EXPECT_EQ(trimmed("\r\n# 作业结束 \n", " \r\n"), "# 作业结束");
}

// The replay log escapes what JSON requires; a job file also what an editor
// would not show, and U+FEFF.
TEST(JsonString, TheTwoWritersEscapeDifferentlyOnPurpose)
{
    const struct {
        const char* text;
        const char* required;
        const char* everyControl;
    } table[] = {
        {"点 \"3\"\\", R"("点 \"3\"\\")", R"("点 \"3\"\\")"},
        {"a\tb\n\r\b\f/", R"("a\tb\n\r\b\f/")", R"("a\tb\n\r\b\f/")"},
        {"\x01\x1f", R"("\u0001\u001f")", R"("\u0001\u001f")"},
        {"\x7f", "\"\x7f\"", R"("\u007f")"},
        {"\xc2\x85", "\"\xc2\x85\"", R"("\u0085")"},
        {"\xef\xbb\xbf", "\"\xef\xbb\xbf\"", R"("\ufeff")"},
        {"a\xff" "b", "\"a\xef\xbf\xbd" "b\"", "\"a\xef\xbf\xbd" "b\""},  // not UTF-8: U+FFFD
    };
    for (const auto& row : table) {
        EXPECT_EQ(jsonStringLiteral(row.text, JsonEscapes::required), row.required) << row.text;
        EXPECT_EQ(jsonStringLiteral(row.text, JsonEscapes::everyControl), row.everyControl) << row.text;
    }
}

}  // namespace
}  // namespace kestrane
