// Long noisy chains: one linearisation of the second group leaves the closing
// point off its given coordinates; the further rounds bring it home.
#include <gtest/gtest.h>

#include <cmath>
#include <iostream>

#include "adjustment/conditions.h"
#include "adjustment/corrections.h"
#include "adjustment/misclosures.h"
#include "adjustment/normal_equations.h"
#include "adjustment/precision.h"
#include "adjustment/second_group_rounds.h"
#include "job/data_input_job.h"
#include "synthetic_chain.h"
#include "whole_job.h"

namespace kestrane {
namespace {

using testing::adjustFilledChain;
using testing::ChainPlan;

// Angles 1.5", sides 3 mm + 2 ppm of the generated chains' ~800 m.
ChainPlan noisyPlan(int n, ChainCase arrangement, unsigned seed)
{
    return {.triangles = n, .arrangement = arrangement, .seed = seed, .angleNoise = 1.5, .sideNoise = 0.0046};
}

ChainSurvey typedRecord(const ChainPlan& plan)
{
    return testing::typedRecord(testing::makeChain(plan).answers);
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

// Distance in metres of the closing point as shown (B, or the computed D
// when D is known) from the coordinates typed for it.
double closingPointOffset(const ChainSurvey& job)
{
    const int n = job.triangleCount;
    if (dGiven(job)) return std::hypot(job.routeX[n] - job.xd.value, job.routeY[n] - job.yd.value);
    return std::hypot(job.routeX[n + 1] - job.xb.value, job.routeY[n + 1] - job.yb.value);
}

double pvv(const ChainSurvey& job)
{
    return job.sumVVAngles + job.sumPVVSides;
}

// The largest change of a correction (seconds or millimetres) that one more
// round, linearised at the adjusted values, would make.
double largestChangeInAnotherRound(ChainSurvey job)
{
    const std::vector<double> before = job.correction;
    solveAtAdjustedValues(job, adjustedMisclosures(job));
    applyCorrections(job);
    double largest = 0;
    for (std::size_t k = 0; k < before.size(); ++k) largest = std::max(largest, std::fabs(job.correction[k] - before[k]));
    return largest;
}

const ChainCase arrangements[] = {ChainCase::hangingOnA, ChainCase::knownStartSide,
                                  ChainCase::knownStartAndEndSide};

TEST(LongChain, ClosesOnItsKnownPointInFurtherRounds)
{
    for (const int n : {200, 500, 1000}) {
        for (const ChainCase arrangement : arrangements) {
            SCOPED_TRACE("n = " + std::to_string(n) + ", case " + std::to_string(static_cast<int>(arrangement)));
            const ChainSurvey typed = typedRecord(noisyPlan(n, arrangement, 7000u + n + static_cast<unsigned>(arrangement)));
            const ChainSurvey first = oneRound(typed);
            ChainSurvey job = typed;
            adjustFilledChain(job);
            if (n == 1000) {
                EXPECT_GT(job.adjustmentRounds, 1);
            }
            EXPECT_LT(closingPointOffset(job), 0.0005);
            EXPECT_LE(largestMisclosure(job, adjustedMisclosures(job)), roundClosingTolerance);
            // The total correction minimises [pvv] on the conditions themselves:
            // linearised once more at the adjusted values, they give it back.
            // (The first round's [pvv] may be smaller: its values do not
            // satisfy the conditions, only their first linearisation.)
            const double change = largestChangeInAnotherRound(job);
            EXPECT_LT(change, 0.01);
            std::cout << "n = " << n << ", case " << static_cast<int>(arrangement) << ": " << job.adjustmentRounds
                      << " rounds; closing point off by " << 1000 * closingPointOffset(first) << " mm after one, "
                      << 1000 * closingPointOffset(job) << " mm after all; [pvv] " << pvv(first) << " -> "
                      << pvv(job) << "; another round would change a correction by " << change << "\n";
        }
    }
}

// A chain of the size a survey office meets every day closes after the
// first round and keeps every bit of it; also when its last triangle fans
// about the station before it, where a chain closing on D has D at P(n-1).
TEST(LongChain, AnOrdinaryChainTakesOneRound)
{
    for (const int n : {1, 4, 25, 60}) {
        for (const ChainCase arrangement : arrangements) {
            for (const bool fanAtEnd : {false, true}) {
                if (arrangement == ChainCase::knownStartAndEndSide && n == 1) continue;
                if (fanAtEnd && n < 3) continue;
                SCOPED_TRACE("n = " + std::to_string(n) + ", case " + std::to_string(static_cast<int>(arrangement)) +
                             (fanAtEnd ? ", fan at the end" : ""));
                ChainPlan plan = noisyPlan(n, arrangement, 300u + n);
                if (fanAtEnd) plan.fans = {n};
                const ChainSurvey typed = typedRecord(plan);
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
        ChainSurvey job = typedRecord({.triangles = 12, .arrangement = arrangement, .seed = 41});
        adjustFilledChain(job);
        EXPECT_LT(largestMisclosure(job, adjustedMisclosures(job)), 1e-3);
    }
}

}  // namespace
}  // namespace kestrane
