// The quality analysis on generated chains run through whole jobs: against
// a dense computation of the same figures, against the window's weakest
// point, and against what the statistics must do with known noise.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <memory>

#include "analysis/chi_square.h"
#include "analysis/quality_analysis.h"
#include "chain/angles.h"
#include "dense_analysis.h"
#include "synthetic_chain.h"
#include "whole_job.h"

namespace kestrane {
namespace {

using testing::calibratedPlan;
using testing::ChainPlan;
using testing::finishedRecord;
using testing::withForwardAngleBlunder;

const ChainCase arrangements[] = {ChainCase::hangingOnA, ChainCase::knownStartSide, ChainCase::knownStartAndEndSide};

// As the window shows millimetres: two decimals of the exact binary value.
std::string displayed(double millimetres)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", millimetres);
    return text;
}

TEST(ChiSquare, QuantilesMatchTables)
{
    // Printed tables to their digits; r = 3 * 6552 + 3 from a 40-digit
    // evaluation of the incomplete gamma function.
    const struct {
        int r;
        double lower, lowerDigits, upper;
    } table[] = {{1, 0.000982, 1e-6, 5.024}, {2, 0.0506, 1e-4, 7.378}, {9, 2.700, 1e-3, 19.023},
                 {30, 16.791, 1e-3, 46.979}, {100, 74.222, 1e-3, 129.561}, {19659, 19272.261, 1e-3, 20049.528}};
    for (const auto& row : table) {
        EXPECT_NEAR(chiSquareQuantile(0.025, row.r), row.lower, row.lowerDigits / 2) << row.r;
        EXPECT_NEAR(chiSquareQuantile(0.975, row.r), row.upper, 0.5e-3) << row.r;
    }
    for (const int r : {1, 3, 27, 400, 19659})
        for (const double p : {1e-6, 0.025, 0.5, 0.975, 0.999999})
            EXPECT_NEAR(chiSquareDistribution(chiSquareQuantile(p, r), r), p, 1e-12 + 1e-10 * p) << r << " " << p;
}

// Every observation's and every point's weight reciprocal as the dense
// computation of both groups gives it; the redundancy numbers sum to the
// conditions; the weakest point is the window's, also when it is carried
// over hundreds of legs (too long for the dense computation).
TEST(Analysis, AgreesWithTheDenseComputationAndTheWindow)
{
    for (const ChainCase arrangement : arrangements) {
        for (const int n : {1, 2, 3, 4, 5, 6, 9, 14, 30, 60, 400}) {
            if (arrangement == ChainCase::knownStartAndEndSide && n == 1) continue;
            ChainPlan plan{.triangles = n, .arrangement = arrangement, .seed = 70u + n, .angleNoise = 2,
                           .sideNoise = 0.004, .typedAzimuths = n % 2 == 0};
            if (n >= 5) plan.fans = {n / 2 + 1};
            if (n >= 30) plan.fans.push_back(n - 3);
            SCOPED_TRACE("case " + std::to_string(static_cast<int>(arrangement)) + ", n = " + std::to_string(n));
            const auto job = finishedRecord(testing::makeChain(plan).answers);
            const ChainAnalysis analysis = analyseChain(*job);
            const auto dense = n <= 60 ? testing::denseAnalysis(*job) : testing::DenseAnalysis{};

            // The dense figures are by observation number.
            const auto numberOf = [n](const ObservationId& id) {
                int number = 0;
                while (observationNumbered(number, n) != id) ++number;
                return number;
            };
            double redundancy = 0;
            for (const auto& test : analysis.observations) {
                if (n <= 60) {
                    EXPECT_NEAR(test.residualWeightReciprocal, dense.residualWeightReciprocal[numberOf(test.id)],
                                1e-9 * test.weightReciprocal) << observationText(test.id);
                }
                EXPECT_TRUE(test.redundancy > 0 && test.redundancy <= 1 + 1e-12) << observationText(test.id);
                redundancy += test.redundancy;
            }
            EXPECT_NEAR(redundancy, 3 * n + 3, 1e-11 * n);
            EXPECT_EQ(analysis.globalTest.redundancy, 3 * n + 3);

            for (const auto& point : analysis.points) {
                if (point.known || dense.points.empty()) continue;
                const auto& d = dense.points[point.index];
                const double scale = 1e-9 * std::max(d.xx, d.yy);
                EXPECT_NEAR(point.qxx, d.xx, scale) << point.index;
                EXPECT_NEAR(point.qyy, d.yy, scale) << point.index;
                EXPECT_NEAR(point.qxy, d.xy, scale) << point.index;
            }
            const PointPrecision& weakest = analysis.points[weakestPoint(n)];
            if (weakest.known) continue;  // D, with C and D given and n = 2
            EXPECT_NEAR(weakest.qxx, job->invPx, 1e-9 * job->invPx);
            EXPECT_NEAR(weakest.qyy, job->invPy, 1e-9 * job->invPy);
            EXPECT_EQ(displayed(weakest.mx), displayed(job->mx));
            EXPECT_EQ(displayed(weakest.my), displayed(job->my));
            EXPECT_EQ(displayed(weakest.mp), displayed(job->md));
        }
    }
}

TEST(Analysis, PlantedBlunderIsTheSuspect)
{
    for (const ChainCase arrangement : arrangements) {
        for (unsigned seed = 1; seed <= 4; ++seed) {
            const int n = 12;
            const auto chain = testing::makeChain(calibratedPlan(n, arrangement, 300 + seed, 1.5));
            SCOPED_TRACE("case " + std::to_string(static_cast<int>(arrangement)) + ", seed " + std::to_string(seed));
            const ChainAnalysis clean = analyseChain(*finishedRecord(chain.answers));
            EXPECT_FALSE(clean.suspect.has_value()) << observationText(*clean.suspect);
            const ChainAnalysis blunder = analyseChain(*finishedRecord(withForwardAngleBlunder(chain.answers, n, 7, 20)));
            ASSERT_TRUE(blunder.suspect.has_value());
            EXPECT_EQ(*blunder.suspect, (ObservationId{ObservationKind::angleB, 7}));
            // 20" lies beyond what the test is sure to find, and comes back in
            // the correction as far as the chain controls the angle.
            const auto& b7 = blunder.observations[3 * 7 - 1 - (arrangement == ChainCase::hangingOnA ? 0 : 1)];
            ASSERT_EQ(observationText(b7.id), "B7");
            EXPECT_LT(*b7.mdb, 20);
            EXPECT_NEAR(b7.v, -20 * b7.redundancy, 4 * 1.5 * std::sqrt(b7.residualWeightReciprocal));
        }
    }
}

// With the noise the a-priori sigma0 states, w is standard normal: the
// false suspects come at the rate alpha = 0.1 % of the w-test, and the
// global test passes some 95 % of the chains.
TEST(Analysis, CleanChainsGiveFalseSuspectsAtTheTestsRate)
{
    const int chains = 300;
    int tests = 0, suspects = 0, passed = 0;
    double sumW2 = 0;
    for (int seed = 1; seed <= chains; ++seed) {
        const auto job = finishedRecord(testing::makeChain(calibratedPlan(8, arrangements[seed % 3], 5000 + seed, 1.5)).answers);
        const ChainAnalysis analysis = analyseChain(*job);
        passed += *analysis.globalTest.passed;
        for (const auto& test : analysis.observations) {
            const ObservationKind kind = test.id.kind;
            if (kind == ObservationKind::startOrientation || kind == ObservationKind::closingOrientation)
                continue;  // typed without noise
            ++tests;
            suspects += test.suspect;
            sumW2 += *test.w * *test.w;
        }
    }
    const double rate = static_cast<double>(suspects) / tests, spread = std::sqrt(sumW2 / tests);
    std::printf("[ measured ] false suspects %d of %d w-tests (%.5f); RMS of w %.3f; global test passed %d of %d\n",
                suspects, tests, rate, spread, passed, chains);
    EXPECT_GT(rate, 0.0002);
    EXPECT_LT(rate, 0.003);
    EXPECT_NEAR(spread, 1, 0.05);
    EXPECT_NEAR(static_cast<double>(passed) / chains, 0.95, 0.04);
}

TEST(Analysis, NoiseFreeChainHasNoResiduals)
{
    for (const ChainCase arrangement : arrangements) {
        const auto job = finishedRecord(testing::makeChain({.triangles = 10, .arrangement = arrangement, .seed = 4}).answers);
        const ChainAnalysis analysis = analyseChain(*job);
        for (const auto& test : analysis.observations) EXPECT_LT(std::fabs(*test.w), 1e-3) << observationText(test.id);
        EXPECT_FALSE(analysis.suspect.has_value());
        EXPECT_LT(analysis.ferrero, 1e-3);
        // Far below the lower bound: data too good to be true, or sigma0 set
        // too large. The test is one-sided and passes.
        EXPECT_LT(*analysis.globalTest.chi2, *analysis.globalTest.lower);
        EXPECT_TRUE(*analysis.globalTest.passed);
    }
}

// The observations that enter, in their order; the known points; the
// ellipse of every other point.
TEST(Analysis, ObservationsAndPointsOfEachArrangement)
{
    for (const ChainCase arrangement : arrangements) {
        const int n = 7;
        const auto job = finishedRecord(testing::makeChain(calibratedPlan(n, arrangement, 11, 2)).answers);
        const ChainAnalysis analysis = analyseChain(*job);
        const bool cKnown = arrangement != ChainCase::hangingOnA, dKnown = arrangement == ChainCase::knownStartAndEndSide;
        std::string ids = cKnown ? "" : "Qa ";
        for (int i = 1; i <= n; ++i) ids += "A" + std::to_string(i) + " B" + std::to_string(i) + " C" + std::to_string(i) + " ";
        for (int k = cKnown ? 2 : 1; k <= (dKnown ? 2 * n : 2 * n + 1); ++k) ids += "S" + std::to_string(k) + " ";
        ids += dKnown ? "" : "Qb ";
        std::string got;
        for (const auto& test : analysis.observations) got += observationText(test.id) + " ";
        EXPECT_EQ(got, ids);

        for (const auto& point : analysis.points) {
            const int j = point.index;
            EXPECT_EQ(point.known, j == 0 || j == n + 1 || (cKnown && j == 1) || (dKnown && j == n)) << j;
            EXPECT_EQ(point.x, job->routeX[j]);
            if (point.known) {
                EXPECT_EQ(point.mx + point.my + point.a + point.b + point.alpha, 0) << j;
                continue;
            }
            // The ellipse keeps the position error, and the variance along
            // its major axis is a^2.
            EXPECT_NEAR(point.a * point.a + point.b * point.b, point.mp * point.mp, 1e-9 * point.mp * point.mp);
            const double t = point.alpha * degToRad, mb = job->mb;
            const double along = std::pow(std::cos(t), 2) * point.qxx + std::sin(2 * t) * point.qxy +
                                 std::pow(std::sin(t), 2) * point.qyy;
            EXPECT_NEAR(mb * mb * along, point.a * point.a, 1e-9 * point.a * point.a) << j;
            EXPECT_TRUE(point.a >= point.b && point.alpha >= 0 && point.alpha < 180) << j;
        }
    }
}

// The analysis reads the conditions, weights and corrections only: what the
// solver reduced may be gone. Without a tolerance the w-test takes mb and the
// global test has no figures; without a finished job there is no analysis.
TEST(Analysis, NeedsOnlyTheFinishedRecord)
{
    const auto job = finishedRecord(testing::makeChain({.triangles = 6, .seed = 2, .angleNoise = 2, .sideNoise = 0.004,
                                                     .tolerance = "0"}).answers);
    const ChainAnalysis before = analyseChain(*job);
    job->normalMatrix = {};
    job->workMatrix = {};
    std::fill(job->correlates.begin(), job->correlates.end(), 0.0);
    const ChainAnalysis after = analyseChain(*job);
    for (std::size_t i = 0; i < before.observations.size(); ++i) EXPECT_EQ(before.observations[i].w, after.observations[i].w);
    EXPECT_EQ(before.points[weakestPoint(6)].mx, after.points[weakestPoint(6)].mx);

    EXPECT_FALSE(before.globalTest.apriori || before.globalTest.chi2 || before.globalTest.passed ||
                 before.triangles[0].limit);
    const ObservationTest& a1 = before.observations[1];
    EXPECT_DOUBLE_EQ(*a1.w, a1.v / (job->mb * std::sqrt(a1.residualWeightReciprocal)));
    EXPECT_THROW(analyseChain(ChainSurvey{}), std::logic_error);
}

}  // namespace
}  // namespace kestrane
