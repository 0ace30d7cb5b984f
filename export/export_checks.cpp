#include "export/export_checks.h"

#include <cmath>

#include "adjustment/conditions.h"
#include "chain/utf8.h"
#include "chain/text_encoding.h"

namespace kestrane {

ExportResult checkFinishedJob(const ChainSurvey& job, const std::vector<PointPrecision>* precision)
{
    const int n = job.triangleCount;
    const std::size_t points = n + 2;
    const bool sized = n >= 1 && job.pointName.size() == points && job.routeX.size() == points &&
                       job.routeY.size() == points && job.spacerSign.size() == points &&
                       job.packedA.size() == points - 1 && job.packedB.size() == points - 1 &&
                       job.packedC.size() == points - 1 && job.sideLength.size() == 2 * points - 2 &&
                       job.observedSide.size() == 2 * points - 2 && job.correction.size() == 5 * points - 7;
    if (!sized || chainCaseOf(job) == ChainCase::none) return exportRefused("没有算完的平差结果可以导出。");
    for (std::size_t i = 0; i < points; ++i)
        if (!std::isfinite(job.routeX[i]) || !std::isfinite(job.routeY[i]))
            return exportRefused("第 " + std::to_string(i) + " 点的座标不是有限的数,无法导出。");
    if (precision && precision->size() != points)
        return exportRefused("精度分析的点数与本次计算的推算点数不符,无法导出。");
    return exportWritten();
}

std::string pointCalled(const ChainSurvey& job, int i)
{
    return "第 " + std::to_string(i) + " 点的点名“" + job.pointName[i] + "”";
}

ExportResult checkNamesAreText(const ChainSurvey& job)
{
    for (int i = 0; i < static_cast<int>(job.pointName.size()); ++i)
        if (!utf8::isWellFormed(job.pointName[i]))
            return exportRefused("第 " + std::to_string(i) + " 点的点名中有" +
                                 firstUnencodable(job.pointName[i], "UTF-8") + ",无法导出。");
    return exportWritten();
}

}  // namespace kestrane
