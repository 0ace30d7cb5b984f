// The job record of one chain adjustment.
//
// Notation: n = triangleCount. Route points P(0)..P(n+1), P(0) = A,
// P(n+1) = B, P(1) = C when C is given, P(n) = D when D is given. Triangle i
// (1..n) has the angles A(i) (distance angle), B(i) (forward angle), C(i)
// (spacer angle) and the sides S(2i-1), S(2i), S(2i+1), opposite B, C and A.
// Observations 0..5n+2: 0 = Qa; 3i-2, 3i-1, 3i = A(i), B(i), C(i);
// 3n+k = S(k), k = 1..2n+1; 5n+2 = Qb. Conditions 1..2n+3: 2i-1, 2i the
// side-angle conditions of triangle i, 2n+1 azimuth, 2n+2 X, 2n+3 Y; rows
// 2n+4 and 2n+5 are the weight functions of the weakest point's X and Y.
//
// Arrays are indexed from 0 to the bound given beside them; index 0 is used
// only where said. Lengths are metres, X north and Y east.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "chain/condition_rows.h"
#include "chain/envelope_matrix.h"
#include "chain/typed_number.h"

namespace kestrane {

// Array bounds for n triangles, each computed in 16-bit signed arithmetic.
struct ChainBounds {
    int points;        // n + 1: route points, angles, spacer signs
    int sides;         // 2n + 1
    int conditions;    // 2n + 3: misclosures, correlates
    int matrixOrder;   // 2n + 5: rows of the condition matrix, normal matrix
    int observations;  // 5n + 2
    int matrixColumns; // 5n + 5: columns of the condition matrix
};

// The bounds for n triangles, or nothing when n < 1 or a bound does not fit
// in 16 bits (the largest n that fits is 6552).
std::optional<ChainBounds> boundsFor(int triangles);

inline constexpr int maxTriangleCount = 6552;

// The triangle count a typed text gives: a number rounded to the nearest
// whole one, halves to even (2.5 -> 2), within 1..maxTriangleCount; nothing
// otherwise.
std::optional<int> triangleCountOf(std::string_view typed);

struct ChainSurvey {
    // Control data and job scalars. Scalars are not reset by sizing: each
    // keeps its value until a job writes it again.
    std::int16_t triangleCount = 0;
    TypedNumber angleTolerance;                       // seconds of arc
    TypedNumber xa, ya, xb, yb, xc, yc, xd, yd, xe, ye, xf, yf;  // metres
    TypedNumber taPacked, tbPacked;                   // packed d.mmss, typed or computed
    TypedNumber qaPacked, qbPacked;                   // signed packed d.mmss, as typed
    double taDeg = 0, tbDeg = 0;                      // degrees
    double qaDeg = 0, qbDeg = 0;                      // signed degrees
    double meanSide = 0;                              // metres
    double sideWeightReciprocal = 0;
    double firstGroupSumVV = 0;                       // seconds squared
    double sumVVAngles = 0, sumPVVSides = 0;
    double weakestPointDistance = 0;                  // metres
    double invPx = 0, invPy = 0;
    float mb = 0;                                     // seconds
    float ms = 0, mx = 0, my = 0, md = 0;             // millimetres
    float relativeErrorM = 0;
    int adjustmentRounds = 0;                         // times the second group was solved
    double linearisedRho = 0;                         // seconds per radian of the conditions' angle terms

    // Arrays, created anew and zero-filled by every sizing.
    std::vector<double> angleA, angleB, angleC;       // 0..n, degrees (packed as typed at first)
    std::vector<double> packedA, packedB, packedC;    // 0..n, packed as typed, |C|
    std::vector<int> spacerSign;                      // 0..n+1: Qa, C(1..n), Qb
    std::vector<double> sideLength;                   // 0..2n+1, metres
    std::vector<float> observedSide;                  // 0..2n+1, metres
    std::vector<std::string> pointName;               // 0..n+1
    std::vector<float> triangleMisclosure;            // 0..n, seconds
    std::vector<float> misclosure;                    // 0..2n+3
    std::vector<double> routeX, routeY, routeAzimuth; // 0..n+1
    std::vector<double> linearisedX, linearisedY;     // 0..n+1: the route coordinates the conditions were formed at
    std::vector<double> weightReciprocal;             // 0..5n+2
    std::vector<double> correction;                   // 0..5n+2
    ConditionRows conditionMatrix;                    // rows 0..2n+5, columns 0..5n+5, non-zeros only
    EnvelopeMatrix normalMatrix, workMatrix;          // 0..2n+5 both ways, upper envelope, formed with the conditions
    std::vector<double> correlates;                   // 0..2n+3

    // Sizes every array for n triangles and zero-fills it (texts empty).
    // Returns false, changing nothing, when boundsFor refuses n.
    bool size(int triangles);
};

// A point among C, D, E, F is given when both its coordinates are non-zero
// and absent when both are zero; with exactly one zero it is neither.
bool isGiven(const TypedNumber& x, const TypedNumber& y);
bool isAbsent(const TypedNumber& x, const TypedNumber& y);

inline bool cGiven(const ChainSurvey& job) { return isGiven(job.xc, job.yc); }
inline bool cAbsent(const ChainSurvey& job) { return isAbsent(job.xc, job.yc); }
inline bool dGiven(const ChainSurvey& job) { return isGiven(job.xd, job.yd); }
inline bool dAbsent(const ChainSurvey& job) { return isAbsent(job.xd, job.yd); }
inline bool eGiven(const ChainSurvey& job) { return isGiven(job.xe, job.ye); }
inline bool eAbsent(const ChainSurvey& job) { return isAbsent(job.xe, job.ye); }
inline bool fGiven(const ChainSurvey& job) { return isGiven(job.xf, job.yf); }
inline bool fAbsent(const ChainSurvey& job) { return isAbsent(job.xf, job.yf); }

}  // namespace kestrane
