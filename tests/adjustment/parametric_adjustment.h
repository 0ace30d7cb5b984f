// The chain adjusted by observation equations, as a check on the condition
// equations from outside: the coordinates of the network's points are the
// unknowns, every angle, side and orientation angle of the record is one
// observation equation, and Gauss-Newton iterations on a banded normal matrix
// run to the least-squares solution. The weights are the program's: 1 for an
// angle (seconds), 1/q_s for a side (millimetres).
//
// The points are numbered as the adjusted traverse numbers them: P(0) = A,
// P(1) the station of triangle 1 (C when given), P(i+1) the far end of the
// side S(2i+1) from the station of triangle i (B is P(n+1)). A triangle whose
// spacer sign equals the one before keeps the station of the one before (a
// fan); D is the station of the last triangle.
#pragma once

#include <vector>

#include "chain/chain_survey.h"
#include "synthetic_chain.h"

namespace kestrane::testing {

struct ParametricSolution {
    std::vector<double> x, y;  // P(0)..P(n+1), metres
    double sumPVV = 0;         // [pvv] of the first-group-corrected angles and the sides
    int iterations = 0;
};

// From a record whose input is complete (the angles settled by the first
// group, nothing adjusted yet), starting from approximate coordinates of
// P(0)..P(n+1) close enough for Gauss-Newton, such as the generated truth
// (the known points take their given coordinates).
ParametricSolution parametricAdjustment(const ChainSurvey& typed, const std::vector<Point>& start);

}  // namespace kestrane::testing
