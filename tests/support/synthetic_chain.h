// Triangulation chains with known truth, for tests of the adjustment.
//
// A zigzag strip of n triangles: route points P(0) = A .. P(n+1) = B, each
// triangle i made of P(i-1), P(i), P(i+1) with its spacer angle at P(i);
// optionally with fans, where neighbouring triangles share that station. The
// true angles, sides, azimuths and orientation angles are computed from the
// coordinates, optionally disturbed by seeded normal noise, and written out
// as the answers a surveyor would type for one whole job.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "adjustment/conditions.h"

namespace kestrane::testing {

struct Point {
    double x = 0;  // north, metres
    double y = 0;  // east, metres
};

struct ChainPlan {
    int triangles = 4;
    ChainCase arrangement = ChainCase::hangingOnA;
    unsigned seed = 1;
    double angleNoise = 0;             // standard deviation, seconds
    double sideNoise = 0;              // standard deviation, metres
    bool typedAzimuths = false;        // Ta and Tb typed instead of E and F
    std::optional<double> closingBearing;  // azimuth B -> F, degrees, instead of the default
    double qbOffset = 0;               // seconds added to the typed Qb
    // Triangles (2..n) that share their spacer-angle station with the one
    // before, like the blades of a fan: their spacer signs are equal. The
    // adjusted traverse places such route points elsewhere than the station,
    // so a chain with fans has no simple truth to compare with.
    std::vector<int> fans;
    std::string tolerance = "2.5";
};

struct SyntheticChain {
    ChainPlan plan;
    std::vector<Point> truth;          // P(0) .. P(n+1)
    // The vertices of the network, numbered as the adjusted traverse numbers
    // the route: A, the station of triangle 1, then the vertex at B(i) of each
    // triangle i. Without fans they are the route points.
    std::vector<Point> vertices;
    std::vector<std::string> answers;  // the whole job, pauses included
};

SyntheticChain makeChain(const ChainPlan& plan);

// The route points whose adjusted coordinates the job computes for the
// arrangement: all for case 1, from C for case 2, C to D for case 3.
std::vector<int> adjustedPoints(const ChainPlan& plan);

// Angles observed with sigma seconds, the tolerance typed as sigma, and the
// sides as precise as their weight says: sigma * S / rho, sides about 780 m.
ChainPlan calibratedPlan(int triangles, ChainCase arrangement, unsigned seed, double sigma);

// The answers of a generated chain of n triangles with `seconds` added to the
// forward angle B of triangle t, as the surveyor would mistype it.
std::vector<std::string> withForwardAngleBlunder(std::vector<std::string> answers, int n, int t, double seconds);

// A number as typed with all 17 significant digits.
std::string fullPrecision(double value);

}  // namespace kestrane::testing
