#include "adjustment/chain_adjustment.h"

#include "adjustment/conditions.h"
#include "adjustment/misclosures.h"
#include "adjustment/normal_equations.h"
#include "adjustment/precision.h"
#include "adjustment/second_group_rounds.h"
#include "dialogue/job_signals.h"

namespace kestrane {

void requireFiniteSideAngleMisclosures(const ChainSurvey& job)
{
    for (int j = 1; j <= 2 * job.triangleCount; ++j) requireFinite(job.misclosure[j]);
}

void requireFiniteClosingMisclosures(const ChainSurvey& job)
{
    const int n = job.triangleCount;
    for (int j = 2 * n + 1; j <= 2 * n + 3; ++j) requireFinite(job.misclosure[j]);
}

void requireFiniteRoute(const ChainSurvey& job)
{
    for (int i = 0; i <= job.triangleCount + 1; ++i) {
        requireFinite(job.routeX[i]);
        requireFinite(job.routeY[i]);
    }
}

void adjustFilledChain(ChainSurvey& job)
{
    setWeights(job);
    sideAngleMisclosures(job);
    requireFiniteSideAngleMisclosures(job);
    provisionalTraverse(job);
    closingMisclosures(job);
    requireFiniteClosingMisclosures(job);
    formConditions(job);
    formNormalEquations(job);
    solveWeightReciprocalX(job);
    solveWeightReciprocalY(job);
    solveCorrelates(job);
    correctAndClose(job);
    requireFiniteRoute(job);
    assessPrecision(job);
}

}  // namespace kestrane
