// The chain as a network of points, for the exports: which sides are
// observations, and where the known points stand. Which route points each
// triangle and side join is the plan of the analysis (analysis/
// network_geometry.h), the one mapping of the chain's stations that the plot
// and the exports share.
//
// With C known, S(1) = A-C is a known side; with D known, S(2n+1) = D-B is one,
// and D is the spacer station of the last triangle: P(n) in the zigzag, an
// earlier point when the last triangle fans about the station before it.
#pragma once

#include <string>
#include <vector>

#include "analysis/network_geometry.h"
#include "chain/chain_survey.h"

namespace kestrane {

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
std::vector<KnownPoint> knownPoints(const ChainSurvey& job, const NetworkGeometry& geometry);

}  // namespace kestrane
