// The observations of a job: triangle by triangle the three angles (typed as
// packed d.mmss, the spacer angle C signed by the side of the route it lies
// on: negative on the right, positive on the left), each triangle's
// misclosure shown and spread as soon as its third angle is accepted; then
// every side, and the mean side.
#pragma once

#include "chain/chain_survey.h"
#include "dialogue/dialogue.h"

namespace kestrane {

void inputAngles(ChainSurvey& job, Dialogue& dialogue);
void inputSides(ChainSurvey& job, Dialogue& dialogue);

}  // namespace kestrane
