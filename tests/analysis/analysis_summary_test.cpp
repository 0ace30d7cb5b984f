// The analysis in words: the names of the observations, the sentences of the
// summary for each outcome of the global test, the closures and the w-test,
// and the two tables with their sort keys and marks.
#include <gtest/gtest.h>

#include <cmath>

#include "analysis/analysis_summary.h"
#include "analysis/analysis_tables.h"
#include "analysis/analysis_texts.h"
#include "synthetic_chain.h"
#include "whole_job.h"

namespace kestrane {
namespace {

namespace texts = analysis_texts;

bool anyLineHas(const std::vector<std::string>& lines, const std::string& part)
{
    for (const std::string& line : lines)
        if (line.find(part) != std::string::npos) return true;
    return false;
}

TEST(AnalysisSummary, ObservationsAreNamedAsThePromptsNameThem)
{
    const struct {
        ObservationId id;
        const char* name;
        const char* unit;
    } table[] = {
        {{ObservationKind::startOrientation}, "起始定向角 Qa", "秒"},
        {{ObservationKind::angleA, 1}, "第 1 个三角形的求距角 A1", "秒"},
        {{ObservationKind::angleB, 7}, "第 7 个三角形的前进角 B7", "秒"},
        {{ObservationKind::angleC, 12}, "第 12 个三角形的间隔角 C12", "秒"},
        {{ObservationKind::side, 1}, "第 1 条边 S1", "毫米"},
        {{ObservationKind::side, 13105}, "第 13105 条边 S13105", "毫米"},
        {{ObservationKind::closingOrientation}, "闭合定向角 Qb", "秒"},
    };
    for (const auto& row : table) {
        EXPECT_EQ(observationName(row.id), row.name);
        EXPECT_EQ(observationUnit(row.id), row.unit);
    }
    EXPECT_EQ(blunderSentence({ObservationKind::angleB, 7}), "第 7 个三角形的前进角 B7 可能有粗差:请核对手簿");
}

// A small analysis written out by hand: two triangles, one point.
ChainAnalysis handMade(double chi2)
{
    ChainAnalysis analysis;
    analysis.globalTest = {.apriori = 2.5, .aposteriori = 1.875f, .redundancy = 9, .chi2 = chi2, .lower = 2.7,
                       .upper = 19.02, .passed = chi2 <= 19.02};
    analysis.ferrero = 1.2345;
    analysis.triangles = {{.triangle = 1, .w = 1, .limit = 8.66, .passed = true},
                          {.triangle = 2, .w = -9.5, .limit = 8.66, .passed = false}};
    analysis.points = {{.index = 0, .name = "A", .known = true},
                       {.index = 1, .name = "N1", .mx = 1, .my = 2, .mp = 2.236, .a = 2.1, .b = 0.9, .alpha = 30.5},
                       {.index = 2, .name = "N2", .mx = 3, .my = 1, .mp = 3.162, .a = 3.1, .b = 0.8, .alpha = 5},
                       {.index = 3, .name = "B", .known = true}};
    analysis.observations = {
        {.id = {ObservationKind::angleA, 1}, .v = 0.5, .redundancy = 0.6, .w = 0.4, .mdb = 10},
        {.id = {ObservationKind::angleB, 2}, .v = -6.25, .redundancy = 0.5, .w = -5.1, .mdb = 11, .suspect = true},
        {.id = {ObservationKind::side, 3}, .v = 4, .redundancy = 0.4, .w = 3.5, .mdb = 20, .suspect = true},
        {.id = {ObservationKind::closingOrientation}, .v = 0, .redundancy = 0},
    };
    analysis.suspect = ObservationId{ObservationKind::angleB, 2};
    return analysis;
}

TEST(AnalysisSummary, EachOutcomeOfTheGlobalTestHasItsSentence)
{
    const auto passed = summaryLines(handMade(7.5));
    EXPECT_EQ(passed.front().rfind("整体检验通过:χ² = [pvv]/σ0² = 7.50,在自由度 9 的", 0), 0u) << passed.front();
    EXPECT_TRUE(anyLineHas(passed, "2.70 与 19.02"));
    EXPECT_TRUE(anyLineHas(summaryLines(handMade(25)), "大于上界 19.02"));
    // One-sided: below the lower point it passes, and says sigma0 may be too large.
    const auto below = summaryLines(handMade(1.25));
    EXPECT_EQ(below.front().rfind("整体检验通过:χ² = [pvv]/σ0² = 1.25,小于下界 2.70", 0), 0u) << below.front();
    EXPECT_TRUE(anyLineHas(below, "先验中误差 σ0 可能定得偏大"));
    EXPECT_TRUE(anyLineHas(summaryLines(handMade(25)), "整体检验未通过"));
    EXPECT_TRUE(anyLineHas(passed, "先验 σ0 = 2.50 秒(取输入的测角限差)"));

    ChainAnalysis none = handMade(0);
    none.globalTest = {.aposteriori = 1.875f, .redundancy = 9};
    for (auto& closure : none.triangles) closure.limit.reset(), closure.passed.reset();
    const auto lines = summaryLines(none);
    EXPECT_EQ(lines.front(), texts::globalNone);
    EXPECT_TRUE(anyLineHas(lines, "先验 σ0 = 无,验后 mb = 1.88 秒,多余观测数 r = 9"));
    EXPECT_FALSE(anyLineHas(lines, "闭合差限差"));
}

TEST(AnalysisSummary, ClosuresSuspectAndWeakestPoint)
{
    const auto lines = summaryLines(handMade(7.5));
    EXPECT_TRUE(anyLineHas(lines, "mβ = √([ww]/3n) = 1.23 秒"));
    EXPECT_TRUE(anyLineHas(lines, "限差 2√3·σ0 = 8.66 秒,超限的三角形:2。"));
    EXPECT_TRUE(anyLineHas(lines, "w 检验(临界值 3.29):第 2 个三角形的前进角 B2 可能有粗差:请核对手簿。"));
    EXPECT_TRUE(anyLineHas(lines, "B2 的 w = -5.10,改正数 v = -6.25 秒,多余观测分量 0.500,可发现的最小粗差 MDB = 11.00 秒"));
    EXPECT_TRUE(anyLineHas(lines, "共有 2 个观测值的 |w| 超过 3.29"));
    // The weakest point is the one with the largest mp, not the first.
    EXPECT_TRUE(anyLineHas(lines, "最弱点 N2(点位中误差 mp 最大):mx = 3.00,my = 1.00,mp = 3.16 毫米"));
    // P(n/2 + 1), the main window's weakest point, is the same point here.
    EXPECT_TRUE(anyLineHas(lines, "推算路线中点 N2(P2,主窗口和计算报告所称的最弱点)就是点位中误差最大的点。"));
    EXPECT_TRUE(anyLineHas(lines, "长轴方位角 5°00′"));
    EXPECT_EQ(weakestPointOf(handMade(7.5)), 2u);

    // Where the point of the largest mp is not P(n/2 + 1), both are named with their figures.
    ChainAnalysis apart = handMade(7.5);
    apart.points[1].mp = 4.5;
    const auto apartLines = summaryLines(apart);
    EXPECT_TRUE(anyLineHas(apartLines, "最弱点 N1(点位中误差 mp 最大):mx = 1.00,my = 2.00,mp = 4.50 毫米"));
    EXPECT_TRUE(anyLineHas(apartLines, "推算路线中点 N2(P2,k = n/2 + 1,主窗口和计算报告所称的最弱点,其 md 即此处的 mp):"
                                       "mx = 3.00,my = 1.00,mp = 3.16 毫米。"));
    const AnalysisTable apartPoints = pointTable(apart);
    EXPECT_EQ(apartPoints.rows[1][ptKind].text, texts::weakestPoint);
    EXPECT_EQ(apartPoints.rows[2][ptKind].text, texts::routeMiddlePoint);

    ChainAnalysis clean = handMade(7.5);
    clean.suspect.reset();
    for (auto& test : clean.observations) test.suspect = false;
    for (auto& closure : clean.triangles) closure.passed = true;
    const auto cleanLines = summaryLines(clean);
    EXPECT_TRUE(anyLineHas(cleanLines, texts::noSuspect));
    EXPECT_TRUE(anyLineHas(cleanLines, "2 个三角形全部合限"));
    EXPECT_FALSE(anyLineHas(cleanLines, "|w| 超过"));

    // Many closures beyond the limit are cut after ten.
    ChainAnalysis many = handMade(7.5);
    many.triangles.clear();
    for (int i = 1; i <= 14; ++i) many.triangles.push_back({.triangle = i, .w = 20, .limit = 8.66, .passed = false});
    EXPECT_TRUE(anyLineHas(summaryLines(many), "1、2、3、4、5、6、7、8、9、10 等 14 个。"));
}

TEST(AnalysisTables, RowsCellsKeysAndMarks)
{
    const ChainAnalysis analysis = handMade(7.5);
    const AnalysisTable observations = observationTable(analysis);
    ASSERT_EQ(observations.rows.size(), analysis.observations.size());
    ASSERT_EQ(observations.headings.size(), static_cast<std::size_t>(observationColumns));
    ASSERT_EQ(observations.figureColumns.size(), observations.headings.size());
    for (const auto& row : observations.rows) ASSERT_EQ(row.size(), observations.headings.size());
    EXPECT_EQ(observations.rows[1][obsV].text, "-6.25");
    EXPECT_EQ(observations.rows[1][obsW].sortKey, 5.1);  // |w|
    EXPECT_EQ(observations.rows[1][obsBlunder].text, texts::mostLikelyBlunder);
    EXPECT_EQ(observations.rows[2][obsBlunder].text, texts::likelyBlunder);
    EXPECT_EQ(observations.rows[2][obsUnit].text, texts::millimetres);
    EXPECT_EQ(observations.rows[0][obsBlunder].text, "");
    EXPECT_EQ(observations.marked, (std::vector<bool>{false, true, true, false}));
    // Without a redundancy there is no w and no MDB; they sort below every figure.
    EXPECT_EQ(observations.rows[3][obsW].text, texts::noFigure);
    EXPECT_LT(observations.rows[3][obsMdb].sortKey, observations.rows[0][obsMdb].sortKey);
    for (std::size_t r = 0; r < observations.rows.size(); ++r) EXPECT_EQ(observations.rows[r][obsId].sortKey, r);

    const AnalysisTable points = pointTable(analysis);
    ASSERT_EQ(points.rows.size(), analysis.points.size());
    EXPECT_EQ(points.rows[0][ptKind].text, texts::knownPoint);
    EXPECT_EQ(points.rows[0][ptMp].text, texts::noFigure);
    EXPECT_EQ(points.rows[1][ptKind].text, texts::routePoint);
    EXPECT_EQ(points.rows[2][ptKind].text, texts::weakestAndRouteMiddle);
    EXPECT_EQ(points.rows[2][ptAlpha].text, "5°00′");
    EXPECT_EQ(points.rows[1][ptA].text, "2.10");
    EXPECT_EQ(points.marked, (std::vector<bool>{false, false, true, false}));
}

// On a whole job: the outcome names the reason when there is no analysis,
// and the tables have a row for every observation and point.
TEST(AnalysisSummary, OutcomeOfAWholeJob)
{
    EXPECT_EQ(analysisOfCompleteJob(nullptr).refusal, texts::noCompleteJob);
    ChainSurvey empty;
    EXPECT_EQ(analysisOfCompleteJob(&empty).refusal, texts::recordNotAnalysable);

    const auto job = testing::finishedRecord(
        testing::makeChain(testing::calibratedPlan(9, ChainCase::knownStartSide, 41, 2)).answers);
    const AnalysisOutcome outcome = analysisOfCompleteJob(job.get());
    ASSERT_TRUE(outcome.analysis.has_value());
    EXPECT_EQ(outcome.refusal, "");
    EXPECT_EQ(observationTable(*outcome.analysis).rows.size(), outcome.analysis->observations.size());
    EXPECT_EQ(pointTable(*outcome.analysis).rows.size(), 11u);

    // Weights that leave the normal equations singular.
    std::fill(job->weightReciprocal.begin(), job->weightReciprocal.end(), 0.0);
    EXPECT_EQ(analysisOfCompleteJob(job.get()).refusal, texts::normalsNotPositiveDefinite);
}

}  // namespace
}  // namespace kestrane
