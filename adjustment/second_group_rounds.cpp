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

// What a further round must move for display to show it: a route point by
// 0.01 mm, an azimuth or an angle's correction by 0.001", a side's
// correction by 0.01 mm.
constexpr double visiblePointMove = 0.01 / millimetresPerMetre;  // metres
constexpr double visibleAngleChange = 0.001;                       // seconds
constexpr double visibleSideChange = 0.01;                         // millimetres
// A fall of [pvv] beyond what rounding can make: a billionth of [pvv], and
// at least the square of the least angle correction that shows.
constexpr double roundingShareOfPVV = 1e-9;
constexpr double leastVisibleFallOfPVV = visibleAngleChange * visibleAngleChange;

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

double sumPVV(const ChainSurvey& job)
{
    return job.sumVVAngles + job.sumPVVSides;
}

// Whether the check round `after`, made from the adjusted values of
// `before` whose misclosures are W, leaves everything display shows where it
// was and finds no smaller [pvv].
//
// [pvv] of a round that closes to 0.1 mm, but not exactly, is not yet that of
// the closed chain: closing the misclosures W changes it by -2 K^T W to first
// order (K the correlates of the check round), and the check round's own
// step, small as it is, takes off up to twice its square sum [dv dv p]. Only
// a fall beyond both, and beyond rounding, shows a better solution further on.
bool nothingVisibleMoves(const ChainSurvey& before, const ChainSurvey& after, const std::vector<double>& W)
{
    const int n = before.triangleCount;
    for (int i = 0; i <= n + 1; ++i) {
        const double move = std::hypot(after.routeX[i] - before.routeX[i], after.routeY[i] - before.routeY[i]);
        if (!(move < visiblePointMove)) return false;
    }
    for (int i = 1; i <= n + 1; ++i) {
        const double turn = secondsPerDegree * azimuthDifference(after.routeAzimuth[i], before.routeAzimuth[i]);
        if (!(std::fabs(turn) < visibleAngleChange)) return false;
    }
    double stepSquares = 0;  // [dv dv p]
    for (int k = 0; k <= 5 * n + 2; ++k) {
        const bool side = k > 3 * n && k <= 5 * n + 1;
        const double change = after.correction[k] - before.correction[k];
        if (!(std::fabs(change) < (side ? visibleSideChange : visibleAngleChange))) return false;
        stepSquares += change * change / before.weightReciprocal[k];
    }
    double closing = 0;  // K^T W
    for (int j = 1; j <= 2 * n + 3; ++j) closing += after.correlates[j] * W[j];
    const double expected = sumPVV(before) - 2 * closing;
    const double allowedFall = 2 * stepSquares + roundingShareOfPVV * sumPVV(before) + leastVisibleFallOfPVV;
    return !(sumPVV(after) < expected - allowedFall);
}

// One more round from the adjusted values of job: the conditions formed
// again there and solved for the total correction, applied to the observed
// values, and the adjusted traverse. adjusted is adjustedMisclosures(job,
// radiansPerDegree).
void furtherRound(ChainSurvey& job, const ObservedValues& observed, const std::vector<double>& adjusted,
                  double radiansPerDegree)
{
    solveAtAdjustedValues(job, adjusted, radiansPerDegree);
    observed.restore(job);
    applyCorrections(job);
    adjustedTraverse(job, radiansPerDegree);
}

}  // namespace

std::vector<double> adjustedMisclosures(const ChainSurvey& job, double radiansPerDegree)
{
    const int n = job.triangleCount;
    std::vector<double> W(2 * n + 4, 0.0);
    for (int i = 1; i <= n; ++i) {
        const SideAngleMisclosures sideAngle = sideAngleMisclosuresOf(job, i, radiansPerDegree);
        W[2 * i - 1] = sideAngle.odd;
        W[2 * i] = sideAngle.even;
    }
    const double closingSide = closingSideAzimuth(job);
    if (dGiven(job)) {
        // D is the station the X and Y conditions close on: P(n), or the
        // station of a fan at the end, where the adjusted traverse has laid
        // the later route points off to the far ends of their sides.
        const int d = closingStation(job);
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

void solveAtAdjustedValues(ChainSurvey& job, const std::vector<double>& adjusted, double radiansPerDegree)
{
    formConditionsAtAdjustedValues(job, radiansPerDegree);
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
        // The first round computes as the scheme does, and so does its check;
        // every later round computes with the exact pi.
        const double unit = round == 1 ? degToRad : exactDegToRad;
        std::vector<double> adjusted = adjustedMisclosures(job, unit);
        if (largestMisclosure(job, adjusted) <= roundClosingTolerance) {
            // Closed: the next round, made aside, checks that this one is the
            // least-squares solution. Where it is, the record keeps this
            // round's figures.
            ChainSurvey check = job;
            furtherRound(check, observed, adjusted, unit);
            if (nothingVisibleMoves(job, check, adjusted)) return job.adjustmentRounds = round;
            if (unit == exactDegToRad && round < mostAdjustmentRounds) {
                job = std::move(check);
                continue;
            }
        }
        if (round == mostAdjustmentRounds) throw AdjustmentError(AdjustmentError::Cause::roundsDoNotClose, round);
        if (unit != exactDegToRad) adjusted = adjustedMisclosures(job, exactDegToRad);
        furtherRound(job, observed, adjusted, exactDegToRad);
    }
}

}  // namespace kestrane
