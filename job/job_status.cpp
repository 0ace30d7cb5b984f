#include "job/job_status.h"

#include <cmath>

#include "chain/display_format.h"

namespace kestrane {

std::vector<int> trianglesBeyondTolerance(const ChainSurvey& job)
{
    std::vector<int> found;
    const double tolerance = job.angleTolerance.value;
    if (!(tolerance > 0)) return found;
    const double limit = blunderFactor * tolerance;
    const int n = job.triangleCount;
    for (int i = 1; i <= n && i < static_cast<int>(job.triangleMisclosure.size()); ++i)
        if (std::fabs(job.triangleMisclosure[i]) > limit) found.push_back(i);
    return found;
}

std::string jobEndStatus(JobEnd end, const std::string& source)
{
    const char* how = end == JobEnd::done ? "完成" : end == JobEnd::abandoned ? "放弃" : "中止";
    return std::string("上次作业:") + how + "(" + (source.empty() ? "手工输入" : "作业文件 " + source) + ")";
}

std::string blunderStatus(const ChainSurvey& job, const std::vector<int>& triangles)
{
    if (triangles.empty()) return {};
    // Long chains name the first few; the analysis lists them all.
    constexpr std::size_t named = 5;
    std::string indices, values;
    for (std::size_t k = 0; k < triangles.size() && k < named; ++k) {
        if (k > 0) indices += "、", values += "、";
        indices += std::to_string(triangles[k]);
        values += misclosurePattern(job.triangleMisclosure[triangles[k]]);
    }
    if (triangles.size() > named) indices += " 等 " + std::to_string(triangles.size()) + " 个", values += " …";
    return "三角形 " + indices + " 闭合差 " + values + " 秒,超过限差 " + job.angleTolerance.text + " 秒的 2√3 倍(" +
           misclosurePattern(static_cast<float>(blunderFactor * job.angleTolerance.value)) +
           " 秒);请查看 分析 → 平差分析…";
}

}  // namespace kestrane
