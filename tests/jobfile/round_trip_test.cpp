// Writer to reader: generated jobs written whole and read back value for
// value, the written form of awkward values, and the all-or-nothing save.
#include "jobfile/job_file_writer.h"

#include <gtest/gtest.h>

#include <sstream>

#include "chain/version.h"
#include "job_file_samples.h"
#include "jobfile/value_quoting.h"

namespace kestrane {
namespace {

TEST(WrittenValue, PlainUnlessThePlainFormWouldNotReadBack)
{
    const std::pair<std::string, std::string> forms[] = {
        {"三角点 7", "三角点 7"}, {"a\"b", "a\"b"}, {"a\\b", "a\\b"}, {"\\u0041", "\\u0041"}, {"#1", "#1"},
        {" P1", "\" P1\""}, {"P1\t", "\"P1\\t\""}, {"\"a\\b\"", "\"\\\"a\\\\b\\\"\""}, {"a\nb\r", "\"a\\nb\\r\""},
        {"\x01\x1f\b\f", "\"\\u0001\\u001f\\b\\f\""}, {"\x7f\xC2\x85", "\"\\u007f\\u0085\""},
        {"x\xEF\xBB\xBF", "\"x\\ufeff\""}, {"\xff" "a", "\xEF\xBF\xBD" "a"}, {" \xff", "\" \xEF\xBF\xBD\""},
    };
    for (const auto& [text, written] : forms) EXPECT_EQ(writtenValue(text), written) << text;
    EXPECT_EQ(valueLine("N1", ""), "N1 =");
    EXPECT_THROW(jobFileText({{"xz", "1"}}, JobFileClock::now()), std::invalid_argument);
    EXPECT_THROW(jobFileText({{"n", "2"}, {"A3", "1"}}, JobFileClock::now()), std::invalid_argument);
}

// Each key once, in the order of asking; each triangle's angles after its
// comment; values quoted exactly where the plain form would not do.
TEST(WriterRoundTrip, GeneratedJobsReadBackValueForValue)
{
    std::mt19937 random(20261208);
    for (int job = 0; job < 400; ++job) {
        const std::vector<JobValue> values = testing::generatedJob(random);
        const std::string text = jobFileText(values, JobFileClock::now());
        const JobFileReading reading = parseJobFile(text, "round.kjob");
        ASSERT_TRUE(std::holds_alternative<JobFile>(reading)) << std::get<JobFileRefusal>(reading).message;
        const JobFile& file = std::get<JobFile>(reading);
        EXPECT_EQ(testing::valuesOf(file), testing::lastValues(values));
        EXPECT_EQ(file.entries().size(), testing::lastValues(values).size());

        std::vector<std::string> lines;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        EXPECT_EQ(lines[0].rfind(std::string("# Kestrane 作业文件 — 程序版本 ") + programVersion + ",", 0), 0u);
        EXPECT_EQ(lines[1], "kestrane-job 1");
        for (std::size_t i = 0; i < file.entries().size(); ++i) {
            const JobFileEntry& entry = file.entries()[i];
            const JobKey key = *parseKey(entry.key);
            EXPECT_TRUE(i == 0 || asksBefore(*parseKey(file.entries()[i - 1].key), key)) << entry.key;
            EXPECT_TRUE(key.family != KeyFamily::angleA ||
                        lines[entry.line - 2] == "# 三角形 " + std::to_string(key.index)) << entry.key;
            const bool quoted = lines[entry.line - 1].find(" = \"") == entry.key.size();
            EXPECT_EQ(quoted, needsQuoting(entry.value)) << lines[entry.line - 1];
        }
    }
}

std::vector<std::string> filesIn(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(SaveJobFile, ReplacesAllAtOnceOrLeavesEverythingAsItWas)
{
    testing::ScratchFolder folder;
    std::mt19937 random(7);
    const auto path = folder.path / "作业.kjob";
    for (int save = 0; save < 3; ++save) {
        const std::vector<JobValue> values = testing::generatedJob(random);
        ASSERT_FALSE(saveJobFile(path, values));
        EXPECT_EQ(testing::valuesOf(std::get<JobFile>(readJobFile(path, "作业.kjob"))), testing::lastValues(values));
        EXPECT_EQ(filesIn(folder.path), std::vector<std::string>{"作业.kjob"});
    }
    const auto missing = saveJobFile(folder.path / "no" / "a.kjob", {{"n", "1"}});
    EXPECT_NE(missing.value().message.find("文件夹不存在"), std::string::npos) << missing->message;

    std::filesystem::create_directory(folder.path / "sub");
    const auto onFolder = saveJobFile(folder.path / "sub", {{"n", "1"}});
    EXPECT_EQ(onFolder.value().message, "无法保存作业文件“" + (folder.path / "sub").string() + "”:同名的文件夹已经存在。");
    EXPECT_TRUE(std::filesystem::is_directory(folder.path / "sub"));
    EXPECT_EQ(filesIn(folder.path), (std::vector<std::string>{"sub", "作业.kjob"}));
}

}  // namespace
}  // namespace kestrane
