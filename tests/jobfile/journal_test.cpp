// The journal: every value readable the moment append returns, a cut at any
// point reading back as the values so far, the end line, and the folder of
// the last 50 journals.
#include "jobfile/journal.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>

#include "job_file_samples.h"
#include "jobfile/journal_folder.h"

namespace kestrane {
namespace {

using testing::lastValues;
using testing::valuesOf;

std::string contentOf(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::map<std::string, std::string> readBack(std::string_view bytes, LastLine lastLine = LastLine::read)
{
    const JobFileReading reading = parseJobFile(bytes, "journal", lastLine);
    if (const auto* refusal = std::get_if<JobFileRefusal>(&reading)) {
        ADD_FAILURE() << refusal->message;
        return {};
    }
    return valuesOf(std::get<JobFile>(reading));
}

// A journal written value by value: after every append the file reads back as
// the values so far. Then every cut of the finished file: a cut at a line end
// reads as the values whose lines it holds, and so does any cut at all when
// the unfinished last line is dropped, as for a journal.
TEST(Journal, EveryValueOnDiskAndEveryCutReadsAsTheValuesSoFar)
{
    testing::ScratchFolder folder;
    std::mt19937 random(1208);
    for (int job = 0; job < 12; ++job) {
        const std::vector<JobValue> values = testing::generatedJob(random, 3);
        const auto path = folder.path / "journal.kjob";
        JournalStart started = Journal::start(path, JobFileClock::now());
        ASSERT_TRUE(std::holds_alternative<Journal>(started));
        Journal& journal = std::get<Journal>(started);

        std::vector<std::size_t> ends;  // the file size after each value
        for (std::size_t i = 0; i < values.size(); ++i) {
            ASSERT_FALSE(journal.append(values[i].key, values[i].value));
            const std::string bytes = contentOf(path);
            ends.push_back(bytes.size());
            ASSERT_EQ(readBack(bytes), lastValues({values.begin(), values.begin() + i + 1}));
            ASSERT_FALSE(journalFileEnded(path));
        }
        ASSERT_FALSE(journal.end(JournalEnd::abandoned));
        EXPECT_TRUE(journalFileEnded(path));

        const std::string bytes = contentOf(path);
        const std::size_t headerEnd = bytes.find("kestrane-job 1\n") + 15;
        for (std::size_t cut = headerEnd; cut <= bytes.size(); ++cut) {
            const std::size_t held = std::upper_bound(ends.begin(), ends.end(), cut) - ends.begin();
            const auto expected = lastValues({values.begin(), values.begin() + held});
            const std::string_view prefix(bytes.data(), cut);
            ASSERT_EQ(readBack(prefix, LastLine::dropUnfinished), expected) << "cut at " << cut;
            if (bytes[cut - 1] == '\n') {
                ASSERT_EQ(readBack(prefix), expected) << "cut at " << cut;
            }
            ASSERT_EQ(journalEnded(prefix), cut + 1 >= bytes.size()) << "cut at " << cut;
        }
        for (std::size_t cut = 0; cut < headerEnd; ++cut)
            EXPECT_TRUE(std::holds_alternative<JobFileRefusal>(
                parseJobFile(std::string_view(bytes.data(), cut), "journal", LastLine::dropUnfinished)));
    }
}

TEST(Journal, EndLinesAndTriangleComments)
{
    testing::ScratchFolder folder;
    const auto path = folder.path / "j.kjob";
    for (const JournalEnd how : {JournalEnd::done, JournalEnd::abandoned, JournalEnd::stopped}) {
        JournalStart started = Journal::start(path, JobFileClock::now());
        Journal& journal = std::get<Journal>(started);
        ASSERT_FALSE(journal.append("n", "2"));
        ASSERT_FALSE(journal.append("A2", "55.18059"));
        ASSERT_FALSE(journal.append("N1", " P1"));
        EXPECT_THROW(journal.append("A3", "1"), std::invalid_argument);
        EXPECT_THROW(journal.append("xz", "1"), std::invalid_argument);
        ASSERT_FALSE(journal.end(how));
        const std::string text = contentOf(path);  // started afresh each time
        EXPECT_EQ(text.substr(text.find("kestrane-job 1\n")),
                  "kestrane-job 1\nn = 2\n# 三角形 2\nA2 = 55.18059\nN1 = \" P1\"\n" + journalEndLine(how) + "\n");
        EXPECT_TRUE(journalEnded(text + "\n \r\n"));
        EXPECT_FALSE(journalEnded(text + "N1 = P1\n"));
    }
    EXPECT_EQ(journalEndLine(JournalEnd::done), "# 作业结束:完成");
    EXPECT_FALSE(journalFileEnded(folder.path / "missing.kjob"));
}

JobFileClock::time_point utcTime(int hour, int minute, int second)
{
    using namespace std::chrono;
    return sys_days{2026y / 12 / 8} + hours(hour) + minutes(minute) + seconds(second);
}

TEST(JournalFolder, NamedByStartTimeNewestFoundOnlyTheLast50Kept)
{
    setenv("TZ", "UTC", 1);  // POSIX: names in a known time zone
    tzset();
    EXPECT_EQ(journalFileName(utcTime(17, 39, 35)), "20261208-173935.kjob");
    EXPECT_EQ(journalFileName(utcTime(17, 39, 35), 2), "20261208-173935_02.kjob");
    for (const char* name : {"20261208-173935.kjob", "20261208-173935_02.kjob"}) EXPECT_TRUE(isJournalFileName(name));
    for (const char* name : {"2026120-173935.kjob", "20261208-173935.txt", "20261208-173935_2.kjob", "a.kjob", ".kjob"})
        EXPECT_FALSE(isJournalFileName(name)) << name;

    testing::ScratchFolder scratch;
    const auto folder = scratch.path / "journal";
    EXPECT_FALSE(newestJournal(folder));
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "notes.txt") << "kept";
    std::ofstream(folder / "00000000-000000.kjob.bak") << "kept";

    // Three jobs in one second, then one a minute: 62 in all.
    std::vector<std::string> started;
    for (int job = 0; job < 62; ++job) {
        const auto time = job < 3 ? utcTime(8, 0, 0) : utcTime(9, job, 0);
        JournalStart start = startJournalInFolder(folder, time);
        ASSERT_TRUE(std::holds_alternative<Journal>(start));
        started.push_back(std::get<Journal>(start).path().filename());
        ASSERT_EQ(newestJournal(folder)->filename(), started.back());
    }
    EXPECT_EQ(std::vector<std::string>(started.begin(), started.begin() + 3),
              (std::vector<std::string>{"20261208-080000.kjob", "20261208-080000_02.kjob", "20261208-080000_03.kjob"}));

    std::vector<std::string> kept;
    for (const auto& path : journalsNewestFirst(folder)) kept.push_back(path.filename());
    EXPECT_EQ(kept, std::vector<std::string>(started.rbegin(), started.rbegin() + journalsKept));
    EXPECT_TRUE(std::filesystem::exists(folder / "notes.txt"));
    EXPECT_TRUE(std::filesystem::exists(folder / "00000000-000000.kjob.bak"));
}

}  // namespace
}  // namespace kestrane
