// The chain as a network of points: on which route points each triangle
// stands, which two points each side joins, which points are known.
//
// The points are the route points P(0)..P(n+1) with the coordinates the
// result loop shows (routeX, routeY). Triangle i has its distance angle A(i)
// at the station u, its spacer angle C(i) at v and its forward angle B(i) at
// w, and its sides S(2i-1) = u-v, S(2i) = u-w, S(2i+1) = v-w (each opposite
// the angle B, C, A). The adjusted traverse lays P(i+1) off from v along
// S(2i+1), so w = P(i+1); the first triangle stands on P(0), P(1), P(2).
// After it, the spacer signs tell how each triangle joins the one before,
// across their common side S(2i-1):
//   - sign changed (the zigzag): the route steps on; u is the previous v and
//     v the previous w = P(i);
//   - sign kept (a fan about one station): v stays where it was and u is the
//     previous w = P(i).
// In a fan the provisional traverse leaves P(i) on the shared station; the
// adjusted traverse, whose points the window shows, lays P(i) off to the far
// end of S(2i-1) instead, so that every corner of every triangle is a route
// point of its own. This is why a spacer station may lie several indices back.
//
// With C known, S(1) = A-C is a known side; with D known, S(2n+1) = D-B is one,
// and D is the station v of the last triangle: P(n) in the zigzag, an earlier
// point when the last triangle fans about the station before it.
#pragma once

#include <string>
#include <vector>

#include "chain/chain_survey.h"

namespace kestrane {

// Route indices of the corners of one triangle.
struct TriangleStations {
    int u = 0;  // distance angle A(i)
    int v = 0;  // spacer angle C(i)
    int w = 0;  // forward angle B(i)
};

// Route indices of the two ends of a side.
struct SideEnds {
    int from = 0;
    int to = 0;
};

// Indices 1..n; index 0 is unused.
std::vector<TriangleStations> triangleStations(const ChainSurvey& job);

// The ends of side S(k), k = 1..2n+1.
SideEnds sideEnds(const std::vector<TriangleStations>& stations, int k);

// Whether S(k) is an observation: every side but A-C with C known and D-B
// with D known.
bool sideObserved(const ChainSurvey& job, int k);

// A known point of the chain: its role, its route index and its coordinates
// as typed (metres).
struct KnownPoint {
    std::string role;  // "A", "B", "C" or "D"
    int index = 0;
    double x = 0;      // north
    double y = 0;      // east
};

// A and B always, C and D when known.
std::vector<KnownPoint> knownPoints(const ChainSurvey& job, const std::vector<TriangleStations>& stations);

}  // namespace kestrane
