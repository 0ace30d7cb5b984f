// The control data of a job: the triangle count and tolerance, the sizing of
// the record, the known and orientation points, the start and closing
// azimuths and orientation angles, and the names of the route points.
#pragma once

#include "chain/chain_survey.h"
#include "input/dialogue.h"

namespace kestrane {

// The triangle count and the angle tolerance (asked once, not confirmed),
// then the sizing of the record for n triangles.
void inputChainSize(ChainSurvey& job, Dialogue& dialogue);

}  // namespace kestrane
