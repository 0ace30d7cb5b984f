// Condition equations of the second group, and the weight functions of the
// weakest point, as rows of the condition matrix a(j, k).
//
// Symbols: A(i), B(i), C(i) the angles of triangle i after the first-group
// correction (degrees, C a magnitude), s(i) the sign of C(i), s(0) of Qa,
// s(n+1) of Qb; S(k) the sides (metres); X(i), Y(i) the provisional route
// points P(i); rho seconds per radian (206265 in the first solve).
//
// Columns are the observations: 0 Qa; 3i-2, 3i-1, 3i the angles A(i), B(i),
// C(i) (corrections in seconds); 3n+k the side S(k) (corrections in
// millimetres); 5n+2 Qb. Rows: 2i-1, 2i the sine-rule conditions of triangle
// i; 2n+1 azimuth; 2n+2 X and 2n+3 Y closing conditions (all in metres, so a
// side coefficient carries 1/1000 for its millimetre correction); 2n+4 and
// 2n+5 the weight functions of X and Y of the weakest point P(K), in
// millimetres.
//
// Angle coefficients are written already transformed against the first
// group: each triangle's three angle coefficients have their mean taken off,
// so the second group leaves every triangle's angle sum alone.
#pragma once

#include "chain/chain_survey.h"

namespace kestrane {

// How the chain is tied to the control, by C and D.
enum class ChainCase {
    none,                // C absent with D given, or a point with one zero coordinate
    hangingOnA,          // 1: C and D absent; Ta and Qa at the start, B at the end
    knownStartSide,      // 2: C given, D absent
    knownStartAndEndSide // 3: C and D given; closes on D with Tb from D -> B
};
ChainCase chainCaseOf(const ChainSurvey& job);

// K: the integer part of n/2, plus one.
int weakestPoint(int triangles);

// The number of route legs the X and Y conditions take in case 3: one fewer
// when the last two spacer angles lie at the same station.
int closingLegCount(const ChainSurvey& job);

// The route point of the adjusted traverse at the station of the last
// triangle, where a chain closing on D (case 3) reaches D: P(n), or the
// station a fan at the end of the chain turns about.
int closingStation(const ChainSurvey& job);

// Forms rows 1..2n+5 of the condition matrix afresh for the first solve, at
// the observed angles and sides and the provisional traverse: rho = 206265,
// and the X and Y rows turned about the given closing point. Throws
// AdjustmentError when case 3 leaves no route leg between C and D.
void formConditions(ChainSurvey& job);

// Forms the rows afresh for a further round, at the adjusted angles and sides
// and the adjusted traverse: the exact derivatives of the misclosures of the
// adjusted values, with their sines and cosines taken of degrees times
// radiansPerDegree. So rho is 3600 / radiansPerDegree seconds, and the X and Y
// rows turn about the closing point the adjusted traverse computed.
void formConditionsAtAdjustedValues(ChainSurvey& job, double radiansPerDegree);

}  // namespace kestrane
