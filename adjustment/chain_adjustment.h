// The whole adjustment of a chain whose input is complete, with no dialogue:
// weights, misclosures of the second group, conditions, normal equations and
// their three solves, corrections, the adjusted traverse and the precision.
// The data-input job runs the same stages one by one and shows each result as
// it comes; this runs them straight through, for the analysis, the exports,
// the tests and the benchmarks.
#pragma once

#include "chain/chain_survey.h"

namespace kestrane {

// Throws JobStopped where the job would stop: a figure that is not a finite
// number, conditions that cannot be solved.
void adjustFilledChain(ChainSurvey& job);

// The checks the job makes before it shows a stage's figures: every
// side-angle misclosure, the closing misclosures, every adjusted route point.
void requireFiniteSideAngleMisclosures(const ChainSurvey& job);
void requireFiniteClosingMisclosures(const ChainSurvey& job);
void requireFiniteRoute(const ChainSurvey& job);

}  // namespace kestrane
