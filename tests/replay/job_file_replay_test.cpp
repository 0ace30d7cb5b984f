// Jobs opened from job files in the replay tool: what a file value does at a
// prompt (taken unconfirmed, refused like a typed value, asked of the
// surveyor after a warning, given twice to a key asked twice, the pauses
// passed while every value came from the file, the unused lines reported),
// and the tool's options on its command line.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "chain/version.h"
#include "golden_files.h"
#include "guide_texts.h"
#include "jobfile/journal.h"
#include "job_file_runs.h"
#include "synthetic_chain.h"
#include "tools/replay/replay.h"

namespace kestrane::replay {
namespace {

namespace fs = std::filesystem;
using testing::eventLines;
using testing::FastScratchFolder;
using testing::replayed;

std::string writtenFile(const fs::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
    return path.string();
}

// The job file of a finished generated chain of 3 triangles, C and D absent.
std::string chainFile(const fs::path& folder)
{
    const auto chain = testing::makeChain({.triangles = 3, .seed = 5, .angleNoise = 2, .sideNoise = 0.004});
    std::string transcript = "@data\n";
    for (const auto& answer : chain.answers) transcript += answer + "\n";
    const fs::path journal = folder / "chain.kjob";
    EXPECT_EQ(replayed(transcript, {.job = {}, .saveJob = journal.string()}).status, statusDone);
    return testing::readFile(journal);
}

// The file with the line of key replaced ("" removes it).
std::string withLine(std::string text, const std::string& key, const std::string& line)
{
    const auto at = text.find("\n" + key + " = ");
    EXPECT_NE(at, std::string::npos) << key;
    const auto end = text.find('\n', at + 1);
    return text.replace(at + 1, end - at, line.empty() ? "" : line + "\n");
}

class JobFileOpened : public ::testing::Test {
protected:
    FastScratchFolder scratch{"opened"};
    std::string complete = chainFile(scratch.path);

    testing::Replayed open(const std::string& text, const std::string& transcript = "")
    {
        return replayed(transcript, {.job = writtenFile(scratch.path / "job.kjob", text), .saveJob = {}});
    }
};

TEST_F(JobFileOpened, CompleteFileRunsToItsEndAskingNothing)
{
    const auto run = open(complete, "@print\n");
    EXPECT_EQ(run.status, statusDone);
    EXPECT_EQ(eventLines(run.log, "{\"job\": ").front(), R"({"job": "done"})");
    EXPECT_EQ(eventLines(run.log, "{\"report\": ").size(), 1u);
    const auto asks = eventLines(run.log, "{\"ask\": ");
    EXPECT_EQ(asks.size(), 2u + 8 + 4 + 2 + 5 + 9 + 7);  // n, tolerance, A C D B, E F, Qa Qb, names, angles, sides
    for (const auto& ask : asks) EXPECT_TRUE(ask.ends_with(R"("cancel": false, "from": "file"})")) << ask;
    EXPECT_TRUE(eventLines(run.log, "{\"unused\": ").empty());
    EXPECT_TRUE(eventLines(run.log, "{\"warn\": ").empty());
}

TEST_F(JobFileOpened, RefusedValueWarnsThenIsAskedOfTheSurveyorWithConfirmation)
{
    const auto run = open(withLine(complete, "S4", "S4 = -5"), "S4 again\n1234.5\n\n\n");
    const auto warning = eventLines(run.log, "{\"warn\": ");
    ASSERT_EQ(warning.size(), 2u);
    EXPECT_NE(warning[0].find("边长须大于 0;输入的 “-5” 不是正数"), std::string::npos);
    EXPECT_NE(warning[1].find("“S4 again” 不是一个数"), std::string::npos);
    EXPECT_NE(warning[0].find(R"("canAbort": true)"), std::string::npos);
    // The warning left "S4 again" unread; it answers the re-asked prompt and is refused too.
    EXPECT_NE(run.log.find(R"({"ask": "输入第 4 条边 : ", "title": "", "answer": "S4 again", "cancel": false})"),
              std::string::npos);
    EXPECT_NE(run.log.find(R"({"ask": "确认 S4 输入是否正确)"), std::string::npos);
    EXPECT_NE(run.log.find(R"({"set": "Text34", "text": "s4=1234.500"})"), std::string::npos);
    // The first typed value ends the job's run through: the pauses are asked,
    // and with no answers left the job waits at the second.
    EXPECT_NE(run.log.find(R"({"ask": "按 Enter 键或用鼠标点击 OK 按钮显示第 1 个边角条件闭合差 :", "title": "", )"
                           R"("answer": "", "cancel": false})"),
              std::string::npos);
    EXPECT_EQ(run.status, statusMisplaced);
}

TEST_F(JobFileOpened, OneZeroCoordinateReasksBothOfTheSurveyor)
{
    std::string text = withLine(complete, "xc", "xc = 100");
    const auto run = open(text, "@abort\n");
    const auto warning = eventLines(run.log, "{\"warn\": ");
    ASSERT_EQ(warning.size(), 1u);
    EXPECT_NE(warning[0].find("C 点的两个座标中恰有一个为 0"), std::string::npos);
    EXPECT_NE(warning[0].find(R"("abort": true)"), std::string::npos);
    EXPECT_EQ(eventLines(run.log, "{\"job\": ").front(), R"({"job": "abandoned"})");

    // Going on, xc and yc are asked at the keyboard although the file holds them.
    const auto goOn = open(text, "0\n\n0\n\n@abort\n");
    const auto asks = eventLines(goOn.log, "{\"ask\": ");
    const auto typed = [](const std::string& ask) { return ask.find("\"from\"") == std::string::npos; };
    std::vector<std::string> typedPrompts;
    for (const auto& ask : asks)
        if (typed(ask)) typedPrompts.push_back(ask.substr(0, ask.find("\", \"title\"")));
    ASSERT_GE(typedPrompts.size(), 4u);
    EXPECT_EQ(typedPrompts[0], R"({"ask": "输入已知点 C 纵座标 :)");
    EXPECT_EQ(typedPrompts[2], R"({"ask": "输入已知点 C 横座标 :)");
    // D comes from the file again, and the job runs on through the file.
    EXPECT_NE(goOn.log.find(R"({"ask": "输入已知点 D 纵座标 :", "title": "", "answer": "0", "cancel": false, "from": "file"})"),
              std::string::npos);
}

TEST_F(JobFileOpened, MissingValuesAreAskedAndUnusedOnesReported)
{
    std::string text = withLine(complete, "Qb", "");
    text += "Ta = 45.3\nTb = 1\n# 作业结束:完成\nTa = 46\n";
    const auto run = open(text, "-12.30\n\n");
    const auto unused = eventLines(run.log, "{\"unused\": ");
    ASSERT_EQ(unused.size(), 1u);
    const int lines = static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    EXPECT_EQ(unused[0], R"({"unused": [{"key": "Ta", "line": )" + std::to_string(lines - 3) +
                             R"(}, {"key": "Tb", "line": )" + std::to_string(lines - 2) +
                             R"(}, {"key": "Ta", "line": )" + std::to_string(lines) + "}]}");
    // Right before the job's end; Qb typed, so the pauses waited.
    const auto at = run.log.find(unused[0]);
    EXPECT_EQ(run.log.compare(at + unused[0].size() + 1, 10, "{\"job\": \"a"), 0) << run.log.substr(at);
    EXPECT_NE(run.log.find(R"("answer": "-12.30", "cancel": false})"), std::string::npos);
}

TEST_F(JobFileOpened, KeyAskedTwiceGetsTheFileValueBothTimes)
{
    const fs::path journal = scratch.path / "n2.kjob";
    std::string transcript;
    for (const auto& line : testing::goldenJobAnswers("user_guide_example")) transcript += line + "\n";
    replayed("@data\n" + transcript, {.job = {}, .saveJob = journal.string()});
    std::string text = testing::readFile(journal);
    // One N1 line only, and a second name for it: both asks take the last.
    text = withLine(text, "N1", "");
    text = withLine(text, "N1", "N1 = 东山");
    const auto run = open(text);
    const std::string asked = R"({"ask": "如果依推算路线此点为闭合点 D ,则输入 D 点的点名 ; 反之按推算路线序号输入点名 :", )"
                              R"("title": "", "answer": "东山", "cancel": false, "from": "file"})";
    EXPECT_NE(run.log.find(R"("answer": "东山", "cancel": false, "from": "file"})"), std::string::npos);
    EXPECT_NE(run.log.find(asked), std::string::npos);
    EXPECT_EQ(eventLines(run.log, "{\"job\": ").front(), R"({"job": "done"})");
    EXPECT_EQ(run.status, statusDone);
}

TEST_F(JobFileOpened, RefusedFileIsLoggedAndTheTranscriptGoesOn)
{
    const auto run = open(withLine(complete, "xa", "xa 9959.794"), "@print\n");
    const auto opened = eventLines(run.log, "{\"open\": ");
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_NE(opened[0].find(R"({"open": "refused", "reason": "作业文件 )"), std::string::npos);
    EXPECT_NE(opened[0].find(":第 5 行:这一行既不是注释"), std::string::npos) << opened[0];
    EXPECT_TRUE(eventLines(run.log, "{\"job\": ").empty());
    EXPECT_EQ(eventLines(run.log, "{\"print\": \"refused\"").size(), 1u);
    EXPECT_EQ(run.status, statusDone);

    const auto missing = replayed("", {.job = (scratch.path / "none.kjob").string(), .saveJob = {}});
    EXPECT_NE(missing.log.find("无法读取:文件不存在。"), std::string::npos);
}

// The journal of a job opened from a file is that file's values again, and
// every @data starts the --save-job file afresh.
TEST_F(JobFileOpened, OpenedJobIsJournaledAndEachJobStartsTheJournalAfresh)
{
    const fs::path journal = scratch.path / "again.kjob";
    const std::string file = writtenFile(scratch.path / "job.kjob", complete);
    replayed("", {.job = file, .saveJob = journal.string()});
    const auto first = testing::journalEntries(journal);
    EXPECT_EQ(testing::lastValuesOf(first), testing::lastValuesOf(testing::journalEntries(file)));
    EXPECT_TRUE(journalFileEnded(journal));

    replayed("@data\n3\n", {.job = file, .saveJob = journal.string()});
    const auto second = testing::journalEntries(journal);
    ASSERT_EQ(second.size(), 1u);
    EXPECT_EQ(second[0].key, "n");
    EXPECT_EQ(second[0].value, "3");
    EXPECT_EQ(journalFileEnd(journal), JobEnd::abandoned) << "the transcript ran out at the tolerance";
}

// The job file of the user guide is the guide's worked example: opened, it
// runs to the figures the typed example shows.
TEST(UserGuideJobFile, IsTheWorkedExample)
{
    const auto examples = testing::markedPassages(testing::readFile(testing::docsPath("job-files.md")),
                                                  "<!-- example job file -->", "<!-- end of example job file -->");
    ASSERT_EQ(examples.size(), 1u);
    std::string file;
    std::istringstream block(examples.front().text);
    for (std::string line; std::getline(block, line);) file += line.substr(line.find_first_not_of(' ')) + "\n";
    FastScratchFolder scratch("guide");
    const auto opened = replayed("", {.job = writtenFile(scratch.path / "guide.kjob", file), .saveJob = {}});
    const auto typed = replayed(testing::readFile(testing::goldenPath("user_guide_example", ".transcript")));
    EXPECT_EQ(opened.status, statusDone);
    EXPECT_TRUE(eventLines(opened.log, "{\"unused\": ").empty());
    EXPECT_EQ(testing::finalFields(opened.log), testing::finalFields(typed.log));
}

// The executable: options before the transcript, usage errors.
TEST(ReplayJobOptions, CommandLine)
{
    EXPECT_EQ(parseCommandLine({})->transcript, std::nullopt);
    const auto both = parseCommandLine({"--save-job", "s.kjob", "--job", "j.kjob", "t.transcript"});
    ASSERT_TRUE(both);
    EXPECT_EQ(both->options.job, "j.kjob");
    EXPECT_EQ(both->options.saveJob, "s.kjob");
    EXPECT_EQ(both->transcript, "t.transcript");
    for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
             {"--job"}, {"--job", ""}, {"--jobs", "a"}, {"--job", "a", "--job", "b"}, {"a", "b"}, {"t", "--job", "a"}})
        EXPECT_FALSE(parseCommandLine(bad)) << bad.front();
    EXPECT_TRUE(parseCommandLine({"--version"})->version);
    EXPECT_FALSE(parseCommandLine({"t.transcript"})->version);
    for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
             {"--version", "t"}, {"--job", "a", "--version"}, {"--version", "--job", "a"}})
        EXPECT_FALSE(parseCommandLine(bad)) << bad.back();

    FastScratchFolder scratch("executable");
    const std::string job = writtenFile(scratch.path / "job.kjob", chainFile(scratch.path));
    const auto run = testing::runCommand;
    const std::string tool = REPLAY_EXECUTABLE;
    const std::string saved = (scratch.path / "saved.kjob").string();
    std::string log, usage;
    EXPECT_EQ(run(tool + " --job " + job + " --save-job " + saved + " /dev/null", log), 0);
    EXPECT_NE(log.find(R"({"job": "done"})"), std::string::npos);
    EXPECT_EQ(testing::lastValuesOf(testing::journalEntries(saved)),
              testing::lastValuesOf(testing::journalEntries(job)));
    EXPECT_EQ(run(tool + " --job 2>&1", usage), 1);
    EXPECT_NE(usage.find("usage: kestrane-replay [--job FILE] [--save-job FILE] [TRANSCRIPT]"), std::string::npos);
    std::string version;
    EXPECT_EQ(run(tool + " --version < /dev/null", version), 0);
    EXPECT_EQ(version, std::string("kestrane-replay ") + programVersion + "\n");
}

}  // namespace
}  // namespace kestrane::replay
