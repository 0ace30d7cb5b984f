// Long noisy chains: one linearisation of the second group leaves the closing
// point off its given coordinates; the further rounds bring the chain to the
// least-squares solution, which an adjustment by observation equations finds
// too.
#include <gtest/gtest.h>

#include <cmath>
#include <iostream>
#include <sstream>

#include "adjustment/conditions.h"
#include "adjustment/corrections.h"
#include "adjustment/misclosures.h"
#include "adjustment/normal_equations.h"
#include "adjustment/precision.h"
#include "adjustment/second_group_rounds.h"
#include "job/data_input_job.h"
#include "parametric_adjustment.h"
#include "synthetic_chain.h"
#include "whole_job.h"

namespace kestrane {
namespace {

using testing::adjustFilledChain;
using testing::ChainPlan;

// Angles 1.5", sides 3 mm + 2 ppm of the generated chains' ~800 m.
ChainPlan noisyPlan(int n, ChainCase arrangement, unsigned seed, std::vector<int> fans = {})
{
    return {.triangles = n, .arrangement = arrangement, .seed = seed, .angleNoise = 1.5, .sideNoise = 0.0046,
            .fans = std::move(fans)};
}

std::string described(const ChainPlan& plan)
{
    std::ostringstream text;
    text << "n = " << plan.triangles << ", case " << static_cast<int>(plan.arrangement) << ", seed " << plan.seed;
    for (const int fan : plan.fans) text << ", fan at " << fan;
    return text.str();
}

// The first round alone, as the program made it before further rounds.
ChainSurvey oneRound(ChainSurvey job)
{
    setWeights(job);
    sideAngleMisclosures(job);
    provisionalTraverse(job);
    closingMisclosures(job);
    formConditions(job);
    formNormalEquations(job);
    solveWeightReciprocalX(job);
    solveWeightReciprocalY(job);
    solveCorrelates(job);
    applyCorrections(job);
    adjustedTraverse(job);
    assessPrecision(job);
    return job;
}

// One more round from the adjusted values of job, on the observed values of
// the typed record, with the further rounds' exact pi.
ChainSurvey anotherRound(ChainSurvey job, const ChainSurvey& typed)
{
    solveAtAdjustedValues(job, adjustedMisclosures(job, exactDegToRad), exactDegToRad);
    job.angleA = typed.angleA;
    job.angleB = typed.angleB;
    job.angleC = typed.angleC;
    job.sideLength = typed.sideLength;
    job.qaDeg = typed.qaDeg;
    applyCorrections(job);
    adjustedTraverse(job, exactDegToRad);
    return job;
}

double pvv(const ChainSurvey& job)
{
    return job.sumVVAngles + job.sumPVVSides;
}

// Distance in metres of the closing point as shown (B, or the computed D
// when D is known) from the coordinates typed for it.
double closingPointOffset(const ChainSurvey& job)
{
    const int d = dGiven(job) ? closingStation(job) : job.triangleCount + 1;
    const double x = dGiven(job) ? job.xd.value : job.xb.value, y = dGiven(job) ? job.yd.value : job.yb.value;
    return std::hypot(job.routeX[d] - x, job.routeY[d] - y);
}

const ChainCase arrangements[] = {ChainCase::hangingOnA, ChainCase::knownStartSide,
                                  ChainCase::knownStartAndEndSide};

// The misclosures of the adjusted values, and X and Y of the weakest point in
// millimetres (the values of the two weight functions), with observation
// `column` moved by `step` (seconds, or millimetres for a side).
std::vector<double> valuesMoved(ChainSurvey job, int column, double step, double radiansPerDegree)
{
    const int n = job.triangleCount;
    if (column == 0) {
        job.qaDeg += job.spacerSign[0] * step / 3600;
    } else if (column <= 3 * n) {
        auto& angle = column % 3 == 1 ? job.angleA : column % 3 == 2 ? job.angleB : job.angleC;
        angle[(column + 2) / 3] += step / 3600;
    } else if (column <= 5 * n + 1) {
        job.sideLength[column - 3 * n] += step / 1000;
    } else {
        job.correction[column] += step;
    }
    adjustedTraverse(job, radiansPerDegree);
    std::vector<double> values = adjustedMisclosures(job, radiansPerDegree);
    values.push_back(1000 * job.routeX[weakestPoint(n)]);
    values.push_back(1000 * job.routeY[weakestPoint(n)]);
    return values;
}

// Rows 1..2n+5 formed at the adjusted values against central differences of
// the adjusted traverse's misclosures, the angle columns taken on the
// first-group subspace (each triangle's three derivatives less their mean).
// Returns the worst disagreement, as a share of the row's largest entry,
// and where it is.
std::pair<double, std::string> worstRowError(const ChainSurvey& job, double radiansPerDegree)
{
    const int n = job.triangleCount, rows = 2 * n + 5;
    std::vector<std::vector<double>> derivative(rows + 1, std::vector<double>(5 * n + 3));
    // The known sides A - C and D - B are no observations.
    auto observed = [&](int column) {
        return !(column == 3 * n + 1 && cGiven(job)) && !(column == 5 * n + 1 && dGiven(job));
    };
    for (int column = 0; column <= 5 * n + 2; ++column) {
        if (!observed(column)) continue;
        const double step = column > 3 * n && column <= 5 * n + 1 ? 10 : 1;
        const auto plus = valuesMoved(job, column, step, radiansPerDegree);
        const auto minus = valuesMoved(job, column, -step, radiansPerDegree);
        for (int j = 1; j <= rows; ++j) derivative[j][column] = (plus[j] - minus[j]) / (2 * step);
    }
    std::pair<double, std::string> worst{0, ""};
    for (int j = 1; j <= rows; ++j) {
        for (int i = 1; i <= n; ++i) {
            const double mean = (derivative[j][3 * i - 2] + derivative[j][3 * i - 1] + derivative[j][3 * i]) / 3;
            for (int c = 3 * i - 2; c <= 3 * i; ++c) derivative[j][c] -= mean;
        }
        double largest = 0;
        for (int c = 0; c <= 5 * n + 2; ++c) largest = std::max(largest, std::fabs(derivative[j][c]));
        for (int c = 0; c <= 5 * n + 2; ++c) {
            if (!observed(c)) continue;
            const double error = std::fabs(job.conditionMatrix(j, c) - derivative[j][c]) / largest;
            if (error > worst.first)
                worst = {error, "a(" + std::to_string(j) + ", " + std::to_string(c) + ") = " +
                                    std::to_string(job.conditionMatrix(j, c)) + ", derivative " +
                                    std::to_string(derivative[j][c])};
        }
    }
    return worst;
}

// A fan's legs turn about its station, the sines and cosines and rho agree,
// and the X and Y rows turn about the computed closing point: one rho off
// would show as 9e-7, the old rows of a fan as several per cent.
TEST(LongChain, RowsAtTheAdjustedValuesAreTheDerivativesOfTheirMisclosures)
{
    const int n = 9;
    for (const ChainCase arrangement : arrangements) {
        for (const std::vector<int>& fans : {std::vector<int>{}, {5}, {n}, {5, n - 1, n}}) {
            const ChainPlan plan = noisyPlan(n, arrangement, 900u + fans.size(), fans);
            SCOPED_TRACE(described(plan));
            ChainSurvey job = oneRound(testing::typedRecord(testing::makeChain(plan).answers));
            for (const double radiansPerDegree : {degToRad, exactDegToRad}) {
                formConditionsAtAdjustedValues(job, radiansPerDegree);
                const auto [error, where] = worstRowError(job, radiansPerDegree);
                EXPECT_LT(error, 1e-8) << where;
            }
        }
    }
}

// After the last round one more, linearised at its adjusted values, moves no
// point by 0.01 mm and no azimuth by 0.001", and finds no smaller [pvv].
TEST(LongChain, AnotherRoundMovesNothingThatShows)
{
    // The benchmark's chain, which takes the most rounds, and its first 3000 triangles' worth.
    for (const int n : {3000, 6552}) {
        const ChainPlan plan{.triangles = n, .seed = 7, .angleNoise = 2, .sideNoise = 0.004};
        SCOPED_TRACE(described(plan));
        const ChainSurvey typed = testing::typedRecord(testing::makeChain(plan).answers);
        ChainSurvey job = typed;
        adjustFilledChain(job);
        const ChainSurvey another = anotherRound(job, typed);
        double move = 0, turn = 0;
        for (int i = 0; i <= plan.triangles + 1; ++i) {
            move = std::max(move, std::hypot(another.routeX[i] - job.routeX[i], another.routeY[i] - job.routeY[i]));
            turn = std::max(turn, 3600 * std::fabs(azimuthDifference(another.routeAzimuth[i], job.routeAzimuth[i])));
        }
        EXPECT_LT(move, 0.00001);
        EXPECT_LT(turn, 0.001);
        EXPECT_GE(pvv(another), pvv(job) * (1 - 1e-9));
        std::cout << described(plan) << ": " << job.adjustmentRounds << " rounds; one more moves a point "
                  << 1000 * move << " mm, an azimuth " << turn << "\", [pvv] " << pvv(job) << " -> "
                  << pvv(another) << "\n";
    }
}

// Every route point the program adjusts is where the adjustment by
// observation equations puts it, to 1 mm; the closing point is on its given
// coordinates and [pvv] is the same.
void expectParametricAgreement(const ChainPlan& plan)
{
    SCOPED_TRACE(described(plan));
    const auto chain = testing::makeChain(plan);
    const ChainSurvey typed = testing::typedRecord(chain.answers);
    ChainSurvey job = typed;
    adjustFilledChain(job);
    const testing::ParametricSolution rigorous = testing::parametricAdjustment(typed, chain.vertices);
    double worst = 0;
    for (const int i : testing::adjustedPoints(plan))
        worst = std::max(worst, std::hypot(job.routeX[i] - rigorous.x[i], job.routeY[i] - rigorous.y[i]));
    EXPECT_LT(worst, 0.001);
    EXPECT_LT(closingPointOffset(job), 0.0001);
    if (plan.triangles >= 1000) {
        EXPECT_GT(job.adjustmentRounds, 1);
    }
    EXPECT_NEAR(pvv(job), rigorous.sumPVV + typed.firstGroupSumVV, 5e-5 * pvv(job));
    if (plan.triangles >= 1000)
        std::cout << described(plan) << ": " << job.adjustmentRounds << " rounds, " << 1000 * worst
                  << " mm from the parametric adjustment\n";
}

// Fans in the middle of the chain and at its end, where a chain closing on D
// has D at the station of the last triangle: one triangle back, or two.
TEST(LongChain, AgreesWithTheParametricAdjustment)
{
    for (const int n : {2, 5, 12, 40, 150, 600, 1000, 3000}) {
        for (const ChainCase arrangement : arrangements) {
            expectParametricAgreement(noisyPlan(n, arrangement, 7000u + n));
            if (n < 5) continue;
            expectParametricAgreement(noisyPlan(n, arrangement, 7000u + n, {n / 2 + 1, n}));
            expectParametricAgreement(noisyPlan(n, arrangement, 7000u + n, {n / 2 + 1, n - 1, n}));
        }
    }
}

TEST(LongChain, TheLongestChainsAgreeWithTheParametricAdjustment)
{
    const int n = maxTriangleCount;
    for (const ChainCase arrangement : arrangements) {
        expectParametricAgreement(noisyPlan(n, arrangement, 11));
        expectParametricAgreement(noisyPlan(n, arrangement, 11, {n / 2 + 1, n - 1, n}));
    }
}

// A chain of the size a survey office meets every day is final after the
// first round and keeps every bit of it; also when its last triangle fans
// about the station before it, where a chain closing on D has D at P(n-1).
TEST(LongChain, AnOrdinaryChainTakesOneRound)
{
    for (const int n : {1, 4, 12, 25}) {
        for (const ChainCase arrangement : arrangements) {
            for (const bool fanAtEnd : {false, true}) {
                if (arrangement == ChainCase::knownStartAndEndSide && n == 1) continue;
                if (fanAtEnd && n < 3) continue;
                const ChainPlan plan = noisyPlan(n, arrangement, 300u + n, fanAtEnd ? std::vector<int>{n} : std::vector<int>{});
                SCOPED_TRACE(described(plan));
                const ChainSurvey typed = testing::typedRecord(testing::makeChain(plan).answers);
                const ChainSurvey first = oneRound(typed);
                ChainSurvey job = typed;
                adjustFilledChain(job);
                EXPECT_EQ(job.adjustmentRounds, 1);
                EXPECT_EQ(job.routeX, first.routeX);
                EXPECT_EQ(job.routeY, first.routeY);
                EXPECT_EQ(job.correction, first.correction);
                EXPECT_EQ(job.mb, first.mb);
                EXPECT_EQ(job.invPx, first.invPx);
            }
        }
    }
}

// The misclosures of the adjusted values are those of the observed ones when
// nothing needed correcting: a noise-free chain closes on itself.
TEST(LongChain, AdjustedMisclosuresOfAnExactChainVanish)
{
    for (const ChainCase arrangement : arrangements) {
        ChainSurvey job = testing::typedRecord(testing::makeChain({.triangles = 12, .arrangement = arrangement, .seed = 41}).answers);
        adjustFilledChain(job);
        EXPECT_LT(largestMisclosure(job, adjustedMisclosures(job)), 1e-3);
    }
}

// The generated observations scatter about the truth: a spacer angle is as
// often too small as too large, so the triangle misclosures average out, and
// the chain is not stretched: what the sides leave along the chain at B grows
// like the square root of n, not like n.
TEST(SyntheticChain, NoiseIsUnbiased)
{
    const double sigma = 1.5;
    const ChainSurvey long6552 = testing::typedRecord(testing::makeChain(noisyPlan(maxTriangleCount, ChainCase::hangingOnA, 5)).answers);
    double sum = 0;
    for (int i = 1; i <= maxTriangleCount; ++i) sum += long6552.triangleMisclosure[i];
    // w has the standard deviation sqrt(3) sigma; the bias was 0.8 sigma.
    EXPECT_LT(std::fabs(sum / maxTriangleCount), 4 * std::sqrt(3.0) * sigma / std::sqrt(maxTriangleCount));

    // The provisional closing misclosure along the chain's heading of 30 deg.
    auto alongChainRMS = [](int n) {
        double squares = 0;
        const int seeds = 30;
        for (int seed = 1; seed <= seeds; ++seed) {
            ChainSurvey job = testing::typedRecord(testing::makeChain(noisyPlan(n, ChainCase::hangingOnA, 100u * n + seed)).answers);
            provisionalTraverse(job);
            closingMisclosures(job);
            const double along = job.misclosure[2 * n + 2] * std::cos(M_PI / 6) + job.misclosure[2 * n + 3] * std::sin(M_PI / 6);
            squares += along * along;
        }
        return std::sqrt(squares / seeds);
    };
    const double growth = std::log(alongChainRMS(1024) / alongChainRMS(64)) / std::log(16.0);
    EXPECT_NEAR(growth, 0.5, 0.15);
    std::cout << "the misclosure along the chain grows like n to the power " << growth << "\n";
}

}  // namespace
}  // namespace kestrane
