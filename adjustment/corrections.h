// Corrections v = Q A^T K of all observations from the correlates K, the
// adjusted angles, sides and start orientation angle, the [pvv] sums, and the
// adjusted traverse along the route.
//
// T(i) is the adjusted azimuth of the route side that reaches P(i); sigma(i)
// the spacer sign. Corrections are seconds for angles, millimetres for sides.
#pragma once

#include "chain/angles.h"
#include "chain/chain_survey.h"

namespace kestrane {

void applyCorrections(ChainSurvey& job);

// The route through the adjusted angles and sides; the sines and cosines of
// azimuths in degrees times radiansPerDegree.
void adjustedTraverse(ChainSurvey& job, double radiansPerDegree = degToRad);

}  // namespace kestrane
