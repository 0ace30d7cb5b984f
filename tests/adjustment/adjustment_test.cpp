// The adjustment of whole jobs on chains with known truth.
#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

#include "adjustment/conditions.h"
#include "adjustment/corrections.h"
#include "adjustment/misclosures.h"
#include "adjustment/normal_equations.h"
#include "adjustment/precision.h"
#include "adjustment/second_group_rounds.h"
#include "dense_oracle.h"
#include "job/adjustment_display.h"
#include "job/data_input_job.h"
#include "scripted_io.h"
#include "synthetic_chain.h"

namespace kestrane {
namespace {

using testing::ChainPlan;
using testing::ScriptedIo;
using testing::SyntheticChain;

const ChainCase arrangements[] = {ChainCase::hangingOnA, ChainCase::knownStartSide, ChainCase::knownStartAndEndSide};

struct AdjustedJob {
    SyntheticChain chain;
    ChainSurvey job;
    ScriptedIo io;
    JobOutcome outcome;
};

// Runs the whole job of the chain. The literal metre unit of the side
// corrections is only in the dense scheme of the tests: the input is typed,
// and that scheme adjusts the record.
std::unique_ptr<AdjustedJob> adjust(const ChainPlan& plan, testing::SideUnit unit = testing::SideUnit::millimetres)
{
    auto run = std::make_unique<AdjustedJob>();
    run->chain = testing::makeChain(plan);
    for (const auto& answer : run->chain.answers) run->io.add(answer);
    if (unit == testing::SideUnit::millimetres) {
        run->outcome = runDataInputJob(run->job, run->io, run->io);
    } else {
        Dialogue dialogue(run->io, run->io);
        ChainSurvey& job = run->job;
        inputJob(job, dialogue);
        setWeights(job);
        sideAngleMisclosures(job);
        provisionalTraverse(job);
        closingMisclosures(job);
        testing::DenseAdjustment dense;
        testing::denseAdjust(job, dense, unit);
        adjustedTraverse(job);
        assessPrecision(job);
    }
    return run;
}

// Largest distance between an adjusted route point and the truth, metres.
double largestPointError(const AdjustedJob& run)
{
    double largest = 0;
    for (const int i : testing::adjustedPoints(run.chain.plan))
        largest = std::max(largest, std::hypot(run.job.routeX[i] - run.chain.truth[i].x,
                                               run.job.routeY[i] - run.chain.truth[i].y));
    return largest;
}

double rmsPointError(const AdjustedJob& run)
{
    double sum = 0;
    const auto points = testing::adjustedPoints(run.chain.plan);
    for (const int i : points)
        sum += std::pow(run.job.routeX[i] - run.chain.truth[i].x, 2) + std::pow(run.job.routeY[i] - run.chain.truth[i].y, 2);
    return std::sqrt(sum / points.size());
}

TEST(Adjustment, NoiseFreeChainsCloseOnTheTruth)
{
    for (const ChainCase arrangement : arrangements) {
        const int first = arrangement == ChainCase::knownStartAndEndSide ? 2 : 1;
        for (int n = first; n <= 30; ++n) {
            const auto run = adjust({.triangles = n, .arrangement = arrangement, .seed = static_cast<unsigned>(n)});
            const auto& job = run->job;
            SCOPED_TRACE("case " + std::to_string(static_cast<int>(arrangement)) + ", n = " + std::to_string(n));
            ASSERT_EQ(run->outcome.end, JobEnd::done) << run->outcome.reason;
            ASSERT_TRUE(run->io.allAnswered());
            for (int j = 1; j <= 2 * n; ++j) EXPECT_NEAR(job.misclosure[j], 0, 1e-6) << "side-angle " << j;
            EXPECT_NEAR(job.misclosure[2 * n + 1], 0, 1e-4);
            EXPECT_NEAR(job.misclosure[2 * n + 2], 0, 1e-5);
            EXPECT_NEAR(job.misclosure[2 * n + 3], 0, 1e-5);
            EXPECT_LT(largestPointError(*run), 1e-4);
        }
    }
}

// A.v + W = 0 for every condition of the second group, and the first group
// untouched: each triangle's adjusted angles still sum to 180 degrees.
TEST(Adjustment, NoisyChainsMeetEveryCondition)
{
    for (const ChainCase arrangement : arrangements) {
        for (const int n : {2, 3, 7, 16}) {
            const auto run = adjust({.triangles = n, .arrangement = arrangement, .seed = 100u + n,
                                     .angleNoise = 3, .sideNoise = 0.005});
            const auto& job = run->job;
            SCOPED_TRACE("case " + std::to_string(static_cast<int>(arrangement)) + ", n = " + std::to_string(n));
            ASSERT_EQ(run->outcome.end, JobEnd::done) << run->outcome.reason;
            // Up to the rounding of w(i) to single precision (~1e-6 seconds).
            for (int i = 1; i <= n; ++i)
                EXPECT_NEAR(job.angleA[i] + job.angleB[i] + job.angleC[i], 180, 1e-9) << "triangle " << i;
            // A job of further rounds leaves the conditions of its last round in
            // the record; its adjusted values meet the conditions themselves.
            if (job.adjustmentRounds > 1) {
                EXPECT_LE(largestMisclosure(job, adjustedMisclosures(job, exactDegToRad)), roundClosingTolerance);
            }
            for (int j = 1; j <= 2 * n + 3 && job.adjustmentRounds == 1; ++j) {
                double av = 0, scale = std::fabs(job.misclosure[j]);
                for (int k = 0; k <= 5 * n + 2; ++k) {
                    av += job.conditionMatrix(j, k) * job.correction[k];
                    scale += std::fabs(job.conditionMatrix(j, k) * job.correction[k]);
                }
                EXPECT_NEAR(av + job.misclosure[j], 0, 1e-9 * scale + 1e-12) << "condition " << j;
            }
            EXPECT_LT(largestPointError(*run), 0.05);
            EXPECT_GT(job.mb, 0);
        }
    }
}

// Side corrections in millimetres give the sides the weight their own
// reciprocal says. In the old metre units every side weighed a million times
// less: the adjusted points lay further from the truth, and mb fell well below
// the noise the angles were observed with.
TEST(Adjustment, SideCorrectionsInMillimetresMatchTheirWeight)
{
    const double angleNoise = 1.5;                        // seconds
    const double sideNoise = angleNoise * 800 / 206265;   // metres, as q_s expects over ~800 m sides
    double errorMillimetres = 0, errorMetres = 0, mbMillimetres = 0, mbMetres = 0;
    const int chains = 24;
    for (int seed = 1; seed <= chains; ++seed) {
        const ChainPlan plan{.triangles = 10, .seed = 500u + seed, .angleNoise = angleNoise, .sideNoise = sideNoise};
        const auto mended = adjust(plan, testing::SideUnit::millimetres);
        const auto literal = adjust(plan, testing::SideUnit::metres);
        errorMillimetres += rmsPointError(*mended);
        errorMetres += rmsPointError(*literal);
        mbMillimetres += mended->job.mb;
        mbMetres += literal->job.mb;
    }
    EXPECT_LT(errorMillimetres * 1.15, errorMetres);
    EXPECT_NEAR(mbMillimetres / chains, angleNoise, 0.35);
    EXPECT_LT(mbMetres / chains, 0.8 * angleNoise);
}

TEST(Conditions, WeakestPoint)
{
    EXPECT_EQ(weakestPoint(1), 1);
    EXPECT_EQ(weakestPoint(2), 2);
    EXPECT_EQ(weakestPoint(3), 2);
    EXPECT_EQ(weakestPoint(4), 3);
    EXPECT_EQ(weakestPoint(5), 3);
}

TEST(Conditions, RowsOfEachArrangement)
{
    for (const ChainCase arrangement : arrangements) {
        const int n = 5;
        const auto run = adjust({.triangles = n, .arrangement = arrangement, .seed = 7, .angleNoise = 2,
                                 .sideNoise = 0.004});
        const auto& a = run->job.conditionMatrix;
        const auto& s = run->job.spacerSign;
        SCOPED_TRACE(static_cast<int>(arrangement));
        for (int i = 1; i <= n; ++i) {
            for (const int row : {2 * i - 1, 2 * i})
                EXPECT_NEAR(a(row, 3 * i - 2) + a(row, 3 * i - 1) + a(row, 3 * i), 0, 1e-18);
            EXPECT_EQ(a(2 * n + 1, 3 * i - 2), -s[i] / 3.0);
            EXPECT_EQ(a(2 * n + 1, 3 * i - 1), -s[i] / 3.0);
            EXPECT_EQ(a(2 * n + 1, 3 * i), 2 * s[i] / 3.0);
        }
        const bool hanging = arrangement == ChainCase::hangingOnA;
        EXPECT_EQ(a(2 * n + 1, 0), hanging ? s[0] : 0);
        EXPECT_EQ(a(2 * n + 1, 5 * n + 2), arrangement == ChainCase::knownStartAndEndSide ? 0 : s[n + 1]);
        if (hanging) {
            EXPECT_NE(s[0], 0);
        }

        for (int row = 1; row <= 2 * n + 5; ++row) {
            if (arrangement != ChainCase::hangingOnA) {
                EXPECT_EQ(a(row, 3 * n + 1), 0) << "S(1) fixed, row " << row;
            }
            if (arrangement == ChainCase::knownStartAndEndSide) {
                EXPECT_EQ(a(row, 5 * n + 1), 0) << "S(2n+1) fixed, row " << row;
            }
        }
        // The weakest point P(3): legs 1 and 2 in the weight functions, with
        // the coordinate rows' side terms times 1000 (millimetre corrections).
        for (const int k : {3 * n + 3, 3 * n + 5}) {
            EXPECT_NEAR(a(2 * n + 4, k), 1000 * a(2 * n + 2, k), 1e-12);
            EXPECT_NEAR(a(2 * n + 5, k), 1000 * a(2 * n + 3, k), 1e-12);
            EXPECT_NE(a(2 * n + 4, k), 0);
        }
        EXPECT_EQ(a(2 * n + 4, 3 * n + 7), 0);
        EXPECT_EQ(a(2 * n + 4, 3 * 3), 0);  // no angle term beyond leg K - 1
    }
}

TEST(Conditions, SingleTriangleWeightFunctions)
{
    const auto hanging = adjust({.triangles = 1, .seed = 3, .angleNoise = 2});
    const auto& a = hanging->job.conditionMatrix;
    // n = 1: K = 1, only the Qa and S(1) terms, in rows 6 and 7.
    for (int k = 0; k <= 7; ++k) {
        const bool expected = k == 0 || k == 4;
        EXPECT_EQ(a(6, k) != 0, expected) << k;
        EXPECT_EQ(a(7, k) != 0, expected) << k;
    }
    const auto knownStart = adjust({.triangles = 1, .arrangement = ChainCase::knownStartSide, .seed = 3, .angleNoise = 2});
    for (int k = 0; k <= 7; ++k) EXPECT_EQ(knownStart->job.conditionMatrix(6, k), 0) << k;
    EXPECT_EQ(knownStart->outcome.end, JobEnd::done);
}

TEST(NormalEquations, IdentitySystem)
{
    const int n = 1, order = 2 * n + 5, rhs = 2 * n + 4;
    std::vector<int> wholeColumns(order + 1, 1);
    wholeColumns[0] = 0;
    EnvelopeMatrix normal(wholeColumns);
    for (int i = 1; i <= order; ++i) normal.at(i, i) = 1;
    const double r[] = {0, 0.5, -2, 3, 0.25, 1.5};  // r(1..5)
    for (int i = 1; i <= 2 * n + 3; ++i) normal.at(i, rhs) = r[i];
    EnvelopeMatrix work = normal;
    std::vector<double> x(2 * n + 4);
    const double returned = add(normal, work, n, rhs, x);
    double sumOfSquares = 0;
    for (int i = 1; i <= 2 * n + 3; ++i) {
        EXPECT_EQ(x[i], -r[i]);
        sumOfSquares += r[i] * r[i];
    }
    EXPECT_EQ(returned, -sumOfSquares);
}

TEST(NormalEquations, WeightReciprocalsOfTheWeakestPoint)
{
    for (const ChainCase arrangement : arrangements) {
        for (const int n : {3, 6, 11}) {
            const auto run = adjust({.triangles = n, .arrangement = arrangement, .seed = 40u + n, .angleNoise = 2,
                                     .sideNoise = 0.004});
            const auto& job = run->job;
            ASSERT_EQ(run->outcome.end, JobEnd::done);
            // Reducing by the conditions never raises a weight reciprocal.
            EXPECT_GT(job.invPx, 0);
            EXPECT_GT(job.invPy, 0);
            EXPECT_LE(job.invPx, job.normalMatrix(2 * n + 4, 2 * n + 4));
            EXPECT_LE(job.invPy, job.normalMatrix(2 * n + 5, 2 * n + 5));
        }
    }
    // C and D given with n = 2: the weakest point P(2) is D itself, fixed by
    // the conditions.
    const auto fixed = adjust({.triangles = 2, .arrangement = ChainCase::knownStartAndEndSide, .seed = 9,
                               .angleNoise = 2, .sideNoise = 0.004});
    ASSERT_EQ(fixed->outcome.end, JobEnd::done);
    EXPECT_GE(fixed->job.invPx, 0);
    EXPECT_LT(fixed->job.invPx, 1e-6);
    EXPECT_LT(fixed->job.invPy, 1e-6);
}

TEST(Precision, FiguresFollowFromTheSums)
{
    for (const int n : {2, 5}) {
        const auto run = adjust({.triangles = n, .seed = 60u + n, .angleNoise = 2, .sideNoise = 0.005});
        const auto& job = run->job;
        ASSERT_EQ(run->outcome.end, JobEnd::done);
        const double divisor = n == 2 ? 9 : 18;
        EXPECT_EQ(job.mb, static_cast<float>(std::sqrt((job.sumPVVSides + job.sumVVAngles) / divisor)));
        EXPECT_EQ(job.ms, static_cast<float>(double(job.mb) * std::sqrt(job.sideWeightReciprocal)));
        EXPECT_EQ(job.md, static_cast<float>(std::hypot(double(job.mx), double(job.my))));
        EXPECT_EQ(job.relativeErrorM, std::trunc(static_cast<float>(std::trunc(1000 * job.weakestPointDistance / job.md))));
        EXPECT_EQ(run->io.fields[Field::weakestPointRelative], " 1/" + std::to_string(static_cast<long>(job.relativeErrorM)));
        const int K = weakestPoint(n);
        EXPECT_DOUBLE_EQ(job.weakestPointDistance,
                         std::hypot(job.routeX[K] - job.xa.value, job.routeY[K] - job.ya.value));
    }
}

// Observations that need no correction at all: mb and md are 0 and the
// relative error cannot be formed.
TEST(Precision, NoCorrectionsLeaveTheRelativeErrorEmpty)
{
    ChainSurvey job;
    job.size(2);
    job.sideWeightReciprocal = 9;
    job.invPx = 2;
    job.invPy = 3;
    job.routeX[2] = 300;
    ScriptedIo io;
    assessPrecision(job);
    showPrecision(job, io);
    EXPECT_EQ(job.mb, 0);
    EXPECT_EQ(job.md, 0);
    EXPECT_EQ(job.weakestPointDistance, 300);
    EXPECT_EQ(io.fields[Field::mb], " 0 秒");
    EXPECT_EQ(io.fields[Field::ms], " 0.00 毫米");
    EXPECT_EQ(io.fields[Field::weakestPointMd], " 0.00 毫米");
    EXPECT_EQ(io.fields[Field::weakestPointRelative], "");
}

TEST(Precision, Displays)
{
    ChainSurvey job;
    job.size(1);
    job.sumVVAngles = 2.5 * 2.5 * 6;  // mb = 2.5 over 6 conditions
    job.sideWeightReciprocal = 0.64;  // ms = 2
    job.invPx = 1;
    job.invPy = 0;
    job.routeX[1] = 25.4319;          // 1000 D / md = 10172.76
    ScriptedIo io;
    assessPrecision(job);
    showPrecision(job, io);
    EXPECT_EQ(io.fields[Field::mb], " 2.5 秒");
    EXPECT_EQ(io.fields[Field::ms], " 2.00 毫米");
    EXPECT_EQ(io.fields[Field::weakestPointMx], " 2.50 毫米");
    EXPECT_EQ(io.fields[Field::weakestPointMy], " 0.00 毫米");
    EXPECT_EQ(io.fields[Field::weakestPointRelative], " 1/10172");  // truncated, not rounded
}

TEST(Weights, SideWeightReciprocal)
{
    ChainSurvey job;
    job.size(1);
    job.meanSide = 206.265;
    job.angleTolerance = TypedNumber::fromText("2.5");
    setWeights(job);
    EXPECT_DOUBLE_EQ(job.sideWeightReciprocal, 1);
    job.angleTolerance = TypedNumber::fromText("0");  // the closed form, which needs no tolerance
    setWeights(job);
    EXPECT_DOUBLE_EQ(job.sideWeightReciprocal, 1);
    EXPECT_EQ(job.weightReciprocal[0], 1);
    EXPECT_EQ(job.weightReciprocal[4], 1);  // S(1)
    EXPECT_EQ(job.weightReciprocal[7], 1);  // Qb
    job.meanSide = 412.53;
    setWeights(job);
    EXPECT_DOUBLE_EQ(job.sideWeightReciprocal, 4);
}

// A closing azimuth a hair west of north, computed a hair east of it: the
// misclosure is seconds, not a whole turn.
TEST(Misclosures, AzimuthAcrossNorth)
{
    const auto run = adjust({.triangles = 4, .seed = 5, .closingBearing = 360 - 1.0 / 3600, .qbOffset = 3});
    ASSERT_EQ(run->outcome.end, JobEnd::done);
    const int n = 4;
    EXPECT_NEAR(run->job.misclosure[2 * n + 1], 3, 1e-3);
    EXPECT_EQ(run->io.fields[Field::azimuthMisclosure], " 3.00 秒");
    EXPECT_LT(largestPointError(*run), 0.01);
}

TEST(Stops, KnownEndsWithoutACoordinateLeg)
{
    for (const int n : {1, 2}) {
        ScriptedIo io;
        ChainSurvey job;
        auto chain = testing::makeChain({.triangles = n, .arrangement = ChainCase::knownStartAndEndSide, .seed = 2});
        if (n == 2) {
            // Both spacer angles on the same side of the route.
            auto& answers = chain.answers;
            for (std::size_t i = 0; i < answers.size(); ++i)
                if (answers[i].rfind("-", 0) == 0) answers[i].erase(0, 1);
        }
        for (const auto& answer : chain.answers) io.add(answer);
        const auto outcome = runDataInputJob(job, io, io);
        EXPECT_EQ(outcome.end, JobEnd::stopped) << n;
        EXPECT_NE(outcome.reason.find("C、D 都是已知点"), std::string::npos);
        EXPECT_EQ(io.events.back(), "warn " + outcome.reason);
        EXPECT_EQ(io.fields.count(Field::weakestPointInvPx), 0u);  // stopped before the normal equations
        EXPECT_NE(io.fields[Field::yMisclosure], "");         // after the misclosures
    }
}

TEST(Stops, DependentConditions)
{
    // Every spacer angle typed 0: no sign, no azimuth condition at all.
    auto chain = testing::makeChain({.triangles = 4, .arrangement = ChainCase::knownStartAndEndSide, .seed = 2});
    ScriptedIo io;
    ChainSurvey job;
    int angle = 0;
    bool inAngles = false;
    for (std::size_t i = 0; i < chain.answers.size(); ++i) {
        std::string answer = chain.answers[i];
        if (answer == "P5" ) inAngles = true;  // B's name comes last before the angles
        else if (inAngles && !answer.empty() && angle < 12) {
            if (++angle % 3 == 0) answer = "0";
        }
        io.add(answer);
    }
    const auto outcome = runDataInputJob(job, io, io);
    EXPECT_EQ(outcome.end, JobEnd::stopped);
    EXPECT_NE(outcome.reason.find("法方程无法求解"), std::string::npos);
    for (const auto& [field, text] : io.fields) {
        EXPECT_EQ(text.find("nan"), std::string::npos) << windowId(field);
        EXPECT_EQ(text.find("inf"), std::string::npos) << windowId(field);
    }
}

}  // namespace
}  // namespace kestrane
