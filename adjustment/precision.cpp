#include "adjustment/precision.h"

#include <cmath>

#include "adjustment/conditions.h"
#include "chain/display_format.h"
#include "chain/number_text.h"

namespace kestrane {
namespace {

std::string millimetres(float value)
{
    return " " + misclosurePattern(value) + " 毫米";
}

}  // namespace

bool relativeErrorDefined(const ChainSurvey& job)
{
    const double relative = 1000 * job.weakestPointDistance / job.md;
    return job.md != 0 && std::isfinite(relative) && std::isfinite(toSingle(relative));
}

void assessPrecision(ChainSurvey& job, WindowFields& fields)
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

    const bool relativeDefined = relativeErrorDefined(job);
    job.relativeErrorM =
        relativeDefined ? toSingle(std::trunc(1000 * job.weakestPointDistance / job.md)) : 0;

    fields.setText(Text20, " " + formatRounded(job.mb, 2) + " 秒");
    fields.setText(Text21, millimetres(job.ms));
    fields.setText(Text24, millimetres(job.mx));
    fields.setText(Text25, millimetres(job.my));
    fields.setText(Text26, millimetres(job.md));
    fields.setText(Text27, relativeDefined ? " 1/" + formatGeneral(job.relativeErrorM) : "");
}

}  // namespace kestrane
