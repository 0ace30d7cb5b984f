#include "adjustment/conditions.h"

#include <cmath>
#include <vector>

#include "adjustment/adjustment_error.h"
#include "chain/angles.h"
#include "chain/units.h"

namespace kestrane {
namespace {

// How the rows are written: the unit the sines and cosines take their
// degrees in, and the seconds per radian of the angle coefficients.
struct RowUnits {
    double radiansPerDegree;
    double rho;
};

// Writes a rotation's effect q at the route station of triangle i onto its
// three angles, transformed against the first group: only C turns the route,
// and a third of C's correction is taken back from each angle.
void writeSpacerTerms(ConditionRows& a, int row, int i, double q)
{
    a.set(row, 3 * i - 2, -q / 3);
    a.set(row, 3 * i - 1, -q / 3);
    a.set(row, 3 * i, 2 * q / 3);
}

void sideAngleRows(ChainSurvey& job, RowUnits units)
{
    const double rho = units.rho, k = units.radiansPerDegree;
    const int n = job.triangleCount;
    auto& a = job.conditionMatrix;
    const auto& S = job.sideLength;
    for (int i = 1; i <= n; ++i) {
        const double A = job.angleA[i] * k, B = job.angleB[i] * k, C = job.angleC[i] * k;

        // Row 2i-1: S(2i) sin A - S(2i+1) sin C = 0.
        const int odd = 2 * i - 1;
        const double oddA = S[2 * i] * std::cos(A) / rho;
        const double oddC = -S[2 * i + 1] * std::cos(C) / rho;
        const double oddMean = (S[2 * i] * std::cos(A) - S[2 * i + 1] * std::cos(C)) / rho / 3;
        a.set(odd, 3 * i - 2, oddA - oddMean);
        a.set(odd, 3 * i - 1, -oddMean);
        a.set(odd, 3 * i, oddC - oddMean);
        // Side coefficients carry 1/1000: they are written for side
        // corrections in millimetres, the unit of the side weight q_s.
        a.set(odd, 3 * n + 2 * i, std::sin(A) / millimetresPerMetre);
        const bool closingSideFixed = i == n && dGiven(job);  // D - B is not observed
        a.set(odd, 3 * n + 2 * i + 1, closingSideFixed ? 0 : -std::sin(C) / millimetresPerMetre);

        // Row 2i: S(2i-1) sin C - S(2i) sin B = 0.
        const int even = 2 * i;
        const double evenB = -S[2 * i] * std::cos(B) / rho;
        const double evenC = S[2 * i - 1] * std::cos(C) / rho;
        const double evenMean = (-S[2 * i] * std::cos(B) + S[2 * i - 1] * std::cos(C)) / rho / 3;
        a.set(even, 3 * i - 2, -evenMean);
        a.set(even, 3 * i - 1, evenB - evenMean);
        a.set(even, 3 * i, evenC - evenMean);
        const bool startSideFixed = i == 1 && cGiven(job);  // A - C is not observed
        a.set(even, 3 * n + 2 * i - 1, startSideFixed ? 0 : std::sin(C) / millimetresPerMetre);
        a.set(even, 3 * n + 2 * i, -std::sin(B) / millimetresPerMetre);
    }
}

void azimuthRow(ChainSurvey& job, ChainCase chainCase)
{
    const int n = job.triangleCount;
    const int row = 2 * n + 1;
    auto& a = job.conditionMatrix;
    const auto& s = job.spacerSign;
    if (chainCase == ChainCase::hangingOnA) a.set(row, 0, s[0]);
    for (int i = 1; i <= n; ++i) writeSpacerTerms(a, row, i, s[i]);
    if (chainCase == ChainCase::hangingOnA || chainCase == ChainCase::knownStartSide) a.set(row, 5 * n + 2, s[n + 1]);
}

// Rows rowX and rowY: the X and Y of the point (xEnd, yEnd) reached along
// legs 1..legs from the start, as functions of the spacer angles (scaled by
// angleScale) and of the leg sides (scaled by 1/sideScale). In case 1 the
// start orientation angle Qa and the first side S(1) add their terms.
//
// Leg i is the side S(2i+1), laid off from the station O(i) of triangle i:
// O(1) = P(1); a fan keeps the station of the triangle before, O(i) = O(i-1),
// and a zigzag step moves it on, O(i) = P(i). The spacer angle C(i) turns
// everything beyond O(i) about O(i). A leg whose next triangle is a fan ends
// at a point the rest of the route does not start from, and has no term. On
// the provisional traverse, which puts a fan's route points on its station,
// this is the plain leg from P(i) to P(i+1).
//
// The terms are written in column order, so the long rows need no sorting.
void coordinateRows(ChainSurvey& job, ChainCase chainCase, int rowX, int legs, double xEnd, double yEnd,
                    double angleScale, double sideScale, double rho)
{
    const int n = job.triangleCount;
    const int rowY = rowX + 1;
    auto& a = job.conditionMatrix;
    const auto& s = job.spacerSign;
    const auto& X = job.routeX;
    const auto& Y = job.routeY;
    const auto& S = job.sideLength;
    const bool hangingOnA = chainCase == ChainCase::hangingOnA;
    const double xa = job.xa.value, ya = job.ya.value;

    std::vector<int> station(legs + 1, 1);
    for (int i = 2; i <= legs; ++i) station[i] = s[i] == s[i - 1] ? station[i - 1] : i;

    if (hangingOnA) {
        a.set(rowX, 0, s[0] * angleScale * (ya - yEnd) / rho);
        a.set(rowY, 0, s[0] * angleScale * (xEnd - xa) / rho);
    }
    for (int i = 1; i <= legs; ++i) {
        writeSpacerTerms(a, rowX, i, s[i] * angleScale * (Y[station[i]] - yEnd) / rho);
        writeSpacerTerms(a, rowY, i, s[i] * angleScale * (xEnd - X[station[i]]) / rho);
    }
    if (hangingOnA) {
        a.set(rowX, 3 * n + 1, (X[1] - xa) / S[1] / sideScale);
        a.set(rowY, 3 * n + 1, (Y[1] - ya) / S[1] / sideScale);
    }
    for (int i = 1; i <= legs; ++i) {
        const bool nextIsFan = i < legs && s[i + 1] == s[i];
        if (nextIsFan) continue;
        a.set(rowX, 3 * n + 2 * i + 1, (X[i + 1] - X[station[i]]) / S[2 * i + 1] / sideScale);
        a.set(rowY, 3 * n + 2 * i + 1, (Y[i + 1] - Y[station[i]]) / S[2 * i + 1] / sideScale);
    }
}

}  // namespace

ChainCase chainCaseOf(const ChainSurvey& job)
{
    if (cAbsent(job) && dAbsent(job)) return ChainCase::hangingOnA;
    if (cGiven(job) && dAbsent(job)) return ChainCase::knownStartSide;
    if (cGiven(job) && dGiven(job)) return ChainCase::knownStartAndEndSide;
    return ChainCase::none;
}

int weakestPoint(int triangles)
{
    return triangles / 2 + 1;
}

int closingLegCount(const ChainSurvey& job)
{
    const int n = job.triangleCount;
    if (n < 2) return n - 1;
    return job.spacerSign[n - 1] == job.spacerSign[n] ? n - 2 : n - 1;
}

int closingStation(const ChainSurvey& job)
{
    int station = job.triangleCount;
    while (station > 1 && job.spacerSign[station] == job.spacerSign[station - 1]) --station;
    return station;
}

namespace {

// Rows 1..2n+5, closing the X and Y conditions on (xEnd, yEnd) along the
// first legs of the route.
void formRows(ChainSurvey& job, RowUnits units, int legs, double xEnd, double yEnd)
{
    const int n = job.triangleCount;
    const ChainCase chainCase = chainCaseOf(job);
    job.conditionMatrix = ConditionRows(2 * n + 6, 5 * n + 6);
    // The adjusted traverse overwrites the route; the analysis forms every
    // point's weight functions where these rows were formed.
    job.linearisedX = job.routeX;
    job.linearisedY = job.routeY;
    job.linearisedRho = units.rho;
    sideAngleRows(job, units);
    const int K = weakestPoint(n);
    azimuthRow(job, chainCase);
    if (chainCase != ChainCase::none) {
        if (chainCase == ChainCase::knownStartAndEndSide && legs <= 0)
            throw AdjustmentError(AdjustmentError::Cause::noCoordinateLegs);
        coordinateRows(job, chainCase, 2 * n + 2, legs, xEnd, yEnd, 1, millimetresPerMetre, units.rho);
        // The weight functions run from the start to the weakest point P(K);
        // their angle terms are millimetres of coordinate per second, their
        // side terms millimetres per millimetre.
        coordinateRows(job, chainCase, 2 * n + 4, K - 1, job.routeX[K], job.routeY[K], millimetresPerMetre, 1,
                       units.rho);
    }
    job.conditionMatrix.finish();
}

}  // namespace

void formConditions(ChainSurvey& job)
{
    const int n = job.triangleCount;
    if (dGiven(job)) {
        formRows(job, {degToRad, secondsPerRadian}, closingLegCount(job), job.xd.value, job.yd.value);
    } else {
        formRows(job, {degToRad, secondsPerRadian}, n, job.xb.value, job.yb.value);
    }
}

void formConditionsAtAdjustedValues(ChainSurvey& job, double radiansPerDegree)
{
    // One rho with the sines and cosines, and the point the adjusted traverse
    // computed for the closing point: its misclosure is what the rows close.
    const RowUnits units{radiansPerDegree, secondsPerDegree / radiansPerDegree};
    const int closing = dGiven(job) ? closingStation(job) : job.triangleCount + 1;
    formRows(job, units, closing - 1, job.routeX[closing], job.routeY[closing]);
}

}  // namespace kestrane
