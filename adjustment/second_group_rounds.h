// The second group solved again where one linearisation is not enough.
//
// The condition equations of the second group are linearised at the
// first-group-corrected angles and the observed sides. On a long chain the
// second-order terms that one linearisation leaves add up: the adjusted
// values no longer satisfy the conditions, and the chain's own closing point
// is carried metres away from the coordinates the surveyor typed. So after
// the corrections and the adjusted traverse the 2n+3 misclosures are formed
// again from the adjusted values, with the same formulas as from the observed
// ones, the conditions are formed again at the adjusted values as their exact
// derivatives, and solved for the total correction v that minimises [pvv]
// (the iterated condition adjustment): A v + (W(adjusted) - A v_before) = 0,
// v applied to the first-group-corrected angles and the observed sides.
//
// Closing is not enough to stop: the misclosures of a round fall much faster
// than its coordinates settle (they are second order in what is left), and a
// long chain closes to 0.1 mm while still metres from its least-squares
// solution. A round is final when it closes (every misclosure at most 0.1:
// millimetres for the side-angle and coordinate conditions, seconds for the
// azimuth condition) and the next round, made from it as a check, moves
// nothing that display shows and finds no smaller [pvv]. A chain that a
// surveyor meets every day is final after the first round and is left
// exactly as that round made it.
//
// The first round and its check compute as the scheme does, with degToRad;
// the further rounds with exactDegToRad, so that the chain they settle on is
// the least-squares solution in the plane.
#pragma once

#include <vector>

#include "chain/angles.h"
#include "chain/chain_survey.h"

namespace kestrane {

// The largest misclosure (millimetres or seconds) that lets a round be final.
inline constexpr double roundClosingTolerance = 0.1;
// Rounds made before the job stops. A chain of 6552 triangles with angles
// observed to 1.5" to 3" takes 3 to 8.
inline constexpr int mostAdjustmentRounds = 30;

// W(1..2n+3) of the adjusted angles, sides, orientation angles and traverse:
// the side-angle conditions and the X and Y conditions in metres, the azimuth
// condition in seconds; sines of degrees times radiansPerDegree. Index 0 is
// unused.
std::vector<double> adjustedMisclosures(const ChainSurvey& job, double radiansPerDegree = degToRad);

// The largest of them, the side-angle and coordinate conditions taken in
// millimetres, the azimuth condition in seconds.
double largestMisclosure(const ChainSurvey& job, const std::vector<double>& misclosures);

// A further round's solve: the conditions formed again at the record's
// adjusted values, and the normal equations solved for the total correction
// with W(adjusted) - A v as misclosures (v the corrections so far,
// job.correction): new correlates, invPx and invPy. adjusted is
// adjustedMisclosures(job, radiansPerDegree). The corrections are not applied.
void solveAtAdjustedValues(ChainSurvey& job, const std::vector<double>& adjusted, double radiansPerDegree);

// From the correlates of the first solve: the corrections, the adjusted
// traverse, and further rounds until one is final. Leaves invPx, invPy, the
// corrections, the adjusted values and the condition matrix of the final
// round in the record, and returns how many rounds were made (kept as
// adjustmentRounds too). Throws AdjustmentError when no round is final after
// mostAdjustmentRounds.
int correctAndClose(ChainSurvey& job);

}  // namespace kestrane
