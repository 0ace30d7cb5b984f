// The plan of the network plot, checked against the adjusted observations
// of generated chains: each side drawn as long as its adjusted length, each
// triangle's angles as adjusted and turning the way the spacer sign says,
// zigzags and fans alike, and the orientation angles at A and B.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "analysis/network_geometry.h"
#include "chain/angles.h"
#include "synthetic_chain.h"
#include "whole_job.h"

namespace kestrane {
namespace {

using testing::ChainPlan;

constexpr double sideTolerance = 0.002;   // metres
constexpr double angleTolerance = 0.5;    // seconds

double distance(PlanPoint a, PlanPoint b)
{
    return std::hypot(b.x - a.x, b.y - a.y);
}

double azimuth(PlanPoint from, PlanPoint to)
{
    return azimuthOf(to.x - from.x, to.y - from.y);
}

// The turn from one azimuth to another, clockwise positive, in seconds within (-648000, 648000].
double turnSeconds(double from, double to)
{
    double turn = (to - from) * secondsPerDegree;
    while (turn > 180 * secondsPerDegree) turn -= 360 * secondsPerDegree;
    while (turn <= -180 * secondsPerDegree) turn += 360 * secondsPerDegree;
    return turn;
}

// The angle of a place, clockwise from its first ray to its second, seconds.
double placeTurn(const ObservationPlace& place)
{
    return turnSeconds(azimuth(place.vertex, place.first), azimuth(place.vertex, place.second));
}

std::pair<int, int> unordered(std::pair<int, int> side)
{
    return {std::min(side.first, side.second), std::max(side.first, side.second)};
}

struct Case {
    ChainPlan plan;
    const char* what;
};

const Case cases[] = {
    {{.triangles = 1, .seed = 3, .angleNoise = 2, .sideNoise = 0.004}, "one triangle"},
    {{.triangles = 6, .seed = 5, .angleNoise = 2, .sideNoise = 0.004, .typedAzimuths = true}, "zigzag, typed azimuths"},
    {{.triangles = 9, .arrangement = ChainCase::knownStartSide, .seed = 8, .angleNoise = 2, .sideNoise = 0.004},
     "zigzag from a known side"},
    {{.triangles = 8, .arrangement = ChainCase::knownStartAndEndSide, .seed = 9, .angleNoise = 2, .sideNoise = 0.004},
     "zigzag between known sides"},
    {{.triangles = 9, .seed = 11, .angleNoise = 2, .sideNoise = 0.004, .fans = {3, 4, 7}}, "fans"},
    {{.triangles = 7, .arrangement = ChainCase::knownStartSide, .seed = 12, .angleNoise = 2, .sideNoise = 0.004,
      .fans = {2, 6}}, "fans from a known side"},
    {{.triangles = 10, .arrangement = ChainCase::knownStartAndEndSide, .seed = 13, .angleNoise = 2, .sideNoise = 0.004,
      .fans = {4, 5}}, "fans between known sides"},
    {{.triangles = 6, .arrangement = ChainCase::knownStartAndEndSide, .seed = 14, .angleNoise = 2, .sideNoise = 0.004,
      .fans = {6}}, "a fan at the known closing side"},
};

TEST(NetworkGeometry, SidesAndAnglesAreTheAdjustedOnes)
{
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const int n = c.plan.triangles;
        const auto job = testing::finishedRecord(testing::makeChain(c.plan).answers);
        const NetworkGeometry g = networkGeometry(*job);
        ASSERT_EQ(g.points.size(), static_cast<std::size_t>(n + 2));
        ASSERT_EQ(g.triangles.size(), static_cast<std::size_t>(n));
        ASSERT_EQ(g.sides.size(), static_cast<std::size_t>(2 * n + 1));

        // Every side once, joining two different points; S(2i-1), S(2i),
        // S(2i+1) are the three sides of triangle i.
        std::set<std::pair<int, int>> distinct;
        for (const auto& side : g.sides) {
            EXPECT_NE(side.first, side.second);
            distinct.insert(unordered(side));
        }
        EXPECT_EQ(distinct.size(), g.sides.size());
        for (int i = 1; i <= n; ++i) {
            const NetworkTriangle& t = g.triangles[i - 1];
            const std::set<std::pair<int, int>> own{unordered({t.distanceVertex, t.spacerVertex}),
                                                    unordered({t.distanceVertex, t.forwardVertex}),
                                                    unordered({t.spacerVertex, t.forwardVertex})};
            const std::set<std::pair<int, int>> listed{unordered(g.sides[2 * i - 2]), unordered(g.sides[2 * i - 1]),
                                                       unordered(g.sides[2 * i])};
            EXPECT_EQ(own, listed) << "triangle " << i;
        }

        // Drawn as adjusted: a known side has no observation to compare with.
        for (int k = 1; k <= 2 * n + 1; ++k) {
            if ((k == 1 && cGiven(*job)) || (k == 2 * n + 1 && dGiven(*job))) continue;
            const auto [from, to] = g.sides[k - 1];
            EXPECT_NEAR(distance(g.points[from], g.points[to]), job->sideLength[k], sideTolerance) << "S" << k;
        }
        for (int i = 1; i <= n; ++i) {
            const double a = placeTurn(observationPlace(g, {ObservationKind::angleA, i}));
            const double b = placeTurn(observationPlace(g, {ObservationKind::angleB, i}));
            const double spacer = placeTurn(observationPlace(g, {ObservationKind::angleC, i}));
            EXPECT_NEAR(std::fabs(a), job->angleA[i] * secondsPerDegree, angleTolerance) << "A" << i;
            EXPECT_NEAR(std::fabs(b), job->angleB[i] * secondsPerDegree, angleTolerance) << "B" << i;
            // C turns from U to W the way its sign says.
            EXPECT_NEAR(spacer, job->spacerSign[i] * job->angleC[i] * secondsPerDegree, angleTolerance) << "C" << i;
        }
        EXPECT_EQ(g.knownSides.empty(), !cGiven(*job) && !dGiven(*job));
        // The known sides are S(1) = A-C and S(2n+1) = D-B, D on its station.
        std::vector<std::pair<int, int>> known;
        if (cGiven(*job)) known.push_back(g.sides.front());
        if (dGiven(*job)) known.push_back(g.sides.back());
        EXPECT_EQ(g.knownSides, known);
    }
}

// Qa turns at A from the start orientation to P(1); Qb at B from the
// observed side to the closing orientation, each by its signed adjusted
// value. Orientation points stand where they were typed.
TEST(NetworkGeometry, OrientationAnglesAtTheEnds)
{
    for (const bool typed : {false, true}) {
        const int n = 5;
        const auto job = testing::finishedRecord(
            testing::makeChain({.triangles = n, .seed = 21, .angleNoise = 2, .sideNoise = 0.004, .typedAzimuths = typed,
                                .fans = {3}}).answers);
        const NetworkGeometry g = networkGeometry(*job);
        EXPECT_EQ(g.startOrientationPoint.has_value(), !typed);
        EXPECT_EQ(g.closingOrientationPoint.has_value(), !typed);
        if (!typed) {
            EXPECT_EQ(g.startOrientationPoint->x, job->xe.value);
            EXPECT_EQ(g.closingOrientationPoint->y, job->yf.value);
        }
        ASSERT_TRUE(g.startAzimuth && g.closingAzimuth);
        EXPECT_EQ(*g.startAzimuth, job->taDeg);

        EXPECT_NEAR(placeTurn(observationPlace(g, {ObservationKind::startOrientation})), job->qaDeg * secondsPerDegree,
                    angleTolerance);
        const double qb = job->qbDeg * secondsPerDegree + job->spacerSign[n + 1] * job->correction[5 * n + 2];
        EXPECT_NEAR(placeTurn(observationPlace(g, {ObservationKind::closingOrientation})), qb, angleTolerance);
    }
}

TEST(NetworkGeometry, RoundNumbersForTheScales)
{
    const struct {
        double x, rounded;
    } table[] = {{1, 1}, {1.99, 1}, {2, 2}, {4.999999999999, 5}, {7, 5}, {9.99, 5}, {10, 10}, {0.0734, 0.05},
                 {0.02, 0.02}, {1234, 1000}, {2.5e7, 2e7}, {6.1e-5, 5e-5}};
    for (const auto& row : table) EXPECT_DOUBLE_EQ(roundDownTo125(row.x), row.rounded) << row.x;

    // The largest ellipse is drawn a quarter of the mean side long at most,
    // and no more than a 1-2-5 step shorter.
    for (const double semiAxis : {0.013, 0.4, 1.0, 2.7, 9.9, 55.0}) {
        for (const double side : {120.0, 780.0, 4321.0}) {
            const double drawn = semiAxis / 1000 * ellipseEnlargement(semiAxis, side);
            EXPECT_LE(drawn, side / 4 * (1 + 1e-12)) << semiAxis << " " << side;
            EXPECT_GT(drawn, side / 4 / 2.5) << semiAxis << " " << side;
        }
    }
    EXPECT_EQ(ellipseEnlargement(0, 780), 1);
    EXPECT_EQ(ellipseEnlargement(1e6, 780), 1);  // already larger than the network: drawn as they are
}

}  // namespace
}  // namespace kestrane
