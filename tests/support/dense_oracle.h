// The adjustment written literally on dense matrices: every condition row
// over all 5n+3 observations, the full normal matrix of order 2n+5, every
// product formed and every element computed twice. It is slow and its
// memory grows with n squared, but it is the plain reading of the scheme;
// the program's sparse adjustment must give the same bits.
#pragma once

#include "chain/chain_survey.h"
#include "dense_matrix.h"

namespace kestrane::testing {

struct DenseAdjustment {
    DenseMatrix conditionMatrix;  // 0..2n+5 by 0..5n+5
    DenseMatrix normalMatrix;     // 0..2n+5 by 0..2n+5
    DenseMatrix workMatrix;
};

// The unit of the side corrections. Millimetres match the side weight
// reciprocal q_s, as the program has it; metres are the literal old scheme,
// in which every side weighs a million times less.
enum class SideUnit { millimetres, metres };

// From the misclosures to the corrections: conditions, normal equations, the
// three solves (1/px, 1/py, correlates), corrections of angles, orientation
// angles and sides. Throws AdjustmentError like the program.
void denseAdjust(ChainSurvey& job, DenseAdjustment& dense, SideUnit unit = SideUnit::millimetres);

}  // namespace kestrane::testing
