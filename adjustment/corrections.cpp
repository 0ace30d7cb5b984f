#include "adjustment/corrections.h"

#include <cmath>

#include "adjustment/conditions.h"
#include "chain/angles.h"
#include "chain/units.h"

namespace kestrane {
namespace {

// v(column) = sum over the conditions j of a(j, column) * K(j), in ascending j;
// the weight reciprocal of an angle is 1. The weight functions are no conditions.
double angleCorrection(const ChainSurvey& job, int column)
{
    double v = 0;
    for (const auto& entry : job.conditionMatrix.column(column)) {
        if (entry.row > 2 * job.triangleCount + 3) break;
        v += entry.value * job.correlates[entry.row];
    }
    return v;
}

}  // namespace

void applyCorrections(ChainSurvey& job)
{
    const int n = job.triangleCount;
    const auto& a = job.conditionMatrix;
    const auto& K = job.correlates;
    auto& v = job.correction;

    job.sumPVVSides = 0;
    job.sumVVAngles = job.firstGroupSumVV;
    for (int i = 1; i <= n; ++i) {
        v[3 * i - 2] = angleCorrection(job, 3 * i - 2);
        v[3 * i - 1] = angleCorrection(job, 3 * i - 1);
        v[3 * i] = angleCorrection(job, 3 * i);
        job.angleA[i] += v[3 * i - 2] / secondsPerDegree;
        job.angleB[i] += v[3 * i - 1] / secondsPerDegree;
        job.angleC[i] += v[3 * i] / secondsPerDegree;
        job.sumVVAngles = job.sumVVAngles + v[3 * i - 2] * v[3 * i - 2] + v[3 * i - 1] * v[3 * i - 1] + v[3 * i] * v[3 * i];
    }

    const int azimuth = 2 * n + 1, x = 2 * n + 2, y = 2 * n + 3;
    v[0] = a(azimuth, 0) * K[azimuth] + a(x, 0) * K[x] + a(y, 0) * K[y];
    v[5 * n + 2] = a(azimuth, 5 * n + 2) * K[azimuth];
    // The correction applies to the magnitude of Qa; its sign stays.
    job.qaDeg = job.qaDeg + job.spacerSign[0] * v[0] / secondsPerDegree;
    job.sumVVAngles = job.sumVVAngles + v[0] * v[0] + v[5 * n + 2] * v[5 * n + 2];

    const double qs = job.sideWeightReciprocal;
    for (int k = 1; k <= 2 * n + 1; ++k) {
        double correction = 0;
        for (const auto& entry : a.column(3 * n + k)) {
            if (entry.row > 2 * n + 3) break;
            correction += K[entry.row] * (entry.value * qs);
        }
        v[3 * n + k] = correction;
        job.sideLength[k] += correction / millimetresPerMetre;
        job.sumPVVSides += correction * correction / qs;
    }
}

void adjustedTraverse(ChainSurvey& job, double radiansPerDegree)
{
    const double k = radiansPerDegree;
    const int n = job.triangleCount;
    const ChainCase chainCase = chainCaseOf(job);
    auto& X = job.routeX;
    auto& Y = job.routeY;
    auto& T = job.routeAzimuth;
    const auto& sigma = job.spacerSign;
    const auto& C = job.angleC;
    const auto& S = job.sideLength;

    if (chainCase == ChainCase::none) {
        // No adjusted traverse: the route keeps its provisional points.
    } else {
        if (chainCase == ChainCase::hangingOnA) {
            T[1] = normalizedAzimuthUpperFirst(job.qaDeg + job.taDeg);
            X[1] = job.xa.value + S[1] * std::cos(T[1] * k);
            Y[1] = job.ya.value + S[1] * std::sin(T[1] * k);
            T[2] = normalizedAzimuth(T[1] + sigma[1] * C[1] - 180);
        } else {
            // P(1) is C; the route leaves it along A -> C turned by C(1).
            T[2] = normalizedAzimuth(job.taDeg + sigma[1] * C[1] + 180);
        }
        X[2] = X[1] + S[3] * std::cos(T[2] * k);
        Y[2] = Y[1] + S[3] * std::sin(T[2] * k);

        const int last = chainCase == ChainCase::knownStartAndEndSide ? n - 1 : n;
        for (int i = 2; i <= last; ++i) {
            const bool sameStation = sigma[i] == sigma[i - 1];
            T[i + 1] = normalizedAzimuthUpperFirst(T[i] + sigma[i] * C[i] + (sameStation ? 0 : 180));
            if (!sameStation) {
                X[i + 1] = X[i] + S[2 * i + 1] * std::cos(T[i + 1] * k);
                Y[i + 1] = Y[i] + S[2 * i + 1] * std::sin(T[i + 1] * k);
            } else {
                // Laid off from the point from which P(i) was laid off.
                X[i + 1] = X[i] - S[2 * i - 1] * std::cos(T[i] * k) + S[2 * i + 1] * std::cos(T[i + 1] * k);
                Y[i + 1] = Y[i] - S[2 * i - 1] * std::sin(T[i] * k) + S[2 * i + 1] * std::sin(T[i + 1] * k);
            }
        }
    }
    if (dGiven(job)) {
        X[n + 1] = job.xb.value;
        Y[n + 1] = job.yb.value;
    }
}

}  // namespace kestrane
