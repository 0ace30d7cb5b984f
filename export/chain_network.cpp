#include "export/chain_network.h"

#include "chain/chain_survey.h"

namespace kestrane {

bool sideObserved(const ChainSurvey& job, int k)
{
    const int n = job.triangleCount;
    if (k == 1 && cGiven(job)) return false;
    if (k == 2 * n + 1 && dGiven(job)) return false;
    return true;
}

std::vector<KnownPoint> knownPoints(const ChainSurvey& job, const NetworkGeometry& geometry)
{
    const int n = job.triangleCount;
    std::vector<KnownPoint> known{{"A", 0, job.xa.value, job.ya.value}};
    if (cGiven(job)) known.push_back({"C", 1, job.xc.value, job.yc.value});
    if (dGiven(job)) known.push_back({"D", geometry.triangles.back().spacerVertex, job.xd.value, job.yd.value});
    known.push_back({"B", n + 1, job.xb.value, job.yb.value});
    return known;
}

}  // namespace kestrane
