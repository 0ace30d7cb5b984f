// The program's sparse adjustment against the literal dense one: on a few
// hundred generated chains every member the adjustment writes must carry
// the same bits, and so every field and report line the same text.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>

#include "adjustment/adjustment_error.h"
#include "adjustment/conditions.h"
#include "adjustment/corrections.h"
#include "adjustment/misclosures.h"
#include "adjustment/normal_equations.h"
#include "adjustment/precision.h"
#include "dense_oracle.h"
#include "job/data_input_job.h"
#include "synthetic_chain.h"
#include "whole_job.h"

namespace kestrane {
namespace {

using testing::ChainPlan;

std::uint64_t bits(double value)
{
    return std::bit_cast<std::uint64_t>(value);
}

std::uint32_t bits(float value)
{
    return std::bit_cast<std::uint32_t>(value);
}

template <typename T>
void expectSameBits(const std::vector<T>& program, const std::vector<T>& oracle, const char* member)
{
    ASSERT_EQ(program.size(), oracle.size()) << member;
    for (std::size_t i = 0; i < program.size(); ++i)
        ASSERT_EQ(bits(program[i]), bits(oracle[i])) << member << "(" << i << "): " << program[i] << " vs " << oracle[i];
}

// Runs one adjustment to its end; returns why it stopped, or "" when it did not.
template <typename Adjust>
std::string finish(ChainSurvey& job, Adjust adjust)
{
    try {
        adjust();
    } catch (const AdjustmentError& error) {
        return error.what();
    }
    adjustedTraverse(job);
    assessPrecision(job);
    return {};
}

void compareWithOracle(const ChainPlan& plan)
{
    const int n = plan.triangles;
    SCOPED_TRACE("n = " + std::to_string(n) + ", case " + std::to_string(static_cast<int>(plan.arrangement)) +
                 ", seed " + std::to_string(plan.seed) + (plan.fans.empty() ? "" : ", with fans"));

    // Both start from the same record, with the misclosures of both groups formed.
    ChainSurvey program = testing::typedRecord(testing::makeChain(plan).answers);
    setWeights(program);
    sideAngleMisclosures(program);
    provisionalTraverse(program);
    closingMisclosures(program);
    ChainSurvey oracle = program;

    const std::string programStop = finish(program, [&] {
        formConditions(program);
        formNormalEquations(program);
        solveWeightReciprocalX(program);
        solveWeightReciprocalY(program);
        solveCorrelates(program);
        applyCorrections(program);
    });
    testing::DenseAdjustment dense;
    const std::string oracleStop = finish(oracle, [&] { testing::denseAdjust(oracle, dense); });
    ASSERT_EQ(programStop.empty(), oracleStop.empty()) << programStop << " / " << oracleStop;
    const bool programDone = programStop.empty();

    // The condition matrix: a coefficient written as -0 is not kept, and
    // neither zero changes a sum, so coefficients compare by value; every
    // figure computed from them compares by its bits.
    for (int row = 1; row <= 2 * n + 5; ++row)
        for (int column = 0; column <= 5 * n + 2; ++column)
            ASSERT_EQ(program.conditionMatrix(row, column), dense.conditionMatrix(row, column))
                << "a(" << row << ", " << column << ")";
    if (!programDone) return;
    // The first round, whatever rounds follow: where it is final, it is the
    // whole adjustment (LongChain.AnOrdinaryChainTakesOneRound).
    for (int j = 1; j <= 2 * n + 5; ++j) {
        for (int i = 1; i <= j; ++i) {
            ASSERT_EQ(bits(program.normalMatrix(i, j)), bits(dense.normalMatrix(i, j))) << "N(" << i << ", " << j << ")";
            ASSERT_EQ(bits(program.workMatrix(i, j)), bits(dense.workMatrix(i, j))) << "work(" << i << ", " << j << ")";
        }
    }
    expectSameBits(program.correlates, oracle.correlates, "correlates");
    expectSameBits(program.correction, oracle.correction, "correction");
    expectSameBits(program.angleA, oracle.angleA, "angleA");
    expectSameBits(program.angleB, oracle.angleB, "angleB");
    expectSameBits(program.angleC, oracle.angleC, "angleC");
    expectSameBits(program.sideLength, oracle.sideLength, "sideLength");
    expectSameBits(program.routeX, oracle.routeX, "routeX");
    expectSameBits(program.routeY, oracle.routeY, "routeY");
    expectSameBits(program.routeAzimuth, oracle.routeAzimuth, "routeAzimuth");
    for (const auto& [name, a, b] : {std::tuple{"qaDeg", program.qaDeg, oracle.qaDeg},
                                     {"sumVVAngles", program.sumVVAngles, oracle.sumVVAngles},
                                     {"sumPVVSides", program.sumPVVSides, oracle.sumPVVSides},
                                     {"invPx", program.invPx, oracle.invPx},
                                     {"invPy", program.invPy, oracle.invPy},
                                     {"weakestPointDistance", program.weakestPointDistance, oracle.weakestPointDistance}})
        EXPECT_EQ(bits(a), bits(b)) << name;
    for (const auto& [name, a, b] : {std::tuple{"mb", program.mb, oracle.mb}, {"ms", program.ms, oracle.ms},
                                     {"mx", program.mx, oracle.mx}, {"my", program.my, oracle.my},
                                     {"md", program.md, oracle.md}, {"M", program.relativeErrorM, oracle.relativeErrorM}})
        EXPECT_EQ(bits(a), bits(b)) << name;
}

TEST(SparseAdjustment, SameBitsAsTheDenseScheme)
{
    const ChainCase arrangements[] = {ChainCase::hangingOnA, ChainCase::knownStartSide,
                                      ChainCase::knownStartAndEndSide};
    int chains = 0;
    for (int n = 1; n <= 60; n += (n < 12 ? 1 : 3)) {
        for (const ChainCase arrangement : arrangements) {
            for (unsigned seed = 1; seed <= 3; ++seed) {
                ChainPlan plan{.triangles = n, .arrangement = arrangement, .seed = 1000 * seed + n,
                               .angleNoise = 2.5, .sideNoise = 0.005};
                if (seed == 2) plan.typedAzimuths = true;
                if (seed == 3 && n >= 3) plan.fans = {n / 2 + 1};  // one pair of equal spacer signs
                if (seed == 3 && n >= 8) plan.fans.push_back(n - 2);
                compareWithOracle(plan);
                ++chains;
                if (::testing::Test::HasFatalFailure()) return;
            }
        }
    }
    EXPECT_GE(chains, 250);
}

}  // namespace
}  // namespace kestrane
