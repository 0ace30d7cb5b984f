// The checks against a grade on generated chains with misclosures planted
// just under and just over each kind of limit, for every grade of the
// standard; the limits against the standard's formulas counted by hand.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "analysis/analysis_summary.h"
#include "analysis/grade_checks.h"
#include "analysis/grades.h"
#include "analysis/quality_analysis.h"
#include "chain/angles.h"
#include "chain/display_format.h"
#include "golden_files.h"
#include "guide_texts.h"
#include "synthetic_chain.h"
#include "whole_job.h"

namespace kestrane {
namespace {

using testing::ChainPlan;
using testing::finishedRecord;
using testing::fullPrecision;
using testing::makeChain;

constexpr int chainTriangles = 6;

const GradeCheck& checkNamed(const ChainAnalysis& analysis, const std::string& id)
{
    const auto& checks = analysis.grading->checks;
    const auto found = std::find_if(checks.begin(), checks.end(), [&](const GradeCheck& c) { return c.id == id; });
    if (found == checks.end()) throw std::runtime_error("no check " + id);
    return *found;
}

ChainAnalysis analysed(const std::vector<std::string>& answers, const Grade& grade)
{
    return analyseChain(*finishedRecord(answers), grade);
}

// A chain hanging on A whose observations close exactly (to the digits typed).
ChainPlan cleanPlan(int n = chainTriangles)
{
    return {.triangles = n, .arrangement = ChainCase::hangingOnA, .seed = 5};
}

// The answer that types side S(k) of a chain hanging on A: the sides follow
// the angles, two answers each (the value and its confirmation).
std::string& sideAnswer(std::vector<std::string>& answers, int n, int k)
{
    const auto lastName = std::find(answers.begin(), answers.end(), "P" + std::to_string(n + 1));
    return *(lastName + 2 + 6 * n + 2 * (k - 1));
}

std::vector<std::string> withSideChange(std::vector<std::string> answers, int n, int k, double metres)
{
    std::string& typed = sideAnswer(answers, n, k);
    typed = fullPrecision(std::stod(typed) + metres);
    return answers;
}

// A side error that brings the misclosure of the check to `factor` times its
// limit: the misclosures are linear in a small side error, measured once
// with a probe of 10 mm.
std::vector<std::string> plantedOnSide(const std::vector<std::string>& answers, int n, int k,
                                       const std::string& id, const Grade& grade, double factor)
{
    constexpr double probe = 0.01;
    const ChainAnalysis before = analysed(answers, grade);
    const ChainAnalysis probed = analysed(withSideChange(answers, n, k, probe), grade);
    const double w0 = checkNamed(before, id).value, w1 = checkNamed(probed, id).value;
    const double limit = checkNamed(before, id).limit;
    const double slope = (w1 - w0) / probe;
    return withSideChange(answers, n, k, (factor * limit - w0) / slope);
}

TEST(Grades, AreTheStandardsTable)
{
    const struct {
        const char* name;
        double km, angle, side, weakest, triangle;
    } table[] = {{"二等", 9, 1, 250000, 120000, 3.5}, {"三等", 4.5, 1.8, 150000, 70000, 7},
                 {"四等", 2, 2.5, 100000, 40000, 9},   {"一级", 1, 5, 40000, 20000, 15},
                 {"二级", 0.5, 10, 20000, 10000, 30}};
    ASSERT_EQ(standardGrades().size(), std::size(table));
    for (const auto& row : table) {
        const auto grade = standardGrade(row.name);
        ASSERT_TRUE(grade) << row.name;
        EXPECT_EQ(grade->source, "GB 50026-2007《工程测量规范》表 3.4.1");
        EXPECT_EQ(*grade->meanSideKm, row.km);
        EXPECT_EQ(grade->angle, row.angle);
        EXPECT_EQ(grade->side, row.side);
        EXPECT_EQ(grade->weakestSide, row.weakest);
        EXPECT_EQ(grade->triangle, row.triangle);
        EXPECT_TRUE(isGradeName(row.name));
    }
    EXPECT_FALSE(standardGrade("自定义"));
    EXPECT_TRUE(isGradeName("自定义"));
    EXPECT_FALSE(isGradeName("五等"));
    EXPECT_FALSE(isGradeName("四等 "));
    const Grade custom = customGrade(6, 20, 30000, 15000);
    EXPECT_EQ(custom.name, "自定义");
    EXPECT_EQ(custom.source, "自定义");
    EXPECT_EQ(custom.triangle, 20);
    EXPECT_FALSE(isGradeFigure(0));
    EXPECT_FALSE(isGradeFigure(-1));
    EXPECT_FALSE(isGradeFigure(INFINITY));
    EXPECT_FALSE(isGradeFigure(1e-300));
    EXPECT_FALSE(isGradeFigure(2e9));
    EXPECT_TRUE(isGradeFigure(0.001));
    EXPECT_TRUE(isGradeFigure(1e9));
}

// Each triangle against the grade's largest misclosure: a forward angle
// typed too large by just under and just over it.
TEST(GradeChecks, TriangleMisclosureAtTheGradesLimit)
{
    const auto chain = makeChain(cleanPlan());
    for (const Grade& grade : standardGrades()) {
        SCOPED_TRACE(grade.name);
        for (const double step : {-0.05, 0.05}) {
            const auto answers =
                testing::withForwardAngleBlunder(chain.answers, chainTriangles, 3, grade.triangle + step);
            const ChainAnalysis analysis = analysed(answers, grade);
            const GradeCheck& w3 = checkNamed(analysis, "w3");
            EXPECT_EQ(w3.kind, CheckKind::triangle);
            EXPECT_EQ(w3.limit, grade.triangle);
            EXPECT_NEAR(w3.value, grade.triangle + step, 0.01);
            EXPECT_EQ(w3.passed, step < 0);
            EXPECT_TRUE(checkNamed(analysis, "w2").passed);
            if (step > 0) {
                EXPECT_FALSE(analysis.grading->passed);
            }
        }
    }
}

// A side-angle condition against twice its standard deviation; by hand for
// the first condition of a triangle, S(2i) sin A - S(2i+1) sin C.
TEST(GradeChecks, SideAngleConditionAtItsLimit)
{
    const int n = chainTriangles, t = 3;
    const auto chain = makeChain(cleanPlan());
    for (const Grade& grade : standardGrades()) {
        SCOPED_TRACE(grade.name);
        const auto job = finishedRecord(chain.answers);
        const double rho = 206264.806, A = job->angleA[t] * exactDegToRad, C = job->angleC[t] * exactDegToRad;
        const double s2 = job->sideLength[2 * t], s3 = job->sideLength[2 * t + 1];
        const double byHand = 2000 * std::sqrt(std::pow(s2 * std::cos(A) * grade.angle / rho, 2) +
                                               std::pow(s3 * std::cos(C) * grade.angle / rho, 2) +
                                               std::pow(std::sin(A) * s2 / grade.side, 2) +
                                               std::pow(std::sin(C) * s3 / grade.side, 2));
        const ChainAnalysis clean = analyseChain(*job, grade);
        EXPECT_NEAR(checkNamed(clean, "W5").limit, byHand, 1e-5 * byHand);
        EXPECT_TRUE(checkNamed(clean, "W5").passed);

        for (const double factor : {0.98, 1.02, -0.98, -1.02}) {
            const ChainAnalysis planted = analysed(plantedOnSide(chain.answers, n, 2 * t, "W5", grade, factor), grade);
            const GradeCheck& w5 = checkNamed(planted, "W5");
            EXPECT_EQ(w5.kind, CheckKind::sideAngle);
            EXPECT_NEAR(w5.value / w5.limit, factor, 0.002) << factor;
            EXPECT_EQ(w5.passed, std::fabs(factor) < 1) << factor;
        }
    }
}

// The azimuth condition's limit is the standard's W方允 = 2·mβ·√m, m the
// observed angles on the azimuth route: Qa, the n spacer angles, Qb on a
// chain hanging on A; the spacer angles and Qb from a known side; the
// spacer angles alone between two known sides.
TEST(GradeChecks, AzimuthLimitIsTwiceMbetaRootM)
{
    const struct {
        ChainCase arrangement;
        int angles;
    } cases[] = {{ChainCase::hangingOnA, chainTriangles + 2},
                 {ChainCase::knownStartSide, chainTriangles + 1},
                 {ChainCase::knownStartAndEndSide, chainTriangles}};
    for (const auto& c : cases) {
        const auto job = finishedRecord(makeChain({.triangles = chainTriangles, .arrangement = c.arrangement}).answers);
        EXPECT_EQ(anglesInRow(*job, 2 * chainTriangles + 1), c.angles);
        for (const Grade& grade : standardGrades()) {
            const ChainAnalysis analysis = analyseChain(*job, grade);
            EXPECT_NEAR(checkNamed(analysis, "Wb").limit, 2 * grade.angle * std::sqrt(c.angles), 1e-12)
                << grade.name << " " << c.angles;
        }
    }
    // And the misclosure of a closing orientation angle typed off by just
    // under and just over the limit.
    for (const Grade& grade : standardGrades()) {
        const double limit = 2 * grade.angle * std::sqrt(chainTriangles + 2.0);
        for (const double step : {-0.05, 0.05}) {
            ChainPlan plan = cleanPlan();
            plan.qbOffset = limit + step;
            const ChainAnalysis analysis = analysed(makeChain(plan).answers, grade);
            const GradeCheck& wb = checkNamed(analysis, "Wb");
            EXPECT_EQ(wb.kind, CheckKind::azimuth);
            EXPECT_NEAR(std::fabs(wb.value), limit + step, 0.01) << grade.name;
            EXPECT_EQ(wb.passed, step < 0) << grade.name;
        }
    }
}

// The X and Y closing conditions: the last side, laid off towards B, typed
// long or short.
TEST(GradeChecks, CoordinateConditionsAtTheirLimits)
{
    const int n = chainTriangles;
    const auto chain = makeChain(cleanPlan());
    for (const Grade& grade : standardGrades()) {
        SCOPED_TRACE(grade.name);
        for (const char* id : {"Wx", "Wy"}) {
            for (const double factor : {0.98, 1.02}) {
                const ChainAnalysis planted = analysed(plantedOnSide(chain.answers, n, 2 * n + 1, id, grade, factor), grade);
                const GradeCheck& check = checkNamed(planted, id);
                EXPECT_EQ(check.kind, std::string(id) == "Wx" ? CheckKind::x : CheckKind::y);
                EXPECT_GT(check.limit, 0);
                EXPECT_NEAR(check.value / check.limit, factor, 0.002) << id;
                EXPECT_EQ(check.passed, factor < 1) << id;
            }
        }
    }
}

// Ferrero's estimate is shown always and judged from 20 triangles on.
TEST(GradeChecks, FerreroJudgedFromTwentyTriangles)
{
    const Grade grade = *standardGrade("二等");  // mβ 1″, well below the 3″ typed into these angles
    for (const int n : {19, 20, 21}) {
        const ChainAnalysis analysis =
            analysed(makeChain({.triangles = n, .seed = 9, .angleNoise = 3, .sideNoise = 0.003}).answers, grade);
        const GradeCheck& ferrero = checkNamed(analysis, "mβ");
        EXPECT_EQ(ferrero.kind, CheckKind::ferrero);
        EXPECT_EQ(ferrero.value, analysis.ferrero);
        EXPECT_GT(ferrero.value, grade.angle);
        EXPECT_EQ(ferrero.limit, grade.angle);
        EXPECT_EQ(ferrero.judged, n >= ferreroJudgedFrom) << n;
        EXPECT_EQ(ferrero.passed, n < ferreroJudgedFrom) << n;
    }
}

// The relative errors against an office's own figures set just beside them.
TEST(GradeChecks, RelativeErrorsPassFromTheirN)
{
    const auto job = finishedRecord(makeChain({.triangles = chainTriangles, .seed = 3, .angleNoise = 1.5,
                                               .sideNoise = 0.004}).answers);
    const ChainAnalysis plain = analyseChain(*job, *standardGrade("四等"));
    const double sideN = checkNamed(plain, "ms").value;
    EXPECT_NEAR(sideN, job->meanSide * 1000 / job->ms, 1e-9 * sideN);
    const auto weakest = std::find_if(plain.grading->checks.begin(), plain.grading->checks.end(),
                                      [](const GradeCheck& c) { return c.kind == CheckKind::weakestSide; });
    ASSERT_NE(weakest, plain.grading->checks.end());
    const double weakestN = weakest->value;
    // The weakest side is the side of the smallest N after adjustment.
    for (const ObservationTest& test : plain.observations) {
        if (!test.id.isSide()) continue;
        const double sigma = job->mb * std::sqrt(test.weightReciprocal - test.residualWeightReciprocal);
        EXPECT_GE(job->sideLength[test.id.index] * 1000 / sigma, weakestN * (1 - 1e-12));
    }
    for (const double factor : {0.999, 1.001}) {
        const ChainAnalysis analysis = analyseChain(*job, customGrade(2.5, 9, sideN * factor, weakestN * factor));
        EXPECT_EQ(checkNamed(analysis, "ms").passed, factor < 1);
        EXPECT_EQ(checkNamed(analysis, weakest->id).passed, factor < 1);
    }
}

// The distance angles under 30° of the guide's example, and the global
// test: passed with the remark below its lower point, failed above its upper.
TEST(GradeChecks, DistanceAnglesAndTheOneSidedGlobalTest)
{
    const auto job = finishedRecord(testing::goldenJobAnswers("user_guide_example"));
    const ChainAnalysis analysis = analyseChain(*job, *standardGrade("四等"));
    int named = 0;
    for (int i = 1; i <= job->triangleCount; ++i) {
        const double a = packedToDegrees(job->packedA[i]), b = packedToDegrees(job->packedB[i]);
        for (const auto& [id, angle, other] : {std::tuple{"A", a, b}, std::tuple{"B", b, a}}) {
            if (angle >= 30) continue;
            ++named;
            const GradeCheck& check = checkNamed(analysis, id + std::to_string(i));
            EXPECT_EQ(check.value, angle);
            EXPECT_EQ(check.limit, other < 30 ? 30 : 25);
            EXPECT_EQ(check.passed, angle >= check.limit);
        }
    }
    EXPECT_GT(named, 0);
    EXPECT_EQ(std::count_if(analysis.grading->checks.begin(), analysis.grading->checks.end(),
                            [](const GradeCheck& c) { return c.kind == CheckKind::distanceAngle; }),
              named);
    EXPECT_FALSE(analysis.grading->passed);

    // σ0 is the grade's mβ: the 10″ of 二级 make χ² fall below its lower point, and the test passes.
    const ChainAnalysis loose = analyseChain(*job, *standardGrade("二级"));
    EXPECT_EQ(*loose.globalTest.apriori, 10);
    EXPECT_LT(*loose.globalTest.chi2, *loose.globalTest.lower);
    EXPECT_TRUE(*loose.globalTest.passed);
    const auto noisy = finishedRecord(makeChain({.triangles = 8, .seed = 4, .angleNoise = 4, .sideNoise = 0.01}).answers);
    const ChainAnalysis tight = analyseChain(*noisy, *standardGrade("二等"));
    EXPECT_GT(*tight.globalTest.chi2, *tight.globalTest.upper);
    EXPECT_FALSE(*tight.globalTest.passed);
    EXPECT_FALSE(analyseChain(*noisy).grading);
}

// A distance angle under 30° is named against 30°, or 25° when it is the only
// one of its triangle; such a single angle from 25° up passes, two never do.
TEST(GradeChecks, DistanceAngleOfTwentyFiveDegreesStandsAlone)
{
    // A clean chain, its triangles given the shape of 45° distance angles:
    // the shape is checked from the typed angles alone.
    auto job = *finishedRecord(makeChain(cleanPlan()).answers);
    std::fill(job.packedA.begin() + 1, job.packedA.end(), 45);
    std::fill(job.packedB.begin() + 1, job.packedB.end(), 45);
    const Grade grade = *standardGrade("四等");
    ASSERT_TRUE(analyseChain(job, grade).grading->passed);
    const struct {
        double a, b;  // packed d.mmss of A2 and B2
        std::vector<std::tuple<std::string, double, bool>> named;  // id, limit, passed
    } cases[] = {{40, 50, {}},
                 {27.3, 40, {{"A2", 25, true}}},
                 {25, 40, {{"A2", 25, true}}},
                 {40, 24.5959, {{"B2", 25, false}}},
                 {28, 29.5959, {{"A2", 30, false}, {"B2", 30, false}}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.a) + " " + std::to_string(c.b));
        auto shaped = job;
        shaped.packedA[2] = c.a;
        shaped.packedB[2] = c.b;
        const ChainAnalysis analysis = analyseChain(shaped, grade);
        std::vector<std::tuple<std::string, double, bool>> named;
        for (const GradeCheck& check : analysis.grading->checks)
            if (check.kind == CheckKind::distanceAngle) named.emplace_back(check.id, check.limit, check.passed);
        EXPECT_EQ(named, c.named);
        const bool allPassed = std::all_of(named.begin(), named.end(), [](const auto& n) { return std::get<2>(n); });
        EXPECT_EQ(analysis.grading->passed, allPassed);
    }
}

// The guides' worked example checked against 四等: its verdict and every
// misclosure and limit they quote, as the checks give them.
TEST(GradeChecks, TheGuidesExampleFigures)
{
    const auto job = finishedRecord(testing::goldenJobAnswers("user_guide_example"));
    const ChainAnalysis analysis = analyseChain(*job, *standardGrade("四等"));
    EXPECT_EQ(gradeVerdict(*analysis.grading), "四等:超限 1 项:A2");
    for (const char* guide : {"user-guide.zh.md", "user-guide.en.md"}) {
        SCOPED_TRACE(guide);
        const std::string text = testing::readFile(testing::docsPath(guide));
        EXPECT_NE(text.find("四等:超限 1 项:A2"), std::string::npos);
        for (const GradeCheck& check : analysis.grading->checks) {
            if (check.kind == CheckKind::sideRms || check.kind == CheckKind::weakestSide) {
                EXPECT_NE(text.find("1/" + formatFixed(std::trunc(check.value), 0)), std::string::npos) << check.id;
                continue;
            }
            if (check.kind == CheckKind::distanceAngle) continue;
            const std::string value = formatFixed(std::fabs(check.value), 2);
            EXPECT_NE(text.find(value), std::string::npos) << check.id << " " << value;
            if (check.kind == CheckKind::sideAngle || check.kind == CheckKind::x || check.kind == CheckKind::y ||
                check.kind == CheckKind::azimuth)
                EXPECT_NE(text.find(formatFixed(check.limit, 2)), std::string::npos) << check.id;
        }
    }
}

}  // namespace
}  // namespace kestrane
