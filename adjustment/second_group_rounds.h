// The second group solved again where one linearisation is not enough.
//
// The condition equations of the second group are linearised at the
// first-group-corrected angles and the observed sides. On a long chain the
// second-order terms that one linearisation leaves add up: the adjusted
// values no longer satisfy the conditions, and the chain's own closing point
// is carried metres away from the coordinates the surveyor typed. So after
// the corrections and the adjusted traverse the 2n+3 misclosures are formed
// again from the adjusted values, with the same formulas as from the observed
// ones. Where the largest of them is above 0.1 (millimetres for the
// side-angle and coordinate conditions, seconds for the azimuth condition),
// the conditions are formed again at the adjusted values and solved for the
// total correction v that minimises [pvv] (the iterated condition
// adjustment): A v + (W(adjusted) - A v_before) = 0, v applied to the
// first-group-corrected angles and the observed sides. A chain that a
// surveyor meets every day closes after the first round and is left exactly
// as that round made it.
#pragma once

#include <vector>

#include "chain/chain_survey.h"

namespace kestrane {

// The largest misclosure (millimetres or seconds) that leaves a round final.
inline constexpr double roundClosingTolerance = 0.1;
// Rounds tried before the job stops. Each round converges the chain by a
// factor, not by squaring its error (the neglected curvature of the long
// closing conditions): a noisy chain of 6552 triangles has needed up to 19.
inline constexpr int mostAdjustmentRounds = 30;

// W(1..2n+3) of the adjusted angles, sides, orientation angles and traverse:
// the side-angle conditions and the X and Y conditions in metres, the azimuth
// condition in seconds. Index 0 is unused.
std::vector<double> adjustedMisclosures(const ChainSurvey& job);

// The largest of them, the side-angle and coordinate conditions taken in
// millimetres, the azimuth condition in seconds.
double largestMisclosure(const ChainSurvey& job, const std::vector<double>& misclosures);

// A further round's solve: the conditions formed again at the record's
// adjusted values, and the normal equations solved for the total correction
// with W(adjusted) - A v as misclosures (v the corrections so far,
// job.correction): new correlates, invPx and invPy. adjusted is
// adjustedMisclosures(job). The corrections are not applied.
void solveAtAdjustedValues(ChainSurvey& job, const std::vector<double>& adjusted);

// From the correlates of the first solve: the corrections, the adjusted
// traverse, and further rounds for as long as the adjusted values do not
// close. Leaves invPx, invPy, the corrections, the adjusted values and the
// condition matrix of the final round in the record, and returns how many
// rounds were made (kept as adjustmentRounds too). Throws AdjustmentError when
// the chain has not closed after mostAdjustmentRounds.
int correctAndClose(ChainSurvey& job);

}  // namespace kestrane
