// Corrections v = Q A^T K of all observations from the correlates K, the
// adjusted angles, sides and start orientation angle, the [pvv] sums, and the
// adjusted traverse along the route.
//
// T(i) is the adjusted azimuth of the route side that reaches P(i); sigma(i)
// the spacer sign. Corrections are seconds for angles, millimetres for sides.
#pragma once

#include "chain/chain_survey.h"

namespace kestrane {

void applyCorrections(ChainSurvey& job);

void adjustedTraverse(ChainSurvey& job);

}  // namespace kestrane
