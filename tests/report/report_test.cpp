#include "report/report.h"

#include <gtest/gtest.h>

#include "chain/angles.h"
#include "job/data_input_job.h"
#include "report_text.h"
#include "scripted_io.h"
#include "synthetic_chain.h"

namespace kestrane {
namespace {

using testing::ChainPlan;
using testing::ScriptedIo;

ChainSurvey adjustedJob(const ChainPlan& plan)
{
    ChainSurvey job;
    ScriptedIo io(testing::makeChain(plan).answers);
    const auto outcome = runDataInputJob(job, io, io);
    EXPECT_EQ(outcome.end, JobEnd::done) << outcome.reason;
    return job;
}

// Each line as text the way a fixed-pitch printer would put it, column stops
// as blanks: enough to find lines and read their values.
std::vector<std::string> plainLines(const std::vector<ReportLine>& lines)
{
    std::vector<std::string> out;
    for (const ReportLine& line : lines) out.push_back(testing::lineText(line, true));
    return out;
}

int countStarting(const std::vector<std::string>& lines, const std::string& start)
{
    int count = 0;
    for (const auto& line : lines) count += line.rfind(start, 0) == 0;
    return count;
}

bool contains(const std::vector<std::string>& lines, const std::string& wanted)
{
    return std::find(lines.begin(), lines.end(), wanted) != lines.end();
}

TEST(Report, TwoTrianglesHangingOnA)
{
    const ChainSurvey job = adjustedJob({.triangles = 2, .seed = 4, .angleNoise = 2, .sideNoise = 0.004});
    const auto report = buildReport(job);
    const auto lines = plainLines(report);
    ASSERT_FALSE(report.empty());
    EXPECT_EQ(report[0].pointSize, 10);
    EXPECT_EQ(lines[0], "|30|--- Kestrane ---");
    for (std::size_t i = 1; i < report.size(); ++i) EXPECT_EQ(report[i].pointSize, 9) << i;
    EXPECT_TRUE(report[1].items.empty());
    EXPECT_TRUE(report[2].items.empty());
    EXPECT_EQ(lines[3], "|22|起始点座标 :");

    EXPECT_EQ(countStarting(lines, "|24|a( "), 2);
    EXPECT_EQ(countStarting(lines, "|24|b( "), 2);
    EXPECT_EQ(countStarting(lines, "|24|c( "), 2);
    EXPECT_EQ(countStarting(lines, "|24|s( "), 5);
    EXPECT_EQ(countStarting(lines, "|24|w( "), 2 + 4 + 3);
    for (const char* index : {"|24|w( 1 )=", "|24|w( 4 )=", "|24|w( 5 )=", "|24|w( 6 )=", "|24|w( 7 )="})
        EXPECT_GE(countStarting(lines, index), 1) << index;
    EXPECT_EQ(countStarting(lines, "|24|P0 :"), 1);  // A, P(1), P(2), B among the adjusted points
    EXPECT_EQ(countStarting(lines, "|24|P3 :"), 1);
    EXPECT_EQ(countStarting(lines, "|24|P1 :") + countStarting(lines, "|24|P2 :"), 2);
    EXPECT_EQ(countStarting(lines, "|24|起始方位点 E :"), 1);
    EXPECT_EQ(countStarting(lines, "|24|起始方位角 Ta="), 1);
    EXPECT_EQ(countStarting(lines, "|24|闭合方位点 F :"), 1);
    EXPECT_EQ(countStarting(lines, "|24|闭合方位角 Tb="), 1);
    EXPECT_EQ(lines.back().rfind("|24|最弱点相对起始点相对中误差 :   1/m= 1/", 0), 0u);
}

TEST(Report, KnownPointsReplaceOrientationLines)
{
    const auto knownStart = plainLines(buildReport(adjustedJob(
        {.triangles = 3, .arrangement = ChainCase::knownStartSide, .seed = 2, .angleNoise = 2, .sideNoise = 0.004})));
    EXPECT_EQ(countStarting(knownStart, "|24|P1:"), 1);   // line of C
    EXPECT_EQ(countStarting(knownStart, "|24|起始方位"), 0);
    EXPECT_EQ(countStarting(knownStart, "|24|闭合方位角 Tb="), 1);
    EXPECT_EQ(countStarting(knownStart, "|24|P0 :"), 0);  // adjusted points from C to B
    EXPECT_EQ(countStarting(knownStart, "|24|P4 :"), 1);

    const auto knownEnds = plainLines(buildReport(adjustedJob({.triangles = 3,
        .arrangement = ChainCase::knownStartAndEndSide, .seed = 2, .angleNoise = 2, .sideNoise = 0.004})));
    EXPECT_EQ(countStarting(knownEnds, "|24|P3:"), 1);    // line of D
    EXPECT_EQ(countStarting(knownEnds, "|24|闭合方位"), 0);
    EXPECT_EQ(countStarting(knownEnds, "|24|P3 :"), 1);   // adjusted points from C to D
    EXPECT_EQ(countStarting(knownEnds, "|24|P4 :"), 0);
    EXPECT_EQ(countStarting(knownEnds, "|24|s( "), 7);
}

TEST(Report, TypedStartAzimuthWithoutOrientationPoint)
{
    const auto lines = plainLines(
        buildReport(adjustedJob({.triangles = 2, .seed = 8, .angleNoise = 2, .typedAzimuths = true})));
    EXPECT_EQ(countStarting(lines, "|24|起始方位点 E :"), 0);
    EXPECT_EQ(countStarting(lines, "|24|起始方位角 Ta="), 1);
    EXPECT_EQ(countStarting(lines, "|24|闭合方位点 F :"), 0);
}

TEST(Report, ItemsOfARow)
{
    ChainSurvey job;
    job.size(1);
    job.pointName = {"A1", "Q", "B1"};
    job.packedA[1] = 45.3;
    job.angleA[1] = 45.5 - 1e-12;  // a hair below 45 deg 30': printed without guard as 29' 60"
    job.observedSide[1] = 1234.5678f;
    job.sideLength[1] = 1234.56786;
    job.misclosure[1] = 0.00123f;
    job.xa = TypedNumber::fromText("0.0625");
    const auto report = buildReport(job);
    const auto lines = plainLines(report);
    EXPECT_TRUE(contains(lines, "|24|a( 1 )= 45.30000|47|a( 1 )= 45.29600"));
    EXPECT_TRUE(contains(lines, "|24|s( 1 )= 1234.568|47|s( 1 )= 1234.5679"));
    EXPECT_TRUE(contains(lines, "|24|w( 1 )= 1.23"));
    EXPECT_TRUE(contains(lines, "|24|A1:|34|0.062|47|0.000"));
    const auto angleLine = std::find_if(report.begin(), report.end(), [](const ReportLine& line) {
        return line.items.size() > 2 && line.items[1] == ReportItem::txt("a(");
    });
    ASSERT_NE(angleLine, report.end());
    EXPECT_EQ(angleLine->items[2], ReportItem::num(1));
    EXPECT_EQ(numberItemText(1), " 1 ");
    EXPECT_EQ(numberItemText(-12), "-12 ");
    // md = 0: the relative error has no value and the last line ends after "1/".
    EXPECT_EQ(lines.back(), "|24|最弱点相对起始点相对中误差 :   1/m= 1/");
}

// The spacer angle prints with the side of the route it was typed with, in
// both columns; a and b have no sign to print.
TEST(Report, SpacerAnglesKeepTheirSign)
{
    ChainSurvey job;
    job.size(2);
    job.pointName = {"A", "P1", "P2", "B"};
    job.packedC = {0, 64.5249, 113.2157};
    job.angleC = {0, packedToDegrees(64.5249), packedToDegrees(113.2157)};
    job.spacerSign = {1, -1, 1, 1};
    job.packedA[1] = 45.3;
    job.angleA[1] = 45.5;
    const auto lines = plainLines(buildReport(job));
    EXPECT_TRUE(contains(lines, "|24|c( 1 )= -64.52490|47|c( 1 )= -64.52490"));
    EXPECT_TRUE(contains(lines, "|24|c( 2 )= 113.21570|47|c( 2 )= 113.21570"));
    EXPECT_TRUE(contains(lines, "|24|a( 1 )= 45.30000|47|a( 1 )= 45.30000"));
}

// What the painter keeps on one page: each heading with the line after it,
// the table headings with their first rows, the precision block whole.
TEST(Report, HeadingsAndThePrecisionBlockAreKeptWithWhatFollows)
{
    const ChainSurvey job = adjustedJob({.triangles = 3, .seed = 5, .angleNoise = 2, .sideNoise = 0.004});
    const auto report = buildReport(job);
    const auto lines = plainLines(report);
    for (std::size_t i = 0; i < report.size(); ++i) {
        SCOPED_TRACE(lines[i]);
        if (lines[i].rfind("|22|", 0) == 0) {
            EXPECT_TRUE(report[i].keepWithNext);
        }
        if (lines[i].rfind("|24|s( ", 0) == 0 || lines[i].rfind("|24|w( ", 0) == 0) {
            EXPECT_FALSE(report[i].keepWithNext);
        }
    }
    const auto precision = std::find(lines.begin(), lines.end(), "|22|精度统计 :");
    ASSERT_NE(precision, lines.end());
    for (auto line = precision; line + 1 != lines.end(); ++line)
        EXPECT_TRUE(report[line - lines.begin()].keepWithNext) << *line;
    EXPECT_FALSE(report.back().keepWithNext);
    // The line before the block is not tied to it: the block may start a page.
    EXPECT_FALSE(report[precision - lines.begin() - 1].keepWithNext);
}

}  // namespace
}  // namespace kestrane
