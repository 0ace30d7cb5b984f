// The syntax of a job file by legal and illegal examples, the key model, and
// the keys a real job asks, read from its prompts.
#include "jobfile/job_file.h"

#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <regex>

#include "job/data_input_job.h"
#include "job_file_samples.h"
#include "scripted_io.h"
#include "synthetic_chain.h"

namespace kestrane {
namespace {

using testing::jobText;

const JobFile& parsed(const JobFileReading& reading)
{
    if (const auto* refusal = std::get_if<JobFileRefusal>(&reading)) ADD_FAILURE() << refusal->message;
    static const JobFile empty = std::get<JobFile>(parseJobFile(jobText(""), "empty"));
    const auto* file = std::get_if<JobFile>(&reading);
    return file ? *file : empty;
}

struct Legal {
    std::string text;
    std::string key;
    std::string value;
    int line;
};

TEST(JobFileSyntax, LegalExamples)
{
    const Legal examples[] = {
        {jobText("xa = 12.5\n"), "xa", "12.5", 2},
        {"\xEF\xBB\xBFkestrane-job 1\r\nxa=12.5\r\n", "xa", "12.5", 2},
        {"# Kestrane\n\n  \t\n kestrane-job 1 \n  # note\nya \t=\t 7 \t", "ya", "7", 6},
        {jobText("xa = 1\r\nxa = 2\nxa = 3\r\n"), "xa", "3", 4},
        {jobText("N1 = a=b \"c\"\n"), "N1", "a=b \"c\"", 2},
        {jobText("N1 =\n"), "N1", "", 2},
        {jobText("N1 = \"\"\n"), "N1", "", 2},
        {jobText("N1 = \" P1 \"  \t\n"), "N1", " P1 ", 2},
        {jobText("N1 = #1\n"), "N1", "#1", 2},
        {jobText("N1 = \"\\\"\\\\\\/\\b\\f\\n\\r\\t\"\n"), "N1", "\"\\/\b\f\n\r\t", 2},
        {jobText("N1 = \"\\u00e9\\u4E2D\\ud83d\\ude00\\u0000\"\n"), "N1", std::string("é中😀\0", 10), 2},
        {jobText("N1 = \"\\ufeff\x7f\"\n"), "N1", "\xEF\xBB\xBF\x7f", 2},
        {jobText("N1 = a\x01" "b\n"), "N1", "a\x01" "b", 2},  // raw control characters pass in plain values
        {jobText("n = 3.5\nA4 = 1\n"), "A4", "1", 3},         // n read as the job reads it: 4
        {jobText("n = 2\nn = 5\nS11 = 9\n"), "S11", "9", 4},   // the last n counts
        {jobText("n = 0\nA6552 = 1\nN6553 = B\n"), "N6553", "B", 4},  // no usable n: the largest chain
        {jobText("n = 1\nN0 = A\nN2 = B\nS3 = 1\nC1 = -1\n"), "C1", "-1", 6},
    };
    for (const Legal& example : examples) {
        const JobFileReading reading = parseJobFile(example.text, "t.kjob");
        const JobFileEntry* entry = parsed(reading).find(example.key);
        ASSERT_NE(entry, nullptr) << example.text;
        EXPECT_EQ(entry->value, example.value) << example.text;
        EXPECT_EQ(entry->line, example.line) << example.text;
    }
}

struct Illegal {
    std::string text;
    int line;
    std::string fault;  // a part of the message
};

TEST(JobFileSyntax, IllegalExamplesNameTheirLine)
{
    const Illegal examples[] = {
        {"", 1, "没有 “kestrane-job 1”"},
        {"# just a note\n\n", 2, "没有 “kestrane-job 1”"},
        {"xa = 1\nkestrane-job 1\n", 1, "不是 Kestrane 作业文件"},
        {"Kestrane-Job 1\n", 1, "不是 Kestrane 作业文件"},
        {"kestrane-job 2\n", 1, "“kestrane-job 2” 不受支持"},
        {"kestrane-job 1\rxa = 1\r", 1, "单独的回车符"},
        {jobText("xa 12\n"), 2, "“键 = 值”"},
        {jobText("# c\nxa = 1\nkestrane-job 1\n"), 4, "“键 = 值”"},
        {jobText(" = 5\n"), 2, "缺少键"},
        {jobText("xz = 1\n"), 2, "未知的键 “xz”"},
        {jobText("XA = 1\n"), 2, "未知的键 “XA”"},
        {jobText("A01 = 1\n"), 2, "应写作 “A1”"},
        {jobText("x a = 1\n"), 2, "未知的键"},
        {jobText("n = 2\nA3 = 1\n"), 3, "本文件 n = 2"},
        {jobText("N4 = x\nn = 2\n"), 2, "N0 到 N3"},
        {jobText("n = 2\nS6 = 1\n"), 3, "S1 到 S5"},
        {jobText("n = 5\nn = 2\nA5 = 1\n"), 4, "A1 到 A2"},
        {jobText("A0 = 1\n"), 2, "三角形最多 6552 个"},
        {jobText("B6553 = 1\n"), 2, "B1 到 B6552"},
        {jobText("C99999999999999999999 = 1\n"), 2, "过大"},
        {jobText("n = 1\nA2 = 1\nbroken\n"), 3, "A2"},  // an index fault lies before the syntax fault
        {jobText("n = 1\nbroken\nA2 = 1\n"), 3, "“键 = 值”"},
        {jobText("N1 = \"abc\n"), 2, "缺少结尾的引号"},
        {jobText("N1 = \"abc\\\"\n"), 2, "缺少结尾的引号"},
        {jobText("N1 = \"a\\qb\"\n"), 2, "“\\q” 不是可用的转义"},
        {jobText("N1 = \"\\u12\"\n"), 2, "四位十六进制数字"},
        {jobText("N1 = \"\\ud800\"\n"), 2, "单独的高位代理项"},
        {jobText("N1 = \"\\ud800\\u0041\"\n"), 2, "单独的高位代理项"},
        {jobText("N1 = \"\\udc00\\ud800\"\n"), 2, "单独的低位代理项"},
        {jobText("N1 = \"a\"b\n"), 2, "结尾的引号后还有内容 “b”"},
        {jobText("N1 = \"a\tb\"\n"), 2, "未转义的控制字符 U+0009"},
        {jobText("xa = 1\nN1 = \xff\n"), 3, "不是 UTF-8"},
        {jobText("# \xc0\xaf\n"), 2, "不是 UTF-8"},         // overlong '/'
        {jobText("N1 = \xed\xa0\x80\n"), 2, "不是 UTF-8"},  // an encoded surrogate
        {jobText("N1 = \xf4\x90\x80\x80\n"), 2, "不是 UTF-8"},  // above U+10FFFF
        {jobText("N1 = \xe4\xb8"), 2, "不是 UTF-8"},
        {jobText("\xEF\xBB\xBFxa = 1\n"), 2, "BOM"},
        {jobText("N1 = a\xEF\xBB\xBF\n"), 2, "BOM"},
    };
    for (const Illegal& example : examples) {
        const JobFileReading reading = parseJobFile(example.text, "a.kjob");
        const auto* refusal = std::get_if<JobFileRefusal>(&reading);
        ASSERT_NE(refusal, nullptr) << example.text;
        EXPECT_EQ(refusal->line, example.line) << refusal->message;
        const std::string start = "作业文件 a.kjob:第 " + std::to_string(example.line) + " 行:";
        EXPECT_EQ(refusal->message.rfind(start, 0), 0u) << refusal->message;
        EXPECT_NE(refusal->message.find(example.fault), std::string::npos) << refusal->message;
    }
    const auto refusal = std::get<JobFileRefusal>(parseJobFile(jobText("xz = 1\n"), "作业/a.kjob"));
    EXPECT_EQ(refusal.message, "作业文件 作业/a.kjob:第 2 行:未知的键 “xz”。");
}

TEST(JobFileSyntax, UnreadableFilesAreRefusedWithoutALine)
{
    testing::ScratchFolder folder;
    const auto big = folder.path / "big.kjob";
    { std::ofstream create(big); }
    std::filesystem::resize_file(big, maxJobFileBytes + 1);
    for (const auto& [path, fault] : {std::pair{folder.path / "missing.kjob", "文件不存在"},
                                      std::pair{folder.path, "不是一个普通文件"}, std::pair{big, "文件太大"}}) {
        const JobFileReading reading = readJobFile(path, "x.kjob");
        const auto* refusal = std::get_if<JobFileRefusal>(&reading);
        ASSERT_NE(refusal, nullptr);
        EXPECT_EQ(refusal->line, 0);
        EXPECT_EQ(refusal->message.rfind("作业文件 x.kjob:无法读取:", 0), 0u) << refusal->message;
        EXPECT_NE(refusal->message.find(fault), std::string::npos) << refusal->message;
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

TEST(JobKeys, SpellingRangesAndCounts)
{
    for (const char* text : {"n", "tolerance", "xa", "yf", "Ta", "Qb", "N0", "A1", "C6552", "S13105"})
        EXPECT_EQ(parseKey(text)->text(), text);
    for (const char* text : {"", "N", "A", "a1", "A01", "N-1", "A+1", "A 1", "A1.0", "T", "Xa", "ta", "S1x"})
        EXPECT_FALSE(parseKey(text)) << text;
    const int n = 4;
    EXPECT_TRUE(fitsChain(*parseKey("N5"), n));
    EXPECT_FALSE(fitsChain(*parseKey("N6"), n));
    EXPECT_FALSE(fitsChain(*parseKey("A0"), n));
    EXPECT_TRUE(fitsChain(*parseKey("S9"), n));
    EXPECT_FALSE(fitsChain(*parseKey("S10"), n));
    const std::pair<const char*, std::optional<int>> counts[] = {
        {"4", 4}, {" 7 ", 7}, {"2.5", 2}, {"3.5", 4}, {"1e3", 1000}, {"6552", 6552},
        {"6552.5", 6552}, {"6553", std::nullopt}, {"0.4", std::nullopt}, {"-1", std::nullopt}, {"abc", std::nullopt}};
    for (const auto& [text, count] : counts) EXPECT_EQ(triangleCountOf(text), count) << text;
    EXPECT_EQ(keyMeaning(*parseKey("xe")), "定向点 E 纵座标");
    EXPECT_EQ(keyMeaning(*parseKey("N3")), "第 3 点的点名");
    EXPECT_EQ(keyMeaning(*parseKey("C3")), "第 3 个三角形的间隔角 C3");
}

// The key of each value prompt of the real dialogue. The closing-point prompt
// is asked for N(n-1) and then N(n).
std::string keyOfPrompt(const std::string& prompt, int n, int& closingNamesAsked)
{
    static const std::pair<std::regex, std::string> patterns[] = {
        {std::regex("输入三角形的个数:"), "n"},
        {std::regex("输入规范测角限差:"), "tolerance"},
        {std::regex("输入(已知|定向)点 ([A-F]) (纵|横)座标 :"), "coordinate"},
        {std::regex("输入(起始|闭合)外方位角 :"), "T"},
        {std::regex("输入(起始|闭合)定向角 : .*"), "Q"},
        {std::regex("输入起始点 A 的点名 :"), "N0"},
        {std::regex("按座标推算路线输入第 1 点的点名 :|输入起始点 C 的点名 :"), "N1"},
        {std::regex("按座标推算路线依次输入第 (\\d+) 点的点名 :"), "N"},
        {std::regex("如果依推算路线此点为闭合点 D .*"), "D"},
        {std::regex("输入闭合点 B 的点名 :"), "B"},
        {std::regex("输入第 (\\d+) 个三角形的(求距角 A|前进角 B|间隔角 C)\\d+ :.*"), "angle"},
        {std::regex("输入第 (\\d+) ?条边 : ?"), "S"},
    };
    std::smatch match;
    for (const auto& [pattern, key] : patterns) {
        if (!std::regex_match(prompt, match, pattern)) continue;
        if (key == "coordinate") {
            return std::string(match[3] == "纵" ? "x" : "y") + char(std::tolower(match[2].str()[0]));
        }
        if (key == "T" || key == "Q") return key + (match[1] == "起始" ? "a" : "b");
        if (key == "N" || key == "S") return key + match[1].str();
        if (key == "D") return "N" + std::to_string(n - 1 + closingNamesAsked++);
        if (key == "B") return "N" + std::to_string(n + 1);
        if (key == "angle") return match[2].str().substr(match[2].length() - 1) + match[1].str();
        return key;
    }
    return {};
}

// The keys of a whole job run through the real dialogue, each once, in the
// order of its value prompts.
std::vector<std::string> keysOfRealJob(const testing::ChainPlan& plan)
{
    testing::ScriptedIo io(testing::makeChain(plan).answers);
    ChainSurvey job;
    // A job may stop in the adjustment (case 3 with one triangle); its input is whole.
    EXPECT_NE(runDataInputJob(job, io, io).end, JobEnd::abandoned);

    std::vector<std::string> keys;
    int closingNamesAsked = 0;
    for (const std::string& event : io.events) {
        if (event.rfind("ask ", 0) != 0) continue;
        const std::string prompt = event.substr(4, event.rfind(" -> ") - 4);
        const std::string key = keyOfPrompt(prompt, plan.triangles, closingNamesAsked);
        if (!key.empty() && std::find(keys.begin(), keys.end(), key) == keys.end()) keys.push_back(key);
    }
    return keys;
}

TEST(JobKeys, KeysAskedFollowTheRealDialogue)
{
    for (int n = 1; n <= 5; ++n) {
        for (const ChainCase arrangement :
             {ChainCase::hangingOnA, ChainCase::knownStartSide, ChainCase::knownStartAndEndSide}) {
            for (const bool typed : {false, true}) {
                const ChainLayout layout{arrangement != ChainCase::hangingOnA,
                                         arrangement == ChainCase::knownStartAndEndSide, !typed, !typed};
                std::vector<std::string> expected;
                for (const JobKey& key : keysAsked(n, layout)) expected.push_back(key.text());
                EXPECT_EQ(keysOfRealJob({.triangles = n, .arrangement = arrangement, .typedAzimuths = typed}),
                          expected)
                    << "n = " << n << ", case " << static_cast<int>(arrangement);
                EXPECT_TRUE(std::is_sorted(expected.begin(), expected.end(), [](const auto& a, const auto& b) {
                    return asksBefore(*parseKey(a), *parseKey(b));
                }));
            }
        }
    }
}

}  // namespace
}  // namespace kestrane
