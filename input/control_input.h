// The control data of a job: the triangle count and tolerance, the sizing of
// the record, the known and orientation points, the start and closing
// azimuths and orientation angles, and the names of the route points.
//
// Point roles: A and C start the chain (C is route point P(1)), D and B close
// it (D is P(n)); E is an orientation point seen from A, F one seen from B.
// A point among C, D, E, F is given with both coordinates non-zero and absent
// with both zero; the start and closing cases are re-tested from the
// coordinates wherever they matter, never stored.
#pragma once

#include "chain/chain_survey.h"
#include "dialogue/dialogue.h"

namespace kestrane {

// The triangle count and the angle tolerance (asked once, not confirmed),
// then the sizing of the record for n triangles.
void inputChainSize(ChainSurvey& job, Dialogue& dialogue);

// The coordinates of A, C, D, B, then E and F where the case asks for them;
// the start and closing azimuths and orientation angles, computed or typed.
void inputControlPoints(ChainSurvey& job, Dialogue& dialogue);

// The names of the route points P(0) = A .. P(n+1) = B.
void inputPointNames(ChainSurvey& job, Dialogue& dialogue);

// The side A-C (C given) or D-B (D given) computed from the coordinates of
// its ends, metres.
double knownSideLength(const TypedNumber& x0, const TypedNumber& y0, const TypedNumber& x1, const TypedNumber& y1);

}  // namespace kestrane
