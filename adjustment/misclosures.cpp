#include "adjustment/misclosures.h"

#include <cmath>

#include "chain/angles.h"
#include "chain/single_precision.h"
#include "chain/units.h"

namespace kestrane {
float triangleMisclosure(double angleA, double angleB, double angleC)
{
    return toSingle((angleA + angleB + angleC - 180) * secondsPerDegree);
}

float settleTriangle(ChainSurvey& job, int i)
{
    const float w = triangleMisclosure(job.angleA[i], job.angleB[i], job.angleC[i]);
    job.triangleMisclosure[i] = w;
    const double third = w / secondsPerThirdOfDegree;  // degrees
    job.angleA[i] -= third;
    job.angleB[i] -= third;
    job.angleC[i] -= third;
    job.firstGroupSumVV += static_cast<double>(w) * w / 3;
    return w;
}

void setWeights(ChainSurvey& job)
{
    const int n = job.triangleCount;
    const double tolerance = job.angleTolerance.value;  // seconds
    if (tolerance != 0) {
        // The side error that matches the angle tolerance over the mean side,
        // in millimetres; the tolerance cancels in the quotient.
        const double sideError = tolerance * job.meanSide * millimetresPerMetre / secondsPerRadian;
        job.sideWeightReciprocal = sideError * sideError / (tolerance * tolerance);
    } else {
        const double scale = millimetresPerMetre * job.meanSide / secondsPerRadian;
        job.sideWeightReciprocal = scale * scale;
    }
    for (int j = 0; j <= 5 * n + 2; ++j)
        job.weightReciprocal[j] = (j > 3 * n && j <= 5 * n + 1) ? job.sideWeightReciprocal : 1.0;
}

SideAngleMisclosures sideAngleMisclosuresOf(const ChainSurvey& job, int i, double radiansPerDegree)
{
    const auto& S = job.sideLength;
    const double sinA = std::sin(job.angleA[i] * radiansPerDegree);
    const double sinB = std::sin(job.angleB[i] * radiansPerDegree);
    const double sinC = std::sin(job.angleC[i] * radiansPerDegree);
    // S(2i) / sin C = S(2i+1) / sin A and S(2i-1) / sin B = S(2i) / sin C
    return {S[2 * i] * sinA - S[2 * i + 1] * sinC, S[2 * i - 1] * sinC - S[2 * i] * sinB};
}

void sideAngleMisclosures(ChainSurvey& job)
{
    for (int i = 1; i <= job.triangleCount; ++i) {
        const SideAngleMisclosures W = sideAngleMisclosuresOf(job, i);
        job.misclosure[2 * i - 1] = toSingle(W.odd);
        job.misclosure[2 * i] = toSingle(W.even);
    }
}

void provisionalTraverse(ChainSurvey& job)
{
    const int n = job.triangleCount;
    auto& X = job.routeX;
    auto& Y = job.routeY;
    auto& alpha = job.routeAzimuth;
    const auto& s = job.spacerSign;
    const auto& C = job.angleC;
    const auto& S = job.sideLength;

    X[0] = job.xa.value;
    Y[0] = job.ya.value;
    if (cGiven(job)) {
        X[1] = job.xc.value;
        Y[1] = job.yc.value;
        alpha[1] = job.taDeg;
    } else if (cAbsent(job)) {
        alpha[1] = normalizedAzimuth(job.taDeg + job.qaDeg);
        X[1] = job.xa.value + S[1] * std::cos(alpha[1] * degToRad);
        Y[1] = job.ya.value + S[1] * std::sin(alpha[1] * degToRad);
    }
    // The first turn always reverses the direction.
    alpha[2] = normalizedAzimuth(alpha[1] + s[1] * C[1] + 180);
    for (int i = 2; i <= n; ++i) {
        if (s[i - 1] == s[i]) {
            // Both spacer angles lie at the same station: turn, stay.
            alpha[i + 1] = normalizedAzimuth(alpha[i] + s[i] * C[i]);
            X[i] = X[i - 1];
            Y[i] = Y[i - 1];
        } else {
            alpha[i + 1] = normalizedAzimuth(alpha[i] + s[i] * C[i] + 180);
            X[i] = X[i - 1] + S[2 * i - 1] * std::cos(alpha[i] * degToRad);
            Y[i] = Y[i - 1] + S[2 * i - 1] * std::sin(alpha[i] * degToRad);
        }
    }
}

void closingMisclosures(ChainSurvey& job)
{
    const int n = job.triangleCount;
    auto& X = job.routeX;
    auto& Y = job.routeY;
    auto& W = job.misclosure;
    const double alpha = job.routeAzimuth[n + 1];
    if (dGiven(job)) {
        W[2 * n + 1] = toSingle(secondsPerDegree * azimuthDifference(alpha, job.tbDeg));
        W[2 * n + 2] = toSingle(X[n] - job.xd.value);
        W[2 * n + 3] = toSingle(Y[n] - job.yd.value);
    } else if (dAbsent(job)) {
        X[n + 1] = X[n] + job.sideLength[2 * n + 1] * std::cos(alpha * degToRad);
        Y[n + 1] = Y[n] + job.sideLength[2 * n + 1] * std::sin(alpha * degToRad);
        const double closingAzimuth = normalizedAzimuth(alpha + job.qbDeg + 180);
        W[2 * n + 1] = toSingle(secondsPerDegree * azimuthDifference(closingAzimuth, job.tbDeg));
        W[2 * n + 2] = toSingle(X[n + 1] - job.xb.value);
        W[2 * n + 3] = toSingle(Y[n + 1] - job.yb.value);
    }
}

}  // namespace kestrane
