#include "analysis/network_geometry.h"

#include <cmath>

#include "chain/angles.h"
#include "chain/units.h"

namespace kestrane {
namespace {

// The longest semi-axis drawn, as a share of the mean side.
constexpr double ellipseShareOfSide = 0.25;

// Qa: from the start orientation (E, or Ta) to P(1), at A.
ObservationPlace startOrientationPlace(const NetworkGeometry& g)
{
    const PlanPoint a = g.points.front();
    const PlanPoint orientation = g.startOrientationPoint.value_or(pointAlong(a, g.startAzimuth.value_or(0), g.meanSide));
    return {false, a, orientation, g.points[1]};
}

// Qb: from the observed side B -> V(n) to the closing orientation (F, or Tb), at B.
ObservationPlace closingOrientationPlace(const NetworkGeometry& g)
{
    const PlanPoint b = g.points.back();
    const PlanPoint orientation = g.closingOrientationPoint.value_or(pointAlong(b, g.closingAzimuth.value_or(0), g.meanSide));
    return {false, b, g.points[g.triangles.back().spacerVertex], orientation};
}

}  // namespace

PlanPoint pointAlong(PlanPoint from, double azimuth, double distance)
{
    return {from.x + distance * std::cos(azimuth * degToRad), from.y + distance * std::sin(azimuth * degToRad)};
}

NetworkGeometry networkGeometry(const ChainSurvey& job)
{
    const int n = job.triangleCount;
    NetworkGeometry g;
    for (int j = 0; j <= n + 1; ++j) g.points.push_back({job.routeX[j], job.routeY[j]});

    for (int i = 1; i <= n; ++i) {
        if (i == 1) {
            g.triangles.push_back({0, 1, 2});
        } else {
            const NetworkTriangle previous = g.triangles.back();
            const bool fan = job.spacerSign[i] == job.spacerSign[i - 1];
            g.triangles.push_back(fan ? NetworkTriangle{i, previous.spacerVertex, i + 1}
                                      : NetworkTriangle{previous.spacerVertex, i, i + 1});
        }
        const NetworkTriangle& t = g.triangles.back();
        g.sides.emplace_back(t.distanceVertex, t.spacerVertex);   // S(2i-1), opposite B(i)
        g.sides.emplace_back(t.distanceVertex, t.forwardVertex);  // S(2i), opposite C(i)
    }
    g.sides.emplace_back(g.triangles.back().spacerVertex, n + 1);  // S(2n+1), opposite A(n)

    if (cGiven(job)) {
        g.knownSides.emplace_back(0, 1);
    } else {
        g.startAzimuth = job.taDeg;
        if (eGiven(job)) g.startOrientationPoint = PlanPoint{job.xe.value, job.ye.value};
    }
    if (dGiven(job)) {
        g.knownSides.emplace_back(g.triangles.back().spacerVertex, n + 1);  // D is the last spacer station
    } else {
        g.closingAzimuth = job.tbDeg;
        if (fGiven(job)) g.closingOrientationPoint = PlanPoint{job.xf.value, job.yf.value};
    }
    g.meanSide = job.meanSide;
    return g;
}

ObservationPlace observationPlace(const NetworkGeometry& g, const ObservationId& observation)
{
    if (observation.kind == ObservationKind::startOrientation) return startOrientationPlace(g);
    if (observation.kind == ObservationKind::closingOrientation) return closingOrientationPlace(g);
    if (observation.isSide()) {
        const auto [from, to] = g.sides[observation.index - 1];
        return {true, {}, g.points[from], g.points[to]};
    }
    const NetworkTriangle& t = g.triangles[observation.index - 1];
    const PlanPoint u = g.points[t.distanceVertex], v = g.points[t.spacerVertex], w = g.points[t.forwardVertex];
    if (observation.kind == ObservationKind::angleA) return {false, u, v, w};
    if (observation.kind == ObservationKind::angleB) return {false, w, u, v};
    return {false, v, u, w};  // C(i)
}

double roundDownTo125(double x)
{
    const double power = std::pow(10.0, std::floor(std::log10(x)));
    const double leading = x / power;
    // A hair of tolerance, so that 5 written as 4.999... still counts as 5.
    const double tolerance = 1e-9;
    if (leading >= 5 - tolerance) return 5 * power;
    if (leading >= 2 - tolerance) return 2 * power;
    return power;
}

double ellipseEnlargement(double largestSemiAxis, double meanSide)
{
    if (!(largestSemiAxis > 0) || !(meanSide > 0)) return 1;
    const double enlargement = ellipseShareOfSide * meanSide * millimetresPerMetre / largestSemiAxis;
    return enlargement >= 1 ? roundDownTo125(enlargement) : 1;
}

}  // namespace kestrane
