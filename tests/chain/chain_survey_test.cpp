#include "chain/chain_survey.h"
#include "chain/rounding.h"

#include <gtest/gtest.h>

namespace kestrane {
namespace {

TEST(ChainBounds, SixteenBitLimit)
{
    EXPECT_FALSE(boundsFor(0));
    EXPECT_FALSE(boundsFor(-3));
    ASSERT_TRUE(boundsFor(maxTriangleCount));
    EXPECT_EQ(boundsFor(maxTriangleCount)->matrixColumns, 32765);
    EXPECT_FALSE(boundsFor(maxTriangleCount + 1));  // 5n + 5 = 32770 does not fit
    EXPECT_FALSE(boundsFor(40000));
}

TEST(ChainSurvey, BoundsForFourTriangles)
{
    ChainSurvey job;
    ASSERT_TRUE(job.size(4));
    EXPECT_EQ(job.triangleCount, 4);
    for (const auto* angles : {&job.angleA, &job.angleB, &job.angleC, &job.packedA, &job.packedB, &job.packedC})
        EXPECT_EQ(angles->size(), 5u);  // 0..4
    EXPECT_EQ(job.triangleMisclosure.size(), 5u);
    EXPECT_EQ(job.spacerSign.size(), 6u);  // 0..5
    EXPECT_EQ(job.pointName.size(), 6u);
    EXPECT_EQ(job.routeX.size(), 6u);
    EXPECT_EQ(job.routeY.size(), 6u);
    EXPECT_EQ(job.routeAzimuth.size(), 6u);
    EXPECT_EQ(job.sideLength.size(), 10u);  // 0..9
    EXPECT_EQ(job.observedSide.size(), 10u);
    EXPECT_EQ(job.misclosure.size(), 12u);  // 0..11
    EXPECT_EQ(job.correlates.size(), 12u);
    EXPECT_EQ(job.weightReciprocal.size(), 23u);  // 0..22
    EXPECT_EQ(job.correction.size(), 23u);
    EXPECT_EQ(job.conditionMatrix.rows(), 14);  // 0..13 by 0..25
    EXPECT_EQ(job.conditionMatrix.columns(), 26);
}

TEST(ChainSurvey, SecondSizingStartsFromZeroButKeepsScalars)
{
    ChainSurvey job;
    ASSERT_TRUE(job.size(5));
    job.angleA[3] = 45;
    job.pointName[6] = "B7";
    job.sideLength[11] = 300;
    job.conditionMatrix.set(2, 7, 1.5);
    job.conditionMatrix.finish();
    ASSERT_EQ(job.conditionMatrix(2, 7), 1.5);
    job.xe = TypedNumber::fromText("1000");
    job.meanSide = 250;

    ASSERT_TRUE(job.size(2));
    EXPECT_EQ(job.triangleCount, 2);
    EXPECT_EQ(job.angleA[2], 0);
    EXPECT_EQ(job.pointName[3], "");
    EXPECT_EQ(job.sideLength.size(), 6u);
    EXPECT_EQ(job.conditionMatrix(2, 7), 0);
    EXPECT_EQ(job.xe.text, "1000");
    EXPECT_EQ(job.meanSide, 250);
}

TEST(ChainSurvey, RefusedSizeChangesNothing)
{
    ChainSurvey job;
    ASSERT_TRUE(job.size(3));
    job.angleB[1] = 60;
    EXPECT_FALSE(job.size(maxTriangleCount + 1));
    EXPECT_EQ(job.triangleCount, 3);
    EXPECT_EQ(job.angleB[1], 60);
}

TEST(PointStates, GivenAbsentOrNeither)
{
    const auto zero = TypedNumber::fromText("0");
    const auto some = TypedNumber::fromText("1250.5");
    EXPECT_TRUE(isGiven(some, some));
    EXPECT_FALSE(isAbsent(some, some));
    EXPECT_TRUE(isAbsent(zero, zero));
    EXPECT_TRUE(isAbsent(TypedNumber::fromText("0.000"), TypedNumber::fromText("-0")));
    EXPECT_FALSE(isGiven(zero, some));
    EXPECT_FALSE(isAbsent(zero, some));
    EXPECT_FALSE(isGiven(some, zero));
    EXPECT_FALSE(isAbsent(some, zero));
}

TEST(RoundHalfEven, Integers)
{
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(3.5), 4);
    EXPECT_EQ(roundHalfEven(4.5), 4);
    EXPECT_EQ(roundHalfEven(5.5), 6);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(roundHalfEven(2.4999999), 2);
    EXPECT_EQ(roundHalfEven(2.5000001), 3);
}

}  // namespace
}  // namespace kestrane
