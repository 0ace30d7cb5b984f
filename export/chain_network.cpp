#include "export/chain_network.h"

#include "chain/chain_survey.h"

namespace kestrane {

std::vector<TriangleStations> triangleStations(const ChainSurvey& job)
{
    const int n = job.triangleCount;
    const auto& sign = job.spacerSign;
    std::vector<TriangleStations> stations(n + 1);
    if (n < 1) return stations;
    stations[1] = {0, 1, 2};
    for (int i = 2; i <= n; ++i) {
        const TriangleStations& before = stations[i - 1];
        if (sign[i] == sign[i - 1])
            stations[i] = {i, before.v, i + 1};  // the fan turns about the same station
        else
            stations[i] = {before.v, i, i + 1};  // the zigzag steps on
    }
    return stations;
}

SideEnds sideEnds(const std::vector<TriangleStations>& stations, int k)
{
    if (k == 1) return {stations[1].u, stations[1].v};
    const TriangleStations& t = stations[k / 2];  // S(2i) and S(2i+1) belong to triangle i
    if (k % 2 == 0) return {t.u, t.w};
    return {t.v, t.w};
}

bool sideObserved(const ChainSurvey& job, int k)
{
    const int n = job.triangleCount;
    if (k == 1 && cGiven(job)) return false;
    if (k == 2 * n + 1 && dGiven(job)) return false;
    return true;
}

std::vector<KnownPoint> knownPoints(const ChainSurvey& job, const std::vector<TriangleStations>& stations)
{
    const int n = job.triangleCount;
    std::vector<KnownPoint> known{{"A", 0, job.xa.value, job.ya.value}};
    if (cGiven(job)) known.push_back({"C", 1, job.xc.value, job.yc.value});
    if (dGiven(job)) known.push_back({"D", stations[n].v, job.xd.value, job.yd.value});
    known.push_back({"B", n + 1, job.xb.value, job.yb.value});
    return known;
}

}  // namespace kestrane
