// Hostile job files from a seeded generator: mangled valid files, random
// bytes, faults planted on a known line, duplicated keys, mixed line ends,
// huge values. Every file is either parsed, and then holds only keys of its
// chain, or refused with a message that names a line of the file; a planted
// fault is refused on its own line. A valid file of a million lines parses fast.
#include "jobfile/job_file.h"

#include <gtest/gtest.h>

#include <ctime>
#include <iostream>

#include "chain/chain_survey.h"
#include "job_file_samples.h"
#include "chain/utf8.h"

namespace kestrane {
namespace {

const std::string debris[] = {"\"", "\\", "=", "#", "\n", "\r", "\r\n", "\xff", "\xEF\xBB\xBF", "\\u", "\\ud800",
                              "\t", " ", "0", "A99", "N", "kestrane-job 1", "\xe4\xb8", std::string(1, '\0')};

using testing::lineCount;
using testing::plantFault;

std::string mangled(std::string text, std::mt19937& random)
{
    for (int edits = 1 + random() % 6; edits > 0 && !text.empty(); --edits) {
        const std::size_t at = random() % text.size();
        switch (random() % 5) {
        case 0: text.erase(at, 1 + random() % 8); break;
        case 1: text.insert(at, debris[random() % std::size(debris)]); break;
        case 2: text.resize(at); break;
        case 3: text[at] = static_cast<char>(random()); break;
        default: {  // a line again at the end: a duplicated key
            const std::size_t begin = text.rfind('\n', at) + 1, end = text.find('\n', at);
            text += text.substr(begin, end == std::string::npos ? end : end - begin + 1);
        }
        }
    }
    return text;
}

std::string withMixedLineEnds(const std::string& text, std::mt19937& random)
{
    std::string mixed;
    for (const char c : text) mixed += c == '\n' && random() % 2 ? std::string("\r\n") : std::string(1, c);
    return mixed;
}

TEST(HostileJobFiles, ReadOrRefusedOnALine)
{
    std::mt19937 random(4711);
    for (int i = 0; i < 4000; ++i) {
        std::string text = jobFileText(testing::generatedJob(random, 12), JobFileClock::now());
        int plantedLine = 0;
        switch (i % 5) {
        case 0:  // random bytes after the format line
            text = "kestrane-job 1\n";
            for (int size = random() % 400; size > 0; --size) text += static_cast<char>(random());
            break;
        case 1: text = std::string(utf8::byteOrderMark) + mangled(text, random); break;
        case 2: text = withMixedLineEnds(mangled(text, random), random); break;
        case 3: text = mangled(text, random); break;
        default:
            plantedLine = plantFault(text, random);
            text = withMixedLineEnds(text, random);
        }
        const JobFileReading reading = parseJobFile(text, "h.kjob");
        if (const auto* refusal = std::get_if<JobFileRefusal>(&reading)) {
            EXPECT_GE(refusal->line, 1) << i;
            EXPECT_LE(refusal->line, lineCount(text)) << i;
            EXPECT_EQ(refusal->message.rfind("作业文件 h.kjob:第 " + std::to_string(refusal->line) + " 行:", 0), 0u);
            EXPECT_TRUE(plantedLine == 0 || refusal->line == plantedLine) << refusal->message;
            continue;
        }
        EXPECT_EQ(plantedLine, 0) << text;
        const JobFile& file = std::get<JobFile>(reading);
        for (const JobFileEntry& entry : file.entries())
            EXPECT_TRUE(fitsChain(*parseKey(entry.key), file.triangleCount().value_or(maxTriangleCount))) << entry.key;
    }
}

TEST(HostileJobFiles, HugeValuesKeysAndLineCounts)
{
    const std::string huge(8 << 20, 'x');
    const auto plain = parseJobFile(testing::jobText("N1 = " + huge + "\n"), "big");
    EXPECT_EQ(std::get<JobFile>(plain).find("N1")->value.size(), huge.size());
    const auto quoted = parseJobFile(testing::jobText("N1 = \"" + std::string(4 << 20, '\\') + "\n"), "big");
    EXPECT_NE(std::get<JobFileRefusal>(quoted).message.find("第 2 行:"), std::string::npos);
    const auto key = parseJobFile(testing::jobText(huge + " = 1\n"), "big");
    EXPECT_NE(std::get<JobFileRefusal>(key).message.find("未知的键 “xxxx"), std::string::npos);
    std::string tiny = "kestrane-job 1\n";
    for (int i = 0; i <= maxValueLines; ++i) tiny += "n=1\n";
    EXPECT_EQ(std::get<JobFileRefusal>(parseJobFile(tiny, "tiny")).line, maxValueLines + 2);  // one value line too many
}

TEST(HostileJobFiles, AMillionLinesParseFast)
{
    const std::vector<JobKey> keys = keysAsked(maxTriangleCount, {});
    std::string text = "kestrane-job 1\n";
    for (int i = 0; i < 1'000'000; ++i) {
        const std::string key = keys[i % keys.size()].text();
        if (i % 25 == 0) text += "# 三角形\n";
        else text += key + " = " + (key == "n" ? "6552" : std::to_string(1000 + i % 9000) + ".123") + "\r\n";
    }
    // Processor time, so that other work on a shared machine does not count.
    const std::clock_t start = std::clock();
    const JobFileReading reading = parseJobFile(text, "million");
    const double seconds = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    ASSERT_TRUE(std::holds_alternative<JobFile>(reading));
    EXPECT_EQ(std::get<JobFile>(reading).entries().size(), 960'000u);
    EXPECT_EQ(std::get<JobFile>(reading).triangleCount(), maxTriangleCount);
    std::cout << "a million lines (" << (text.size() >> 20) << " MB) parsed in " << seconds << " s of processor time\n";
#if defined(__SANITIZE_ADDRESS__)
    EXPECT_LT(seconds, 5.0);
#else
    EXPECT_LT(seconds, 1.0);
#endif
}

}  // namespace
}  // namespace kestrane
