#include "adjustment/precision.h"

#include <cmath>

#include "adjustment/conditions.h"
#include "chain/single_precision.h"
#include "chain/units.h"

namespace kestrane {

bool relativeErrorDefined(const ChainSurvey& job)
{
    const double relative = millimetresPerMetre * job.weakestPointDistance / job.md;
    return job.md != 0 && std::isfinite(relative) && std::isfinite(toSingle(relative));
}

void assessPrecision(ChainSurvey& job)
{
    const int n = job.triangleCount;
    const int K = weakestPoint(n);
    const double dx = job.routeX[K] - job.xa.value, dy = job.routeY[K] - job.ya.value;
    job.weakestPointDistance = std::sqrt(dx * dx + dy * dy);

    // 3n + 3 conditions in both groups: n angle sums, 2n side-angle
    // conditions, azimuth, X and Y.
    job.mb = toSingle(std::sqrt((job.sumPVVSides + job.sumVVAngles) / (3 * n + 3)));
    const double mb = job.mb;
    job.ms = toSingle(mb * std::sqrt(job.sideWeightReciprocal));
    job.mx = toSingle(mb * std::sqrt(job.invPx));
    job.my = toSingle(mb * std::sqrt(job.invPy));
    const double mx = job.mx, my = job.my;
    job.md = toSingle(std::sqrt(mx * mx + my * my));

    job.relativeErrorM =
        relativeErrorDefined(job) ? toSingle(std::trunc(millimetresPerMetre * job.weakestPointDistance / job.md)) : 0;
}

}  // namespace kestrane
