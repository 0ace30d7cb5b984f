#include "adjustment/misclosures.h"

#include "chain/angles.h"

namespace kestrane {

float settleTriangle(ChainSurvey& job, int i)
{
    const float w = static_cast<float>((job.angleA[i] + job.angleB[i] + job.angleC[i] - 180) * secondsPerDegree);
    job.triangleMisclosure[i] = w;
    const double third = w / secondsPerThirdOfDegree;  // degrees
    job.angleA[i] -= third;
    job.angleB[i] -= third;
    job.angleC[i] -= third;
    job.firstGroupSumVV += static_cast<double>(w) * w / 3;
    return w;
}

}  // namespace kestrane
