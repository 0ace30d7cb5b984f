// The adjustment written literally on dense matrices: every condition row
// over all 5n+3 observations, the full normal matrix of order 2n+5, every
// product formed and every element computed twice. It is slow and its
// memory grows with n squared, but it is the plain reading of the scheme;
// the program's sparse adjustment must give the same bits.
#pragma once

#include "chain/chain_survey.h"
#include "dense_matrix.h"
#include "input/job_io.h"

namespace kestrane::testing {

struct DenseAdjustment {
    DenseMatrix conditionMatrix;  // 0..2n+5 by 0..5n+5
    DenseMatrix normalMatrix;     // 0..2n+5 by 0..2n+5
    DenseMatrix workMatrix;
};

// From the misclosures to the corrections: conditions, normal equations, the
// three solves (1/px and 1/py shown in Text22, Text23), corrections of
// angles, orientation angles and sides. Throws JobStopped like the program.
void denseAdjust(ChainSurvey& job, DenseAdjustment& dense, WindowFields& fields);

}  // namespace kestrane::testing
