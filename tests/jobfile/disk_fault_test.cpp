// What a job does when the disk fails under it: the journal's folder cannot
// be made or written, the disk fills during a journal write or a save, the
// journal or the job file is removed or replaced while the job runs. The
// surveyor is told once, in Chinese, what could not be written and what
// that means; the job runs to its end; every value typed is still kept for
// "save"; no file is left truncated or half-written.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "disk_faults.h"
#include "golden_files.h"
#include "job_file_samples.h"
#include "jobfile/job_file_writer.h"
#include "jobfile/journal_folder.h"
#include "jobfile/recorded_job.h"
#include "scripted_io.h"

namespace kestrane {
namespace {

namespace fs = std::filesystem;

const std::string goesOn = "本次计算照常进行,但此后输入的数值不再记入作业日志;";

// The surveyor of the golden user-guide job, and something that happens to
// the disk as the given prompt opens (counted from 1).
class FaultAtPrompt final : public InputBox {
public:
    FaultAtPrompt(int prompt, std::function<void()> fault)
        : io(testing::goldenJobAnswers("user_guide_example")), prompt_(prompt), fault_(std::move(fault))
    {
    }

    std::string ask(const std::string& prompt, const std::string& title) override
    {
        if (++asked_ == prompt_) fault_();
        return io.ask(prompt, title);
    }
    bool warn(const std::string& message, bool canAbandon) override { return io.warn(message, canAbandon); }

    std::vector<std::string> warnings() const
    {
        std::vector<std::string> found;
        for (const std::string& event : io.events)
            if (event.starts_with("warn ")) found.push_back(event.substr(5));
        return found;
    }

    testing::ScriptedIo io;

private:
    int prompt_;
    int asked_ = 0;
    std::function<void()> fault_;
};

struct RunOutcome {
    JobEnd end;
    std::vector<JobValue> values;  // what the job kept for "save"
};

// started: the journal's start; none for a job without a journal.
RunOutcome runJob(FaultAtPrompt& surveyor, std::optional<JournalStart> started, JobFile* file = nullptr)
{
    JobRecording recording = started ? recordingInto(surveyor, std::move(*started)) : JobRecording(surveyor);
    ChainSurvey job;
    const RecordedJobOutcome outcome = runRecordedJob(job, surveyor, surveyor.io, file, recording);
    return {outcome.outcome.end, recording.values()};
}

// The values the job kept read back from a save: nothing typed is lost.
void expectSavedWhole(const testing::ScratchFolder& folder, const std::vector<JobValue>& values)
{
    ASSERT_FALSE(values.empty());
    ASSERT_FALSE(saveJobFile(folder.path / "saved.kjob", values));
    EXPECT_EQ(testing::valuesOf(std::get<JobFile>(readJobFile(folder.path / "saved.kjob", "saved.kjob"))),
              testing::lastValues(values));
}

// A journal on the disk ends in a whole line and holds the first values of
// the job, in order.
void expectWholeLinesOfTheValues(const fs::path& journal, const std::vector<JobValue>& values)
{
    const std::string bytes = testing::readFile(journal);
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(bytes.back(), '\n');
    const JobFile read = std::get<JobFile>(parseJobFile(bytes, "journal"));
    ASSERT_LE(read.entries().size(), values.size());
    for (std::size_t i = 0; i < read.entries().size(); ++i) EXPECT_EQ(read.entries()[i].key, values[i].key);
}

TEST(DiskFaults, JournalFolderThatCannotBeMadeOrWritten)
{
    testing::ScratchFolder folder;
    std::ofstream(folder.path / "文件") << "a file where a folder should be";
    const fs::path under = folder.path / "文件" / "journal";
    FaultAtPrompt notCreatable(0, [] {});
    const RunOutcome outcome = runJob(notCreatable, startJournalInFolder(under, JobFileClock::now()));
    EXPECT_EQ(outcome.end, JobEnd::done);
    ASSERT_EQ(notCreatable.warnings().size(), 1u);
    EXPECT_TRUE(notCreatable.warnings()[0].starts_with("无法创建作业日志文件夹“" + under.string() +
                                                       "”:路径中有一段不是文件夹。\n" + goesOn))
        << notCreatable.warnings()[0];
    expectSavedWhole(folder, outcome.values);

    // Read-only: the folder missing, and the folder there but not writable.
    for (const bool folderThere : {false, true}) {
        const fs::path journals = folder.path / (folderThere ? "there" : "missing");
        if (folderThere) fs::create_directory(journals);
        testing::InjectedDiskFault readOnly(DiskFault::readOnly);
        FaultAtPrompt surveyor(0, [] {});
        EXPECT_EQ(runJob(surveyor, startJournalInFolder(journals, JobFileClock::now())).end, JobEnd::done);
        ASSERT_EQ(surveyor.warnings().size(), 1u);
        EXPECT_NE(surveyor.warnings()[0].find("”:磁盘是只读的。\n" + goesOn), std::string::npos);
        EXPECT_NE(surveyor.warnings()[0].find(folderThere ? "无法写入作业日志“" : "无法创建作业日志文件夹“"),
                  std::string::npos);
        EXPECT_EQ(fs::exists(journals), folderThere);
        if (folderThere) {
            EXPECT_TRUE(fs::is_empty(journals));
        }
    }

    testing::SmallDisk disk(64 * 1024, true);
    SKIP_UNLESS_MOUNTED(disk);
    FaultAtPrompt onReadOnly(0, [] {});
    EXPECT_EQ(runJob(onReadOnly, startJournalInFolder(disk.path() / "journal", JobFileClock::now())).end, JobEnd::done);
    ASSERT_EQ(onReadOnly.warnings().size(), 1u);
    EXPECT_EQ(onReadOnly.warnings()[0].substr(0, onReadOnly.warnings()[0].find('\n')),
              "无法创建作业日志文件夹“" + (disk.path() / "journal").string() + "”:磁盘是只读的。");
}

// The disk fills halfway through the job: one warning, the job runs to its
// end, the journal keeps whole lines only, and every value is kept for save.
void expectFullDiskMidJob(const fs::path& journals, const std::function<void()>& fill,
                          const testing::ScratchFolder& scratch)
{
    JournalStart started = startJournalInFolder(journals, JobFileClock::now());
    ASSERT_TRUE(std::holds_alternative<Journal>(started));
    const fs::path journal = std::get<Journal>(started).path();
    FaultAtPrompt surveyor(8, fill);
    const RunOutcome outcome = runJob(surveyor, std::move(started));
    injectDiskFault(DiskFault::none);
    EXPECT_EQ(outcome.end, JobEnd::done);
    ASSERT_EQ(surveyor.warnings().size(), 1u);
    EXPECT_EQ(surveyor.warnings()[0],
              "无法写入作业日志“" + journal.string() + "”:磁盘已满。\n" + goesOn +
                  "计算结束后可以用“文件 → 保存作业…”把本次计算的全部数值保存到别处。");
    expectWholeLinesOfTheValues(journal, outcome.values);
    EXPECT_FALSE(journalFileEnded(journal));  // read as a job that did not end: it can be continued
    expectSavedWhole(scratch, outcome.values);
}

TEST(DiskFaults, DiskFullDuringAJournalWrite)
{
    testing::ScratchFolder folder;
    // Room for part of the next line: the write stops inside it.
    expectFullDiskMidJob(folder.path / "journal", [] { injectDiskFault(DiskFault::full, 5); }, folder);

    // A real disk fills by whole pages, and the journal's last page has room
    // for the rest of a job: there the journal is started on a full disk.
    testing::SmallDisk disk(64 * 1024);
    SKIP_UNLESS_MOUNTED(disk);
    fs::create_directory(disk.path() / "journal");
    disk.fill();
    FaultAtPrompt surveyor(0, [] {});
    const RunOutcome outcome = runJob(surveyor, startJournalInFolder(disk.path() / "journal", JobFileClock::now()));
    EXPECT_EQ(outcome.end, JobEnd::done);
    ASSERT_EQ(surveyor.warnings().size(), 1u);
    EXPECT_NE(surveyor.warnings()[0].find("”:磁盘已满。\n" + goesOn), std::string::npos) << surveyor.warnings()[0];
    EXPECT_TRUE(fs::is_empty(disk.path() / "journal"));  // no empty or half journal left
    expectSavedWhole(folder, outcome.values);
}

TEST(DiskFaults, DiskFullDuringASave)
{
    testing::ScratchFolder folder;
    const fs::path saved = folder.path / "作业.kjob";
    ASSERT_FALSE(saveJobFile(saved, {{"n", "1"}, {"N1", "王家山"}}));
    const std::string former = testing::readFile(saved);
    const std::vector<JobValue> values = testing::generatedJob(*std::make_unique<std::mt19937>(23), 6);
    {
        testing::InjectedDiskFault full(DiskFault::full, 100);
        const auto failure = saveJobFile(saved, values);
        ASSERT_TRUE(failure);
        EXPECT_EQ(failure->message, "无法保存作业文件“" + saved.string() + "”:磁盘已满。原有的文件保持原样,没有改动。");
    }
    EXPECT_EQ(testing::readFile(saved), former);

    testing::SmallDisk disk(64 * 1024);
    SKIP_UNLESS_MOUNTED(disk);
    ASSERT_FALSE(saveJobFile(disk.path() / "作业.kjob", {{"n", "1"}}));
    const std::string small = testing::readFile(disk.path() / "作业.kjob");
    disk.fill();
    const auto failure = saveJobFile(disk.path() / "作业.kjob", values);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->error, ENOSPC);
    EXPECT_EQ(testing::readFile(disk.path() / "作业.kjob"), small);
}

// The journal taken away halfway (deleted, or another file renamed over it):
// the job is told, the other file is left alone, the job runs to its end.
TEST(DiskFaults, JournalRemovedOrReplacedWhileItsJobRuns)
{
    for (const bool replaced : {false, true}) {
        testing::ScratchFolder folder;
        JournalStart started = startJournalInFolder(folder.path, JobFileClock::now());
        const fs::path journal = std::get<Journal>(started).path();
        FaultAtPrompt surveyor(8, [&] {
            if (!replaced) {
                fs::remove(journal);
                return;
            }
            std::ofstream(folder.path / "other") << "another file";
            fs::rename(folder.path / "other", journal);
        });
        const RunOutcome outcome = runJob(surveyor, std::move(started));
        EXPECT_EQ(outcome.end, JobEnd::done);
        ASSERT_EQ(surveyor.warnings().size(), 1u);
        EXPECT_TRUE(surveyor.warnings()[0].starts_with("作业日志“" + journal.string() +
                                                       "”在计算过程中被删除,或者被另一个文件替换了;"))
            << surveyor.warnings()[0];
        EXPECT_NE(surveyor.warnings()[0].find(goesOn), std::string::npos);
        EXPECT_EQ(fs::exists(journal), replaced);
        if (replaced) {
            EXPECT_EQ(testing::readFile(journal), "another file");
        }
        expectSavedWhole(folder, outcome.values);
    }
}

// The job file was read whole when it was opened: removed, or replaced by
// something else, while its job runs, the job runs on the values read.
TEST(DiskFaults, JobFileRemovedOrReplacedWhileItsJobRuns)
{
    testing::ScratchFolder folder;
    FaultAtPrompt typed(0, [] {});
    const RunOutcome whole = runJob(typed, std::nullopt);
    ASSERT_EQ(whole.end, JobEnd::done);
    const fs::path path = folder.path / "作业.kjob";
    for (const bool replaced : {false, true}) {
        ASSERT_FALSE(saveJobFile(path, whole.values));
        JobFile file = std::get<JobFile>(readJobFile(path, "作业.kjob"));
        FaultAtPrompt surveyor(0, [] {});
        fs::remove(path);
        if (replaced) std::ofstream(path) << "kestrane-job 1\nn = 7\n";
        const RunOutcome outcome = runJob(surveyor, std::nullopt, &file);
        EXPECT_EQ(outcome.end, JobEnd::done);
        // Every value came from the file as read: nothing was asked, nothing warned.
        for (const std::string& event : surveyor.io.events)
            EXPECT_FALSE(event.starts_with("ask ") || event.starts_with("warn ")) << event;
        EXPECT_EQ(testing::lastValues(outcome.values), testing::lastValues(whole.values));
    }
}

}  // namespace
}  // namespace kestrane
