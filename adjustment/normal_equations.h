// Normal equations of the correlates and their solution.
//
// N = A Q A^T over the conditions 1..2n+3, bordered by the products of the
// two weight-function rows f_X (2n+4) and f_Y (2n+5): element (i, j) is the
// Gauss bracket [a_i a_j q], (i, 2n+4) is [a_i f_X q]. Column 2n+4 is also the
// right-hand side of every solve. The elimination is the compact Gauss
// (Doolittle) scheme on the upper triangle, without pivot search.
#pragma once

#include "chain/chain_survey.h"

namespace kestrane {

// Forms normalMatrix and its working copy workMatrix from the condition
// matrix and the weight reciprocals. Throws AdjustmentError when a coefficient or
// a product is not a finite number.
void formNormalEquations(ChainSurvey& job);

// Reduces workMatrix, solves N x = -r for the right-hand side in its column
// 2n+4 into correlates, and returns the sum of x(i) * normalMatrix(i, col):
// added to [f f q] it gives the weight reciprocal of the weight function in
// column col. Throws AdjustmentError on a pivot that is not usable.
double add(const EnvelopeMatrix& normal, EnvelopeMatrix& work, int triangles, int col, std::vector<double>& correlates);

// The three solves, in this order. 1/px into invPx; then, from the restored
// unreduced block, 1/py into invPy; then the correlates K = -N^-1 W, left in
// job.correlates. A weight reciprocal that rounding has made negative is 0.
void solveWeightReciprocalX(ChainSurvey& job);
void solveWeightReciprocalY(ChainSurvey& job);
void solveCorrelates(ChainSurvey& job);
// The correlates for misclosures w(1..2n+3) other than the record's own.
void solveCorrelates(ChainSurvey& job, const std::vector<double>& misclosures);

}  // namespace kestrane
