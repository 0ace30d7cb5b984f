// Precision of the adjusted chain: the RMS error of unit weight mb (an
// observed angle, seconds), of a side ms, of the weakest point's X and Y
// (mx, my) and its position (md), all millimetres, and its relative error
// 1/M with respect to the start point A.
#pragma once

#include "chain/chain_survey.h"

namespace kestrane {

// Computes mb, ms, mx, my, md and M, each stored in single precision.
void assessPrecision(ChainSurvey& job);

// Whether the relative error 1/M could be formed: the position error md is
// not 0 and 1000 * D / md is finite.
bool relativeErrorDefined(const ChainSurvey& job);

}  // namespace kestrane
