// Misclosures of the two groups of conditions, the weights and the
// provisional traverse.
//
// First group: the angle-sum condition of each triangle, settled at once by
// spreading w(i) = A + B + C - 180 deg (seconds) over the three angles in
// equal thirds. Second group, on the corrected angles: two side-angle (sine
// rule) conditions per triangle, W(2i-1), W(2i) in metres; the azimuth
// condition W(2n+1) in seconds; the X and Y closing conditions W(2n+2),
// W(2n+3) in metres. Every misclosure is computed minus given and stored in
// single precision.
//
// Route: P(0) = A, P(1), ..., P(n+1) = B; alpha(i) is the azimuth of the
// route side P(i-1) -> P(i), the odd side S(2i-1); s(i) the spacer sign.
#pragma once

#include "chain/angles.h"
#include "chain/chain_survey.h"

namespace kestrane {

// w = (A + B + C - 180 deg) * 3600, seconds, in single precision, from the
// three angles of a triangle in decimal degrees (C by its magnitude).
float triangleMisclosure(double angleA, double angleB, double angleC);

// Computes w(i) of triangle i (stored in single precision), takes a third of
// it off each angle and adds w^2/3 to firstGroupSumVV. Returns w(i).
float settleTriangle(ChainSurvey& job, int triangle);

// The a-priori weight reciprocals: 1 for Qa, the angles and Qb (the angle is
// the unit of weight); q_s = (1000 * mean side / 206265)^2, in square
// millimetres per square second, for every side.
void setWeights(ChainSurvey& job);

// The two side-angle conditions of triangle i at the record's angles and
// sides, metres: W(2i-1) and W(2i); the sines of degrees times
// radiansPerDegree.
struct SideAngleMisclosures {
    double odd;   // S(2i) sin A - S(2i+1) sin C
    double even;  // S(2i-1) sin C - S(2i) sin B
};
SideAngleMisclosures sideAngleMisclosuresOf(const ChainSurvey& job, int triangle, double radiansPerDegree = degToRad);

// W(1..2n), the side-angle conditions of every triangle, stored.
void sideAngleMisclosures(ChainSurvey& job);

// Carries the azimuths and provisional coordinates along the route.
void provisionalTraverse(ChainSurvey& job);

// W(2n+1..2n+3) against D (when given) or B; with D absent the traverse is
// carried on to B first.
void closingMisclosures(ChainSurvey& job);

}  // namespace kestrane
