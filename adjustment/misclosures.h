// Misclosures of the two groups of conditions.
//
// First group: the angle-sum condition of each triangle, settled at once by
// spreading the misclosure w(i) = A + B + C - 180 deg (seconds) over the three
// angles in equal thirds.
#pragma once

#include "chain/chain_survey.h"

namespace kestrane {

// Computes w(i) of triangle i (stored in single precision), takes a third of
// it off each angle and adds w^2/3 to firstGroupSumVV. Returns w(i).
float settleTriangle(ChainSurvey& job, int triangle);

}  // namespace kestrane
