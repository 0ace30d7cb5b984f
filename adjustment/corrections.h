// Corrections v = Q A^T K of all observations from the correlates K, the
// adjusted angles, sides and start orientation angle, the [pvv] sums, and the
// adjusted traverse along the route; then every route point shown in turn.
//
// T(i) is the adjusted azimuth of the route side that reaches P(i); sigma(i)
// the spacer sign. Corrections are seconds for angles, millimetres for sides.
#pragma once

#include "adjustment/conditions.h"
#include "chain/chain_survey.h"
#include "input/dialogue.h"

namespace kestrane {

void applyCorrections(ChainSurvey& job, SideUnit unit = SideUnit::millimetres);

void adjustedTraverse(ChainSurvey& job);

// Each route point behind its pause prompt: name, adjusted X and Y.
void showAdjustedPoints(ChainSurvey& job, Dialogue& dialogue);

}  // namespace kestrane
