// The analysis event of the replay log, member by member as the log format
// lays it out, and its numbers read back as the very doubles; "@analysis"
// in a transcript reads the last job that ran to its end.
#include "tools/replay/analysis_event.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <regex>
#include <sstream>

#include "analysis/analysis_texts.h"
#include "golden_files.h"
#include "job_file_runs.h"
#include "job_file_samples.h"
#include "synthetic_chain.h"
#include "tools/replay/replay.h"
#include "whole_job.h"

namespace kestrane::replay {
namespace {

TEST(AnalysisEvent, MembersInTheirOrder)
{
    ChainAnalysis analysis;
    analysis.globalTest = {.aposteriori = 1.25, .redundancy = 6};  // no tolerance typed
    analysis.ferrero = 0.75;
    analysis.triangles = {{.triangle = 1, .w = -1.5}, {.triangle = 2, .w = 9, .limit = 8.5, .passed = false}};
    analysis.points = {{.index = 0, .name = "A \"甲\"", .x = 100, .y = 200.125, .known = true},
                       {.index = 1, .name = "P1", .x = 1e-7, .y = -0.1, .mx = 3, .my = 4, .mp = 5, .a = 5,
                        .b = 1.5, .alpha = 179.5}};
    analysis.observations = {{.id = {ObservationKind::startOrientation}, .v = -0.0, .redundancy = 0},
                             {.id = {ObservationKind::angleA, 1}, .v = 4.5, .redundancy = 0.25, .w = 3.6, .mdb = 20.65,
                              .suspect = true}};
    analysis.suspect = ObservationId{ObservationKind::angleA, 1};
    EXPECT_EQ(analysisEvent({analysis, ""}).str(),
              R"({"analysis": {"sigma0": {"apriori": null, "aposteriori": 1.25, "redundancy": 6, "chi2": null, )"
              R"("lower": null, "upper": null, "passed": null}, "ferrero": 0.75, "triangles": [)"
              R"({"triangle": 1, "w": -1.5, "limit": null, "passed": null}, )"
              R"({"triangle": 2, "w": 9, "limit": 8.5, "passed": false}], )"
              R"("points": [{"index": 0, "name": "A \"甲\"", "x": 100, "y": 200.125, "known": true, "mx": 0, )"
              R"("my": 0, "mp": 0, "a": 0, "b": 0, "alpha": 0}, {"index": 1, "name": "P1", "x": 1e-07, "y": -0.1, )"
              R"("known": false, "mx": 3, "my": 4, "mp": 5, "a": 5, "b": 1.5, "alpha": 179.5}], )"
              R"("observations": [{"id": "Qa", "v": -0, "redundancy": 0, "w": null, "mdb": null, "suspect": false}, )"
              R"({"id": "A1", "v": 4.5, "redundancy": 0.25, "w": 3.6, "mdb": 20.65, "suspect": true}], )"
              R"("suspect": "A1", "grade": null, "checks": [], "gradePassed": null}})");
    analysis.suspect.reset();
    EXPECT_TRUE(analysisEvent({analysis, ""}).str().ends_with(R"(, "suspect": null, "grade": null, "checks": [], "gradePassed": null}})"));

    // With a grade: its values, the checks in their order, the verdict.
    analysis.grading = GradeChecks{customGrade(6, 20, 30000, 15000),
                                   {{CheckKind::triangle, "w1", -1.5, 20, true},
                                    {CheckKind::ferrero, "mβ", 7.25, 6, true, false},
                                    {CheckKind::weakestSide, "S3", 12000.5, 15000, false}},
                                   false};
    EXPECT_TRUE(analysisEvent({analysis, ""}).str().ends_with(
        R"(, "suspect": null, "grade": {"name": "自定义", "source": "自定义", "angle": 6, "triangle": 20, )"
        R"("side": 30000, "weakestSide": 15000}, "checks": [)"
        R"({"check": "triangle", "id": "w1", "value": -1.5, "limit": 20, "passed": true}, )"
        R"({"check": "ferrero", "id": "mβ", "value": 7.25, "limit": 6, "passed": true}, )"
        R"({"check": "weakestSide", "id": "S3", "value": 12000.5, "limit": 15000, "passed": false}], )"
        R"("gradePassed": false}})"))
        << analysisEvent({analysis, ""}).str();
    EXPECT_EQ(analysisEvent({std::nullopt, "没有完成的计算"}).str(),
              R"({"analysis": "refused", "reason": "没有完成的计算"})");
}

TEST(AnalysisEvent, NumbersReadBackExactly)
{
    for (const double x : {0.1, 1.0 / 3, 2.5e-300, -123456789.12345678, std::numeric_limits<double>::denorm_min(),
                           std::numeric_limits<double>::max(), static_cast<double>(1.3f)}) {
        const std::string text = jsonNumber(x);
        EXPECT_EQ(std::strtod(text.c_str(), nullptr), x) << text;
        EXPECT_EQ(text.find_first_not_of("0123456789+-.e"), std::string::npos) << text;
    }
    EXPECT_EQ(jsonNumber(std::nan("")) + jsonNumber(HUGE_VAL) + jsonNumber(std::nullopt), "nullnullnull");
}

std::string transcriptOf(const std::vector<std::string>& answers)
{
    std::string text;
    for (const std::string& answer : answers) text += answer + "\n";
    return text;
}

// The analysis events of a replay, in order.
std::vector<std::string> analysisLines(const std::string& transcript, int expectedStatus = statusDone)
{
    std::ostringstream log;
    EXPECT_EQ(replayTranscript(transcript, log), expectedStatus);
    std::vector<std::string> lines;
    std::istringstream stream(log.str());
    for (std::string line; std::getline(stream, line);)
        if (line.rfind(R"({"analysis": )", 0) == 0) lines.push_back(line);
    return lines;
}

// Before any job there is nothing to analyse; after a job that ran to its
// end, its analysis; a later job abandoned or stopped leaves that analysis
// standing, and a later complete job takes its place.
TEST(AnalysisEntry, ReadsTheLastJobThatRanToItsEnd)
{
    const auto first = testing::makeChain(testing::calibratedPlan(6, ChainCase::hangingOnA, 17, 2));
    const auto second = testing::makeChain(testing::calibratedPlan(5, ChainCase::knownStartAndEndSide, 18, 2));
    const std::string firstEvent = analysisEvent({analyseChain(*testing::finishedRecord(first.answers)), ""}).str();
    const std::string secondEvent = analysisEvent({analyseChain(*testing::finishedRecord(second.answers)), ""}).str();
    ASSERT_NE(firstEvent, secondEvent);

    const std::string transcript = "@analysis\n@data\n" + transcriptOf(first.answers) + "@analysis\n" +
                                   "@data\nx\n@abort\n@analysis\n" +  // abandoned at its first warning
                                   "@data\n" + transcriptOf(testing::goldenJobAnswers("stop_known_ends_n1")) +
                                   "@analysis\n" +                        // stopped
                                   "@data\n" + transcriptOf(second.answers) + "@analysis\n";
    const auto lines = analysisLines(transcript);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], analysisEvent({std::nullopt, analysis_texts::noCompleteJob}).str());
    EXPECT_EQ(lines[1], firstEvent);
    EXPECT_EQ(lines[2], firstEvent);
    EXPECT_EQ(lines[3], firstEvent);
    EXPECT_EQ(lines[4], secondEvent);
}

// Like the buttons, the menu does nothing while an input box waits: the line
// cannot apply, and the job is given up.
TEST(AnalysisEntry, CannotApplyWhileAnInputBoxWaits)
{
    EXPECT_TRUE(analysisLines("@data\n3\n@analysis\n", statusMisplaced).empty());
}

// The event is the analysis of the record, or the refusal with its reason.
TEST(AnalysisEntry, AnalysisOrRefusal)
{
    auto job = testing::finishedRecord(testing::goldenJobAnswers("user_guide_example"));
    EXPECT_EQ(analysisEvent(analysisOfCompleteJob(job.get())).str(), analysisEvent({analyseChain(*job), ""}).str());
    std::fill(job->weightReciprocal.begin(), job->weightReciprocal.end(), 0.0);
    EXPECT_EQ(analysisEvent(analysisOfCompleteJob(job.get())).str(),
              analysisEvent({std::nullopt, analysis_texts::normalsNotPositiveDefinite}).str());
}

// "@analysis 四等" after every golden transcript whose job ran to its end:
// one triangle check per triangle, 2n side-angle checks and the closing
// conditions, each limit a positive figure, and gradePassed true exactly
// when no check failed. "@analysis GRADE" also cannot apply inside a job,
// and names no grade beyond the standard's five.
TEST(AnalysisEntry, EveryGoldenJobCheckedAgainstAGrade)
{
    const std::regex count(R"("triangle": (\d+), "w")");
    const std::regex limit(R"("limit": ([^,}]+))");
    int jobs = 0;
    for (const auto& path : testing::goldenTranscripts()) {
        const std::string golden = testing::readFile(path);
        if (testing::readFile(testing::goldenPath(path.stem().string(), ".log")).find(R"({"job": "done"})") ==
            std::string::npos)
            continue;
        SCOPED_TRACE(path.stem().string());
        std::ostringstream log;
        EXPECT_EQ(replayTranscript(golden + (golden.ends_with('\n') ? "" : "\n") + "@analysis 四等\n", log), statusDone);
        const std::string event = testing::eventLines(log.str(), R"({"analysis": {)").back();
        const auto triangles = std::distance(std::sregex_iterator(event.begin(), event.end(), count), {});
        const auto has = [&](const std::string& kind) {
            std::size_t found = 0;
            for (std::size_t at = event.find(kind); at != std::string::npos; at = event.find(kind, at + 1)) ++found;
            return static_cast<long>(found);
        };
        ASSERT_GT(triangles, 0);
        EXPECT_NE(event.find(R"("grade": {"name": "四等", "source": "GB 50026-2007《工程测量规范》表 3.4.1", )"
                             R"("angle": 2.5, "triangle": 9,)"),
                  std::string::npos);
        EXPECT_NE(event.find(R"("apriori": 2.5,)"), std::string::npos);
        EXPECT_EQ(has(R"({"check": "triangle", )"), triangles);
        EXPECT_EQ(has(R"({"check": "sideAngle", )"), 2 * triangles);
        for (const char* closing : {R"({"check": "azimuth", "id": "Wb")", R"({"check": "x", "id": "Wx")",
                                    R"({"check": "y", "id": "Wy")", R"({"check": "ferrero", "id": "mβ")",
                                    R"({"check": "sideRms", "id": "ms")", R"({"check": "weakestSide", "id": "S)"})
            EXPECT_EQ(has(closing), 1) << closing;
        const std::string checks = event.substr(event.find(R"("checks": [)"));
        for (auto it = std::sregex_iterator(checks.begin(), checks.end(), limit); it != std::sregex_iterator(); ++it)
            EXPECT_GT(std::stod((*it)[1].str()), 0) << (*it)[0].str();
        const bool anyFailed = checks.find(R"("passed": false)") != std::string::npos;
        EXPECT_NE(event.find(anyFailed ? R"("gradePassed": false}})" : R"("gradePassed": true}})"), std::string::npos);
        ++jobs;
    }
    EXPECT_GE(jobs, 10);

    EXPECT_TRUE(analysisLines("@data\n3\n@analysis 四等\n", statusMisplaced).empty());
    const auto refused = analysisLines("@analysis 自定义\n");
    ASSERT_EQ(refused.size(), 1u);
    EXPECT_EQ(refused[0], analysisEvent({std::nullopt, unknownGradeReason("自定义")}).str());
}

// A job file's grade goes with its job: "@analysis" checks against it, the
// job never asks for it nor calls it unused, and its journal keeps it.
TEST(AnalysisEntry, TheJobFilesGradeGoesWithTheJob)
{
    testing::ScratchFolder folder;
    const std::string typed = (folder.path / "typed.kjob").string(), opened = (folder.path / "opened.kjob").string();
    const std::string answers = transcriptOf(testing::goldenJobAnswers("user_guide_example"));
    testing::replayed("@data\n" + answers, {.saveJob = typed});
    std::string file = testing::readFile(typed);
    file += "grade = 自定义\ngrade-angle = 1.5\ngrade-triangle = 4\ngrade-side = 200000\ngrade-weakest-side = 90000\n";
    std::ofstream(typed, std::ios::binary) << file;

    const auto run = testing::replayed("@analysis\n@analysis 四等\n", {.job = typed, .saveJob = opened});
    EXPECT_EQ(run.log.find(R"({"unused": )"), std::string::npos) << run.log;
    const auto events = testing::eventLines(run.log, R"({"analysis": {)");
    ASSERT_EQ(events.size(), 2u);
    EXPECT_NE(events[0].find(R"("grade": {"name": "自定义", "source": "自定义", "angle": 1.5, "triangle": 4, )"
                             R"("side": 200000, "weakestSide": 90000})"),
              std::string::npos)
        << events[0];
    EXPECT_NE(events[0].find(R"("apriori": 1.5,)"), std::string::npos);
    EXPECT_NE(events[1].find(R"("grade": {"name": "四等")"), std::string::npos);
    const auto journal = testing::lastValuesOf(testing::journalEntries(opened));
    EXPECT_EQ(journal.at("grade"), "自定义");
    EXPECT_EQ(journal.at("grade-weakest-side"), "90000");
}

}  // namespace
}  // namespace kestrane::replay
