// The sweeps of job files through the replay tool.
//
// Round trip: every job of every golden transcript, journaled with
// --save-job and opened again with --job, ends the same way with the same
// final fields and report, and asks nothing of the surveyor.
// Crash and resume: generated jobs with typing mistakes are cut at random
// lines (after an accepted value, inside a confirmation, inside a warning);
// the journal written up to the cut, opened with --job and answered by the
// rest of the transcript, gives the fields, report and values of the run
// that was never cut.
// Hostile files: a few thousand mangled, truncated, oversized and random job
// files opened with --job; each is refused with a message naming one of its
// lines, or its job runs to done, abandoned or stopped, with nothing that is
// not a number shown.
#include <gtest/gtest.h>

#include <fstream>
#include <iostream>
#include <random>
#include <regex>

#include "golden_files.h"
#include "job_file_runs.h"
#include "chain/utf8.h"
#include "synthetic_chain.h"
#include "tools/replay/replay.h"

namespace kestrane::replay {
namespace {

namespace fs = std::filesystem;
using testing::eventLines;
using testing::finalFields;
using testing::jobsOf;
using testing::joinedLines;
using testing::journalEntries;
using testing::lastValuesOf;
using testing::replayed;

TEST(JobFileSweep, EveryGoldenJobRoundTrips)
{
    testing::FastScratchFolder scratch("round-trip");
    const fs::path saved = scratch.path / "saved.kjob", again = scratch.path / "again.kjob";
    int jobs = 0, finished = 0;
    for (const fs::path& golden : testing::goldenTranscripts()) {
        for (const auto& lines : jobsOf(testing::readFile(golden))) {
            SCOPED_TRACE(golden.stem().string() + ", job " + std::to_string(++jobs));
            const auto typed = replayed(joinedLines(lines) + "@print\n", {.job = {}, .saveJob = saved.string()});
            const auto opened = replayed("@print\n", {.job = saved.string(), .saveJob = again.string()});
            const auto typedEnd = eventLines(typed.log, "{\"job\": "), openedEnd = eventLines(opened.log, "{\"job\": ");
            ASSERT_EQ(openedEnd.size(), 1u) << opened.log;
            EXPECT_EQ(openedEnd, typedEnd);
            EXPECT_EQ(lastValuesOf(journalEntries(again)), lastValuesOf(journalEntries(saved)));
            if (typedEnd.front() == R"({"job": "abandoned"})") continue;
            ++finished;
            EXPECT_EQ(opened.status, statusDone);
            EXPECT_EQ(finalFields(opened.log), finalFields(typed.log));
            EXPECT_EQ(eventLines(opened.log, "{\"report\": "), eventLines(typed.log, "{\"report\": "));
            for (const auto& ask : eventLines(opened.log, "{\"ask\": "))
                EXPECT_TRUE(ask.ends_with(R"("from": "file"})")) << ask;
        }
    }
    EXPECT_GE(jobs, 20);
    EXPECT_GE(finished, 15);
}

// Where a cut falls: the kind of the last line the replay read before it.
enum class Cut { afterAcceptedValue, insideConfirmation, insideWarning, elsewhere };

// A generated job typed with mistakes that do not change its values: a text
// refused with a warning before the right one, a wrong value rejected at its
// confirmation and typed again, an unclear confirmation answer.
struct MistakenJob {
    std::vector<std::string> lines;  // "@data", the answers, "@print"
    std::vector<Cut> cutAfter;       // the kind of cut after each line
    std::size_t jobEnd = 0;          // the index of "@print"
};

MistakenJob mistakenJob(std::mt19937& random)
{
    std::uniform_real_distribution<double> chance(0, 1);
    const testing::ChainPlan plan{
        .triangles = 3 + static_cast<int>(random() % 3),  // from 3 on no name is asked twice
        .arrangement = static_cast<ChainCase>(1 + random() % 3),
        .seed = static_cast<unsigned>(random()),
        .angleNoise = 2,
        .sideNoise = 0.004,
        .typedAzimuths = chance(random) < 0.3,
    };
    const auto answers = testing::makeChain(plan).answers;
    const std::size_t pauses = 3 * plan.triangles + 2;
    MistakenJob job;
    const auto add = [&](const std::string& line, Cut cut) {
        job.lines.push_back(line);
        job.cutAfter.push_back(cut);
    };
    add("@data", Cut::elsewhere);
    for (std::size_t i = 0; i < 2; ++i) {  // the count and the tolerance, unconfirmed
        if (chance(random) < 0.2) add("abc", Cut::insideWarning);
        add(answers[i], Cut::afterAcceptedValue);
    }
    for (std::size_t i = 2; i + pauses < answers.size(); i += 2) {
        const std::string& value = answers[i];
        const bool name = value.rfind('P', 0) == 0;
        const double roll = chance(random);
        if (roll < 0.08) {
            add(name ? "@cancel" : (random() % 2 ? "12,5" : "x1"), Cut::insideWarning);
        } else if (roll < 0.16) {
            add(value + "9", Cut::insideConfirmation);
            add("0", Cut::elsewhere);
        }
        add(value, Cut::insideConfirmation);
        if (chance(random) < 0.05) add("y", Cut::insideWarning);
        add(answers[i + 1], Cut::afterAcceptedValue);
    }
    for (std::size_t i = answers.size() - pauses; i < answers.size(); ++i) add(answers[i], Cut::elsewhere);
    job.jobEnd = job.lines.size();
    add("@print", Cut::elsewhere);
    return job;
}

TEST(JobFileSweep, CrashAtAnyPointResumesFromTheJournal)
{
    testing::FastScratchFolder scratch("resume");
    const fs::path whole = scratch.path / "whole.kjob", cut = scratch.path / "cut.kjob",
                   resumed = scratch.path / "resumed.kjob";
    std::mt19937 random(20261208);
    std::map<Cut, int> cuts;
    for (int run = 0; run < 40; ++run) {
        const MistakenJob job = mistakenJob(random);
        const auto uninterrupted = replayed(joinedLines(job.lines), {.job = {}, .saveJob = whole.string()});
        ASSERT_EQ(uninterrupted.status, statusDone) << uninterrupted.log;
        ASSERT_EQ(eventLines(uninterrupted.log, "{\"job\": "), std::vector<std::string>{R"({"job": "done"})"});
        const std::size_t allValues = journalEntries(whole).size();

        for (int attempt = 0; attempt < 12; ++attempt) {
            const std::size_t at = 1 + random() % (job.jobEnd - 1);
            SCOPED_TRACE("job " + std::to_string(run) + " cut after line " + std::to_string(at) + ": " +
                         job.lines[at - 1]);
            ++cuts[job.cutAfter[at - 1]];
            replayed(joinedLines(job.lines, 0, at), {.job = {}, .saveJob = cut.string()});
            const std::size_t kept = journalEntries(cut).size();
            // With every value in the journal the job runs through its pauses by itself.
            const std::size_t from =
                kept == allValues ? job.jobEnd : testing::resumeLine(job.lines, kept, scratch.path);
            const auto again = replayed(joinedLines(job.lines, from), {.job = cut.string(), .saveJob = resumed.string()});
            ASSERT_EQ(again.status, statusDone) << again.log;
            EXPECT_EQ(finalFields(again.log), finalFields(uninterrupted.log));
            EXPECT_EQ(eventLines(again.log, "{\"report\": "), eventLines(uninterrupted.log, "{\"report\": "));
            EXPECT_EQ(lastValuesOf(journalEntries(resumed)), lastValuesOf(journalEntries(whole)));
        }
    }
    EXPECT_GE(cuts[Cut::afterAcceptedValue], 100);
    EXPECT_GE(cuts[Cut::insideConfirmation], 100);
    EXPECT_GE(cuts[Cut::insideWarning], 10);
    std::cout << "cuts after an accepted value " << cuts[Cut::afterAcceptedValue] << ", inside a confirmation "
              << cuts[Cut::insideConfirmation] << ", inside a warning " << cuts[Cut::insideWarning] << ", elsewhere "
              << cuts[Cut::elsewhere] << '\n';
}

// Hostile job files.

const std::string debris[] = {"\"", "\\", "=", "#", "\n", "\r", "\r\n", "\xff", "\xEF\xBB\xBF", "\\u", "\\ud800",
                              "\t", " ", "0", "A99", "N5", "S40", "n = 2", "kestrane-job 1", "\xe4\xb8",
                              std::string(1, '\0'), "-", "e9", "1e308", ",", "."};
const std::string hostileValues[] = {"abc", "", "\"\"", "\"  \"", "0", "-0", "1e308", "-1e308", "45.6", "359.5999",
                                     "1e400", "6553", "-3", "12,5", "１２", "45.30", "99999999", "\"\\u0000\""};
const std::string hostileAnswers[] = {"", "@cancel", "@abort", "@print", "@data", "0", "1e308", "abc", "2", "45.3",
                                      "P", "-1", "1000"};

// Valid job files of generated chains, for the mangling to start from.
std::vector<std::string> validFiles(const fs::path& scratch)
{
    std::vector<std::string> files;
    const fs::path saved = scratch / "valid.kjob";
    for (unsigned seed = 1; seed <= 12; ++seed) {
        const auto chain = testing::makeChain({.triangles = 1 + static_cast<int>(seed % 4),
                                               .arrangement = static_cast<ChainCase>(1 + seed % 3),
                                               .seed = seed,
                                               .angleNoise = 2,
                                               .sideNoise = 0.004,
                                               .typedAzimuths = seed % 5 == 0});
        replayed("@data\n" + joinedLines(chain.answers), {.job = {}, .saveJob = saved.string()});
        files.push_back(testing::readFile(saved));
    }
    return files;
}

std::string hostileFile(const std::vector<std::string>& valid, std::mt19937& random, int kind)
{
    std::string text = valid[random() % valid.size()];
    const auto someLine = [&](const std::string& line) {
        const std::size_t at = text.find('\n', random() % text.size());
        text.insert(at == std::string::npos ? text.size() : at + 1, line + "\n");
    };
    switch (kind % 6) {
    case 0:  // random bytes, sometimes after a sound start
        text = random() % 2 ? "kestrane-job 1\n" : "";
        for (int size = random() % 600; size > 0; --size) text += static_cast<char>(random());
        break;
    case 1:  // values no prompt takes
        for (int k = 1 + random() % 4; k > 0; --k) {
            const std::size_t equals = text.find(" = ", random() % text.size());
            if (equals == std::string::npos) continue;
            const std::size_t end = text.find('\n', equals);
            text.replace(equals + 3, end - equals - 3, hostileValues[random() % std::size(hostileValues)]);
        }
        break;
    case 2:  // bytes edited anywhere, lines duplicated
        for (int edits = 1 + random() % 6; edits > 0 && !text.empty(); --edits) {
            const std::size_t at = random() % text.size();
            switch (random() % 4) {
            case 0: text.erase(at, 1 + random() % 8); break;
            case 1: text.insert(at, debris[random() % std::size(debris)]); break;
            case 2: text[at] = static_cast<char>(random()); break;
            default: {
                const std::size_t begin = text.rfind('\n', at) + 1, end = text.find('\n', at);
                text += text.substr(begin, end == std::string::npos ? end : end - begin + 1);
            }
            }
        }
        break;
    case 3:  // keys out of range, duplicated keys, a BOM in the middle
        someLine(std::string(random() % 2 ? "A" : "S") + std::to_string(random() % 30) + " = 1");
        someLine("N1 = " + std::to_string(random() % 100));
        if (random() % 3 == 0) someLine("\xEF\xBB\xBF# mid");
        break;
    case 4:  // cut short, line ends mixed
        text.resize(random() % text.size());
        for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 2))
            if (random() % 2) text.insert(at, "\r");
        break;
    default:  // a huge value, or a count that is not one
        if (random() % 2) someLine("N2 = " + std::string(100000 + random() % 100000, 'x'));
        else someLine("n = " + hostileValues[random() % std::size(hostileValues)]);
    }
    return text;
}

int lineCount(const std::string& text)
{
    return static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
}

// Every field's text but the point name's, which shows whatever name was typed.
std::string numericFields(std::string line)
{
    const std::string field = "\"Text35\": \"";
    const std::size_t from = line.find(field);
    if (from == std::string::npos) return line;
    std::size_t to = from + field.size();
    while (to < line.size() && line[to] != '"') to += line[to] == '\\' ? 2 : 1;
    return line.erase(from, to + 1 - from);
}

void checkHostileRun(const std::string& file, const testing::Replayed& run, std::map<std::string, int>& endings)
{
    ASSERT_TRUE(run.status == statusDone || run.status == statusMisplaced) << run.status;
    ASSERT_EQ(utf8::firstInvalidByte(run.log), std::string::npos);
    const auto opened = eventLines(run.log, "{\"open\": ");
    if (!opened.empty()) {
        static const std::regex namedLine("第 ([0-9]+) 行");
        std::smatch line;
        ASSERT_TRUE(std::regex_search(opened.front(), line, namedLine)) << opened.front();
        const int number = std::stoi(line[1]);
        EXPECT_GE(number, 1);
        EXPECT_LE(number, lineCount(file));
        ++endings["refused"];
        return;
    }
    const auto ends = eventLines(run.log, "{\"job\": ");
    ASSERT_FALSE(ends.empty());
    const std::string& end = ends.front();
    ASSERT_TRUE(end == R"({"job": "done"})" || end == R"({"job": "abandoned"})" ||
                end.rfind(R"({"job": "stopped", "reason": ")", 0) == 0)
        << end;
    ++endings[end.substr(9, 4)];
    for (const auto& line : eventLines(run.log, "{\"set\": \"Text")) {
        if (line.rfind(R"({"set": "Text35")", 0) == 0) continue;
        ASSERT_EQ(line.find("nan"), std::string::npos) << line;
        ASSERT_EQ(line.find("inf"), std::string::npos) << line;
    }
    const std::string fields = numericFields(finalFields(run.log));
    ASSERT_EQ(fields.find("nan"), std::string::npos) << fields;
    ASSERT_EQ(fields.find("inf"), std::string::npos) << fields;
}

TEST(JobFileSweep, HostileFilesAreRefusedOnALineOrRunToAnEnd)
{
    testing::FastScratchFolder scratch("hostile");
    const auto valid = validFiles(scratch.path);
    const fs::path path = scratch.path / "hostile.kjob";
    std::mt19937 random(1312);
    std::map<std::string, int> endings;
    for (int i = 0; i < 3000; ++i) {
        const std::string file = hostileFile(valid, random, i);
        std::ofstream(path, std::ios::binary | std::ios::trunc) << file;
        std::string transcript;
        for (int k = random() % 12; k > 0; --k) transcript += hostileAnswers[random() % std::size(hostileAnswers)] + "\n";
        SCOPED_TRACE("file " + std::to_string(i));
        checkHostileRun(file, replayed(transcript, {.job = path.string(), .saveJob = {}}), endings);
        if (HasFatalFailure()) return;
    }
    std::cout << "refused " << endings["refused"] << ", done " << endings["done"] << ", abandoned "
              << endings["aban"] << ", stopped " << endings["stop"] << '\n';
    EXPECT_GT(endings["refused"], 500);
    EXPECT_GT(endings["done"], 200);
    EXPECT_GT(endings["aban"], 500);
    EXPECT_GT(endings["stop"], 5);
}

// A million value lines of a sound file: the job reads its chain from the
// last of every key and reports the rest unused, without a prompt.
TEST(JobFileSweep, MillionLineFileRunsItsJob)
{
    testing::FastScratchFolder scratch("million");
    std::string text = validFiles(scratch.path).front();
    const std::string body = text.substr(text.find("kestrane-job 1\n") + 15);
    std::string big = "kestrane-job 1\n";
    const auto bodyLines = std::count(body.begin(), body.end(), '\n');
    for (long lines = 1; lines < 1'000'000; lines += bodyLines) big += body;
    const fs::path path = scratch.path / "million.kjob";
    std::ofstream(path, std::ios::binary) << big;
    const auto run = replayed("", {.job = path.string(), .saveJob = {}});
    EXPECT_EQ(eventLines(run.log, "{\"job\": "), std::vector<std::string>{R"({"job": "done"})"});
    const auto unused = eventLines(run.log, "{\"unused\": ");
    EXPECT_TRUE(unused.empty()) << "every line's key was asked";
    EXPECT_EQ(run.status, statusDone);
}

}  // namespace
}  // namespace kestrane::replay
