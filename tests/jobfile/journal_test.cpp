// The journal: every value readable the moment append returns, a cut at any
// point reading back as the values so far, the end line, and the folder of
// the last 50 journals.
#include "jobfile/journal.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "golden_files.h"
#include "job_file_samples.h"
#include "jobfile/journal_folder.h"

namespace kestrane {
namespace {

// After every append the file reads back as the values so far. Then every cut
// of the finished file: a cut at a line end reads as the values whose lines it
// holds, and so does a cut anywhere when the unfinished last line is dropped,
// as for a journal; only the whole file says that the job ended.
TEST(Journal, EveryValueOnDiskAndEveryCutReadsAsTheValuesSoFar)
{
    testing::ScratchFolder folder;
    const auto path = folder.path / "journal.kjob";
    std::mt19937 random(1208);
    for (const JobEnd how : {JobEnd::done, JobEnd::abandoned, JobEnd::stopped, JobEnd::done}) {
        const std::vector<JobValue> values = testing::generatedJob(random, 3);
        JournalStart started = Journal::start(path, JobFileClock::now());  // replaces the last one
        Journal& journal = std::get<Journal>(started);
        std::vector<std::size_t> ends;  // the file size after each value
        for (std::size_t i = 0; i < values.size(); ++i) {
            ASSERT_FALSE(journal.append(values[i].key, values[i].value));
            ends.push_back(testing::readFile(path).size());
            ASSERT_EQ(testing::valuesRead(testing::readFile(path)), testing::lastValues({values.begin(), values.begin() + i + 1}));
            ASSERT_FALSE(journalFileEnded(path));
        }
        ASSERT_FALSE(journal.end(how));
        EXPECT_TRUE(journalFileEnded(path));

        const std::string bytes = testing::readFile(path);
        EXPECT_EQ(bytes.substr(bytes.size() - journalEndLine(how).size() - 1), journalEndLine(how) + "\n");
        const std::size_t headerEnd = bytes.find("kestrane-job 1\n") + 15;
        for (std::size_t cut = 0; cut <= bytes.size(); ++cut) {
            const std::string_view prefix(bytes.data(), cut);
            if (cut < headerEnd) {
                EXPECT_EQ(parseJobFile(prefix, "j", LastLine::dropUnfinished).index(), 1u) << "cut at " << cut;
                continue;
            }
            const std::size_t held = std::upper_bound(ends.begin(), ends.end(), cut) - ends.begin();
            const auto expected = testing::lastValues({values.begin(), values.begin() + held});
            ASSERT_EQ(testing::valuesRead(prefix, LastLine::dropUnfinished), expected) << "cut at " << cut;
            if (bytes[cut - 1] == '\n') {
                ASSERT_EQ(testing::valuesRead(prefix), expected) << "cut at " << cut;
            }
            ASSERT_EQ(journalEnd(prefix).has_value(), cut + 1 >= bytes.size()) << "cut at " << cut;
        }
    }
}

TEST(Journal, TriangleCommentsQuotedValuesAndKeysNoJobAsks)
{
    testing::ScratchFolder folder;
    JournalStart started = Journal::start(folder.path / "j.kjob", JobFileClock::now());
    Journal& journal = std::get<Journal>(started);
    for (const auto& [key, value] : {std::pair{"n", "2"}, {"A2", "55.18059"}, {"N1", " P1"}})
        ASSERT_FALSE(journal.append(key, value));
    EXPECT_THROW(journal.append("A3", "1"), std::invalid_argument);
    const std::string text = testing::readFile(journal.path());
    EXPECT_EQ(text.substr(text.find("kestrane-job 1\n")), "kestrane-job 1\nn = 2\n# 三角形 2\nA2 = 55.18059\nN1 = \" P1\"\n");
    EXPECT_EQ(journalEnd(text + "# 作业结束:中止\n \r\n"), JobEnd::stopped);
    EXPECT_FALSE(journalEnd(text + "# 作业结束:中止\nN1 = P1\n"));
}

JobFileClock::time_point utcTime(int hour, int minute)
{
    using namespace std::chrono;
    return sys_days{2026y / 12 / 8} + hours(hour) + minutes(minute) + seconds(35);
}

// A journal cut in the middle of a line, continued to its end by another
// job: it ends on a line of its own, its values as they were; one that has
// ended is left alone.
TEST(JournalFolder, AContinuedJournalEndsWithTheJobThatContinuedIt)
{
    testing::ScratchFolder scratch;
    const auto path = scratch.path / "20261208-173935.kjob";
    std::ofstream(path, std::ios::binary) << "# 作业开始于 2026-12-08 17:39:35\nkestrane-job 1\nn = 2\nS1 = 74";
    EXPECT_FALSE(journalFileEnded(path));
    EXPECT_FALSE(endContinuedJournal(path, JobEnd::done));
    EXPECT_EQ(journalFileEnd(path), JobEnd::done);
    const std::string ended = testing::readFile(path);
    EXPECT_EQ(ended, "# 作业开始于 2026-12-08 17:39:35\nkestrane-job 1\nn = 2\nS1 = 74\n" + journalEndLine(JobEnd::done) + "\n");
    EXPECT_FALSE(endContinuedJournal(path, JobEnd::abandoned));
    EXPECT_EQ(testing::readFile(path), ended);
    EXPECT_TRUE(endContinuedJournal(scratch.path / "missing.kjob", JobEnd::done).has_value());
}

TEST(JournalFolder, NamedByStartTimeNewestFoundOnlyTheLast50Kept)
{
    setenv("TZ", "UTC", 1);  // POSIX: names in a known time zone
    tzset();
    EXPECT_FALSE(isJournalFileName("20261208-173935_2.kjob") || isJournalFileName("20261208-17393.kjob"));

    testing::ScratchFolder scratch;
    const auto folder = scratch.path / "journal";
    EXPECT_FALSE(newestJournal(folder));
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "notes.txt") << "kept";

    // Three jobs in one second, then one a minute: 62 in all.
    std::vector<std::string> started;
    for (int job = 0; job < 62; ++job) {
        JournalStart start = startJournalInFolder(folder, job < 3 ? utcTime(8, 0) : utcTime(9, job));
        started.push_back(std::get<Journal>(start).path().filename());
        EXPECT_TRUE(isJournalFileName(started.back()));
        ASSERT_EQ(newestJournal(folder)->filename(), started.back());
    }
    EXPECT_EQ(std::vector<std::string>(started.begin(), started.begin() + 4),
              (std::vector<std::string>{"20261208-080035.kjob", "20261208-080035_02.kjob", "20261208-080035_03.kjob",
                                        "20261208-090335.kjob"}));
    std::vector<std::string> kept;
    for (const auto& path : journalsNewestFirst(folder)) kept.push_back(path.filename());
    EXPECT_EQ(kept, std::vector<std::string>(started.rbegin(), started.rbegin() + journalsKept));
    EXPECT_TRUE(std::filesystem::exists(folder / "notes.txt"));
}

}  // namespace
}  // namespace kestrane
