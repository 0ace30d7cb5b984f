// Hostile job files from a seeded generator: mangled valid files, random
// bytes, huge values, keys out of range, duplicated keys, bytes that are not
// UTF-8, a byte-order mark in the middle, mixed line ends. Every file is
// either parsed, and then holds only keys of its chain, or refused with a
// message that names a line of the file; a fault planted on a known line is
// refused on that line. And a valid file of a million lines parses fast.
#include "jobfile/job_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <iostream>

#include "chain/chain_survey.h"
#include "job_file_samples.h"
#include "jobfile/utf8.h"

namespace kestrane {
namespace {

using testing::generatedJob;

const std::string debris[] = {"\"", "\\", "=", "#", "\n", "\r", "\r\n", "\xff", "\xEF\xBB\xBF", "\\u", "\\ud800",
                              "\t", " ", "0", "A99", "N", "kestrane-job 1", "\xe4\xb8", std::string(1, '\0'), "é"};

std::string validText(std::mt19937& random)
{
    return jobFileText(generatedJob(random, 12), JobFileClock::now());
}

int lineCount(const std::string& text)
{
    return static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
}

std::size_t startOfLine(const std::string& text, int line)
{
    std::size_t at = 0;
    for (int i = 1; i < line; ++i) at = text.find('\n', at) + 1;
    return at;
}

std::string mangled(std::string text, std::mt19937& random)
{
    const int edits = 1 + static_cast<int>(random() % 6);
    for (int edit = 0; edit < edits && !text.empty(); ++edit) {
        const std::size_t at = random() % text.size();
        switch (random() % 5) {
        case 0: text.erase(at, 1 + random() % 8); break;
        case 1: text.insert(at, debris[random() % std::size(debris)]); break;
        case 2: text.resize(at); break;
        case 3: text[at] = static_cast<char>(random()); break;
        default: {  // a line again, further on: a duplicated key
            const std::size_t begin = text.rfind('\n', at) + 1, end = text.find('\n', at);
            text += text.substr(begin, end == std::string::npos ? std::string::npos : end - begin + 1);
        }
        }
    }
    return text;
}

std::string randomBytes(std::mt19937& random)
{
    std::string text = random() % 2 ? "kestrane-job 1\n" : "";
    const std::size_t size = random() % 400;
    for (std::size_t i = 0; i < size; ++i)
        text += random() % 3 ? static_cast<char>(random()) : debris[random() % std::size(debris)][0];
    return text;
}

std::string withLineEnds(const std::string& text, std::mt19937& random)
{
    std::string mixed;
    for (const char c : text) mixed += c == '\n' && random() % 2 ? std::string("\r\n") : std::string(1, c);
    return mixed;
}

// Every file is read or refused; a refusal names one of its lines.
void expectReadOrRefusedOnALine(const std::string& text, const std::string& what)
{
    const JobFileReading reading = parseJobFile(text, "h.kjob");
    if (const auto* refusal = std::get_if<JobFileRefusal>(&reading)) {
        EXPECT_GE(refusal->line, 1) << what;
        EXPECT_LE(refusal->line, lineCount(text)) << what;
        EXPECT_EQ(refusal->message.rfind("作业文件 h.kjob:第 " + std::to_string(refusal->line) + " 行:", 0), 0u)
            << refusal->message;
        return;
    }
    const JobFile& file = std::get<JobFile>(reading);
    int previous = 0;
    for (const JobFileEntry& entry : file.entries()) {
        const auto key = parseKey(entry.key);
        ASSERT_TRUE(key) << what;
        EXPECT_TRUE(fitsChain(*key, file.triangleCount().value_or(maxTriangleCount))) << entry.key;
        EXPECT_GT(entry.line, previous);
        previous = entry.line;
    }
}

TEST(HostileJobFiles, ReadOrRefusedOnALine)
{
    std::mt19937 random(4711);
    for (int i = 0; i < 3000; ++i) {
        const int kind = i % 4;
        std::string text = kind == 3 ? randomBytes(random) : mangled(validText(random), random);
        if (kind == 2) text = withLineEnds(text, random);
        if (kind == 1 && random() % 3 == 0) text = std::string(utf8::byteOrderMark) + text;
        expectReadOrRefusedOnALine(text, "file " + std::to_string(i));
    }
}

// A valid file with one line put in or changed at a known place.
TEST(HostileJobFiles, PlantedFaultsAreRefusedOnTheirLine)
{
    std::mt19937 random(99);
    const std::string faults[] = {"xz = 1", "A0 = 1", "N1 = \"open", "N1 = \"\\udfff\"", "S0 = 1",
                                  "N1 = \xc3", "\xEF\xBB\xBF# note", "just words", "= 1", "N1 = \"a\" b"};
    for (int i = 0; i < 500; ++i) {
        std::string text = withLineEnds(validText(random), random);
        const int line = 3 + static_cast<int>(random() % (lineCount(text) - 3));
        const std::string& fault = faults[i % std::size(faults)];
        text.insert(startOfLine(text, line), fault + "\n");
        const JobFileReading reading = parseJobFile(text, "p.kjob");
        ASSERT_TRUE(std::holds_alternative<JobFileRefusal>(reading)) << fault;
        EXPECT_EQ(std::get<JobFileRefusal>(reading).line, line) << fault;
    }
    // An index beyond the file's n, before and after the n line.
    const auto refusedOn = [](const std::string& lines) {
        const JobFileReading reading = parseJobFile(testing::jobText(lines), "r");
        return std::holds_alternative<JobFileRefusal>(reading) ? std::get<JobFileRefusal>(reading).line : 0;
    };
    for (int n = 1; n <= 12; ++n) {
        const std::string count = "n = " + std::to_string(n) + "\n";
        for (const std::string& key : {"N" + std::to_string(n + 2), "C" + std::to_string(n + 1),
                                       "S" + std::to_string(2 * n + 2)}) {
            EXPECT_EQ(refusedOn(key + " = 1\n" + count), 2) << key;
            EXPECT_EQ(refusedOn(count + key + " = 1\n"), 3) << key;
        }
    }
}

TEST(HostileJobFiles, HugeValuesAndLines)
{
    const std::string huge(8 << 20, 'x');
    const auto plain = parseJobFile(testing::jobText("N1 = " + huge + "\n"), "big");
    EXPECT_EQ(std::get<JobFile>(plain).find("N1")->value.size(), huge.size());
    const auto quoted = parseJobFile(testing::jobText("N1 = \"" + std::string(4 << 20, '\\') + "\n"), "big");
    EXPECT_EQ(std::get<JobFileRefusal>(quoted).line, 2);
    const auto key = parseJobFile(testing::jobText(huge + " = 1\n"), "big");
    EXPECT_NE(std::get<JobFileRefusal>(key).message.find("x…"), std::string::npos);
    std::string tiny = "kestrane-job 1\n";
    for (int i = 0; i <= maxValueLines; ++i) tiny += "n=1\n";
    EXPECT_EQ(std::get<JobFileRefusal>(parseJobFile(tiny, "tiny")).line, maxValueLines + 2);
}

TEST(HostileJobFiles, AMillionLinesParseFast)
{
    const int n = maxTriangleCount;
    const std::vector<JobKey> keys = keysAsked(n, {});
    std::string text = "kestrane-job 1\n";
    for (int i = 0; i < 1'000'000; ++i) {
        if (i % 25 == 0) text += "# 三角形\n";
        else if (i % keys.size() == 0) text += "n = " + std::to_string(n) + "\n";
        else text += keys[i % keys.size()].text() + " = " + std::to_string(1000 + i % 9000) + ".123\r\n";
    }
    // Processor time, so that other work on a shared machine does not count.
    const std::clock_t start = std::clock();
    const JobFileReading reading = parseJobFile(text, "million");
    const double seconds = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    ASSERT_TRUE(std::holds_alternative<JobFile>(reading));
    EXPECT_EQ(std::get<JobFile>(reading).entries().size(), 960'000u);
    EXPECT_EQ(std::get<JobFile>(reading).triangleCount(), n);
    std::cout << "a million lines (" << (text.size() >> 20) << " MB) parsed in " << seconds << " s of processor time\n";
#if defined(__SANITIZE_ADDRESS__)
    EXPECT_LT(seconds, 5.0);
#else
    EXPECT_LT(seconds, 1.0);
#endif
}

}  // namespace
}  // namespace kestrane
