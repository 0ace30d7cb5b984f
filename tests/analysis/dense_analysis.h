// The analysis's weight reciprocals computed the plain way, for small chains:
// both groups of conditions written out densely (the n angle sums as rows of
// ones, the second group as the record holds it), N = A Q A^T of order 3n+3
// inverted whole, and the weight functions of every point written with their
// untransformed spacer-angle terms. Slow and quadratic in memory, but it
// takes none of the analysis's shortcuts.
#pragma once

#include <vector>

#include "chain/chain_survey.h"

namespace kestrane::testing {

struct DenseAnalysis {
    std::vector<double> residualWeightReciprocal;  // q_vv by observation column 0..5n+2
    struct Point {
        double xx = 0, yy = 0, xy = 0;
    };
    std::vector<Point> points;                     // P(0)..P(n+1); A has zeros
};

DenseAnalysis denseAnalysis(const ChainSurvey& job);

}  // namespace kestrane::testing
