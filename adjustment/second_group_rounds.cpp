#include "adjustment/second_group_rounds.h"

#include <algorithm>
#include <cmath>

#include "adjustment/adjustment_error.h"
#include "adjustment/conditions.h"
#include "adjustment/corrections.h"
#include "adjustment/misclosures.h"
#include "adjustment/normal_equations.h"
#include "chain/angles.h"
#include "chain/units.h"

namespace kestrane {
namespace {

// What every round corrects: the first-group-corrected angles, the observed
// sides and the start orientation angle as typed.
struct ObservedValues {
    std::vector<double> angleA, angleB, angleC, sideLength;
    double qaDeg;

    explicit ObservedValues(const ChainSurvey& job)
        : angleA(job.angleA), angleB(job.angleB), angleC(job.angleC), sideLength(job.sideLength), qaDeg(job.qaDeg)
    {
    }

    void restore(ChainSurvey& job) const
    {
        job.angleA = angleA;
        job.angleB = angleB;
        job.angleC = angleC;
        job.sideLength = sideLength;
        job.qaDeg = qaDeg;
    }
};

// The adjusted azimuth of the closing side, P(n) -> P(n+1) or, with D given,
// the side D -> B that continues the route from D: the adjusted traverse of a
// chain closing on D stops at P(n), so the last turn is made here.
double closingSideAzimuth(const ChainSurvey& job)
{
    const int n = job.triangleCount;
    if (!dGiven(job)) return job.routeAzimuth[n + 1];
    const auto& sigma = job.spacerSign;
    const bool sameStation = n >= 2 && sigma[n] == sigma[n - 1];
    return normalizedAzimuth(job.routeAzimuth[n] + sigma[n] * job.angleC[n] + (sameStation ? 0 : 180));
}

// W - A v: the misclosures of the adjusted values less what the corrections
// so far already account for in the conditions just formed.
std::vector<double> linearisedMisclosures(const ChainSurvey& job, const std::vector<double>& adjusted)
{
    std::vector<double> w = adjusted;
    for (int j = 1; j <= 2 * job.triangleCount + 3; ++j)
        for (const auto& entry : job.conditionMatrix.row(j)) w[j] -= entry.value * job.correction[entry.column];
    return w;
}

}  // namespace

std::vector<double> adjustedMisclosures(const ChainSurvey& job)
{
    const int n = job.triangleCount;
    std::vector<double> W(2 * n + 4, 0.0);
    for (int i = 1; i <= n; ++i) {
        const SideAngleMisclosures sideAngle = sideAngleMisclosuresOf(job, i);
        W[2 * i - 1] = sideAngle.odd;
        W[2 * i] = sideAngle.even;
    }
    const double closingSide = closingSideAzimuth(job);
    if (dGiven(job)) {
        // D is the station the X and Y conditions close on: P(n), or P(n-1)
        // when the last two spacer angles lie there and the adjusted traverse
        // has laid P(n) off to the far end of S(2n-1).
        const int d = closingLegCount(job) + 1;
        W[2 * n + 1] = secondsPerDegree * azimuthDifference(closingSide, job.tbDeg);
        W[2 * n + 2] = job.routeX[d] - job.xd.value;
        W[2 * n + 3] = job.routeY[d] - job.yd.value;
    } else {
        // Qb is an observation too: its correction turns the closing azimuth.
        const double qb = job.qbDeg + job.spacerSign[n + 1] * job.correction[5 * n + 2] / secondsPerDegree;
        W[2 * n + 1] = secondsPerDegree * azimuthDifference(normalizedAzimuth(closingSide + qb + 180), job.tbDeg);
        W[2 * n + 2] = job.routeX[n + 1] - job.xb.value;
        W[2 * n + 3] = job.routeY[n + 1] - job.yb.value;
    }
    return W;
}

double largestMisclosure(const ChainSurvey& job, const std::vector<double>& misclosures)
{
    const int n = job.triangleCount;
    double largest = 0;
    for (int j = 1; j <= 2 * n + 3; ++j) {
        const double size = std::fabs(misclosures[j]) * (j == 2 * n + 1 ? 1 : millimetresPerMetre);
        // A misclosure that is not a number never closes.
        largest = std::isnan(size) ? INFINITY : std::max(largest, size);
    }
    return largest;
}

void solveAtAdjustedValues(ChainSurvey& job, const std::vector<double>& adjusted)
{
    formConditions(job);
    const std::vector<double> w = linearisedMisclosures(job, adjusted);
    formNormalEquations(job);
    solveWeightReciprocalX(job);
    solveWeightReciprocalY(job);
    solveCorrelates(job, w);
}

int correctAndClose(ChainSurvey& job)
{
    const ObservedValues observed(job);
    applyCorrections(job);
    adjustedTraverse(job);
    for (int round = 1;; ++round) {
        const std::vector<double> adjusted = adjustedMisclosures(job);
        if (largestMisclosure(job, adjusted) <= roundClosingTolerance) return job.adjustmentRounds = round;
        if (round == mostAdjustmentRounds) throw AdjustmentError(AdjustmentError::Cause::roundsDoNotClose, round);

        solveAtAdjustedValues(job, adjusted);
        observed.restore(job);
        applyCorrections(job);
        adjustedTraverse(job);
    }
}

}  // namespace kestrane
