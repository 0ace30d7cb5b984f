// The syntax of a job file by legal and illegal examples, and the key model.
#include "jobfile/job_file.h"

#include <gtest/gtest.h>

#include <fstream>

#include "chain/chain_survey.h"
#include "job_file_samples.h"

namespace kestrane {
namespace {

using testing::jobText;

TEST(JobFileSyntax, LegalExamples)
{
    const std::tuple<std::string, const char*, std::string, int> examples[] = {  // text, key, value, line
        {"\xEF\xBB\xBFkestrane-job 1\r\nxa=12.5\r\n", "xa", "12.5", 2},
        {"# Kestrane\n\n  \t\n kestrane-job 1 \n  # note\nya \t=\t 7 \t", "ya", "7", 6},
        {jobText("xa = 1\r\nxa = 2\nxa = 3\r\n"), "xa", "3", 4},
        {jobText("N1 = a=b \"c\"\n"), "N1", "a=b \"c\"", 2},
        {jobText("N1 =\n"), "N1", "", 2},
        {jobText("N1 = \" P1 \"  \t\n"), "N1", " P1 ", 2},
        {jobText("N1 = #1\n"), "N1", "#1", 2},
        {jobText("N1 = \"\\\"\\\\\\/\\b\\f\\n\\r\\t\"\n"), "N1", "\"\\/\b\f\n\r\t", 2},
        {jobText("N1 = \"\\u00e9\\u4E2D\\ud83d\\ude00\\u0000\"\n"), "N1", std::string("é中😀\0", 10), 2},
        {jobText("N1 = \"\\ufeff\x7f\"\n"), "N1", "\xEF\xBB\xBF\x7f", 2},
        {jobText("N1 = a\x01" "b\n"), "N1", "a\x01" "b", 2},         // raw control characters pass in plain values
        {jobText("n = 3.5\nA4 = 1\n"), "A4", "1", 3},                // n read as the job reads it: 4
        {jobText("n = 2\nn = 5\nS11 = 9\n"), "S11", "9", 4},          // the last n counts
        {jobText("n = 0\nA6552 = 1\nN6553 = B\n"), "N6553", "B", 4},  // no usable n: the largest chain
    };
    for (const auto& [text, key, value, line] : examples) {
        const JobFileReading reading = parseJobFile(text, "t.kjob");
        ASSERT_TRUE(std::holds_alternative<JobFile>(reading)) << std::get<JobFileRefusal>(reading).message;
        const JobFileEntry* entry = std::get<JobFile>(reading).find(key);
        ASSERT_NE(entry, nullptr) << text;
        EXPECT_EQ(entry->value, value) << text;
        EXPECT_EQ(entry->line, line) << text;
    }
}

TEST(JobFileSyntax, IllegalExamplesNameTheirLine)
{
    const std::tuple<std::string, int, std::string> examples[] = {  // text, line, part of the message
        {"", 1, "没有 “kestrane-job 1”"},
        {"# just a note\n\n", 2, "没有 “kestrane-job 1”"},
        {"xa = 1\nkestrane-job 1\n", 1, "不是 Kestrane 作业文件"},
        {"kestrane-job 2\n", 1, "“kestrane-job 2” 不受支持"},
        {"kestrane-job 1\rxa = 1\r", 1, "单独的回车符"},
        {jobText("# c\nxa = 1\nkestrane-job 1\n"), 4, "“键 = 值”"},
        {jobText(" = 5\n"), 2, "缺少键"},
        {jobText("XA = 1\n"), 2, "未知的键 “XA”"},
        {jobText("A01 = 1\n"), 2, "应写作 “A1”"},
        {jobText("N4 = x\nn = 2\n"), 2, "本文件 n = 2,只能有 N0 到 N3"},
        {jobText("n = 5\nn = 2\nS6 = 1\n"), 4, "S1 到 S5"},
        {jobText("A0 = 1\n"), 2, "三角形最多 6552 个,只能有 A1 到 A6552"},
        {jobText("C99999999999999999999 = 1\n"), 2, "过大"},
        {jobText("n = 1\nA2 = 1\nbroken\n"), 3, "A2"},  // an index fault lies before the syntax fault
        {jobText("n = 1\nbroken\nA2 = 1\n"), 3, "“键 = 值”"},
        {jobText("N1 = \"abc\\\"\n"), 2, "缺少结尾的引号"},
        {jobText("N1 = \"a\\qb\"\n"), 2, "“\\q” 不是可用的转义"},
        {jobText("N1 = \"\\u12\"\n"), 2, "四位十六进制数字"},
        {jobText("N1 = \"\\ud800\\u0041\"\n"), 2, "单独的高位代理项"},
        {jobText("N1 = \"\\udc00\\ud800\"\n"), 2, "单独的低位代理项"},
        {jobText("N1 = \"a\"b\n"), 2, "结尾的引号后还有内容 “b”"},
        {jobText("N1 = \"a\tb\"\n"), 2, "未转义的控制字符 U+0009"},
        {jobText("xa = 1\nN1 = \xff\n"), 3, "不是 UTF-8"},
        {jobText("# \xc0\xaf\n"), 2, "不是 UTF-8"},         // overlong '/'
        {jobText("N1 = \xed\xa0\x80\n"), 2, "不是 UTF-8"},  // an encoded surrogate
        {jobText("N1 = \xe4\xb8"), 2, "不是 UTF-8"},
        {jobText("N1 = a\xEF\xBB\xBF\n"), 2, "BOM"},
    };
    for (const auto& [text, line, fault] : examples) {
        const JobFileReading reading = parseJobFile(text, "a.kjob");
        ASSERT_TRUE(std::holds_alternative<JobFileRefusal>(reading)) << text;
        const JobFileRefusal& refusal = std::get<JobFileRefusal>(reading);
        EXPECT_EQ(refusal.line, line) << refusal.message;
        EXPECT_EQ(refusal.message.rfind("作业文件 a.kjob:第 " + std::to_string(line) + " 行:", 0), 0u);
        EXPECT_NE(refusal.message.find(fault), std::string::npos) << refusal.message;
    }
    EXPECT_EQ(std::get<JobFileRefusal>(parseJobFile(jobText("xz = 1\n"), "作业/a.kjob")).message,
              "作业文件 作业/a.kjob:第 2 行:未知的键 “xz”。");
}

TEST(JobFileSyntax, UnreadableFilesAreRefusedWithoutALine)
{
    testing::ScratchFolder folder;
    const auto big = folder.path / "big.kjob";
    std::ofstream{big};
    std::filesystem::resize_file(big, maxJobFileBytes + 1);
    for (const auto& [path, fault] : {std::pair{folder.path / "missing.kjob", "文件不存在"},
                                      std::pair{folder.path, "这不是一个普通文件"}, std::pair{big, "文件太大"}}) {
        const JobFileRefusal refusal = std::get<JobFileRefusal>(readJobFile(path, "x.kjob"));
        EXPECT_EQ(refusal.line, 0);
        EXPECT_EQ(refusal.message.rfind("作业文件 x.kjob:无法读取:" + std::string(fault), 0), 0u) << refusal.message;
    }
}

TEST(JobFileLookup, UnusedKeysWithEveryLineInFileOrder)
{
    JobFileReading reading = parseJobFile(jobText("xa = 1\nxe = 5\nN1 = P\nxe = 6\nxa = 2\nS1 = 3\n"), "u");
    JobFile& file = std::get<JobFile>(reading);
    EXPECT_EQ(file.find("xe")->value, "6");
    EXPECT_EQ(file.find("xe")->line, 5);
    EXPECT_EQ(file.find("ye"), nullptr);
    for (const char* key : {"xa", "N1", "ye"}) file.markUsed(key);
    std::vector<std::pair<std::string, int>> unused;
    for (const JobFileEntry& entry : file.unusedEntries()) unused.emplace_back(entry.key, entry.line);
    EXPECT_EQ(unused, (std::vector<std::pair<std::string, int>>{{"xe", 3}, {"xe", 5}, {"S1", 7}}));
}

TEST(JobKeys, SpellingRangesCountsMeanings)
{
    for (const char* text : {"n", "tolerance", "xa", "yf", "Ta", "Qb", "N0", "A1", "C6552", "S13105"})
        EXPECT_EQ(parseKey(text)->text(), text);
    for (const char* text : {"", "N", "a1", "A01", "N-1", "A+1", "A 1", "A1.0", "Xa", "ta", "S1x"})
        EXPECT_FALSE(parseKey(text)) << text;
    for (const auto& [key, fits] : {std::pair{"N5", true}, {"N6", false}, {"A0", false}, {"S9", true}, {"S10", false}})
        EXPECT_EQ(fitsChain(*parseKey(key), 4), fits) << key;
    const std::pair<const char*, std::optional<int>> counts[] = {
        {" 7 ", 7}, {"2.5", 2}, {"3.5", 4}, {"1e3", 1000}, {"6552.5", 6552}, {"6553", std::nullopt},
        {"0.4", std::nullopt}, {"-1", std::nullopt}, {"abc", std::nullopt}};
    for (const auto& [text, count] : counts) EXPECT_EQ(triangleCountOf(text), count) << text;
    EXPECT_EQ(keyMeaning(*parseKey("xe")), "定向点 E 纵座标");
    EXPECT_EQ(keyMeaning(*parseKey("C3")), "第 3 个三角形的间隔角 C3");
}

std::string keysText(int n, const ChainLayout& layout)
{
    std::string text;
    for (const JobKey& key : keysAsked(n, layout)) text += (text.empty() ? "" : " ") + key.text();
    return text;
}

// The order of the prompts of the data-input button, for three layouts.
TEST(JobKeys, KeysAskedInTheOrderOfTheDialogue)
{
    EXPECT_EQ(keysText(4, {.eGiven = true, .fGiven = true}),
              "n tolerance xa ya xc yc xd yd xb yb xe ye xf yf Qa Qb N0 N1 N2 N3 N4 N5 "
              "A1 B1 C1 A2 B2 C2 A3 B3 C3 A4 B4 C4 S1 S2 S3 S4 S5 S6 S7 S8 S9");
    EXPECT_EQ(keysText(2, {.cGiven = true}),
              "n tolerance xa ya xc yc xd yd xb yb xf yf Tb Qb N0 N1 N2 N3 A1 B1 C1 A2 B2 C2 S2 S3 S4 S5");
    EXPECT_EQ(keysText(1, {.cGiven = true, .dGiven = true, .eGiven = true}),
              "n tolerance xa ya xc yc xd yd xb yb N0 N1 N2 A1 B1 C1 S2");
    std::mt19937 random(3);
    for (int i = 0; i < 200; ++i) {
        const ChainLayout layout{random() % 2 == 0, random() % 2 == 0, random() % 2 == 0, random() % 2 == 0};
        const std::vector<JobKey> keys = keysAsked(1 + random() % 9, layout);
        EXPECT_TRUE(std::is_sorted(keys.begin(), keys.end(), asksBefore));
        EXPECT_EQ(std::adjacent_find(keys.begin(), keys.end()), keys.end());
    }
}

}  // namespace
}  // namespace kestrane
