#include "job/job_status.h"

#include <gtest/gtest.h>

namespace kestrane {
namespace {

ChainSurvey chainWithMisclosures(const std::vector<float>& w, const char* tolerance)
{
    ChainSurvey job;
    job.size(static_cast<int>(w.size()));
    job.angleTolerance = TypedNumber::fromText(tolerance);
    for (std::size_t i = 0; i < w.size(); ++i) job.triangleMisclosure[i + 1] = w[i];
    return job;
}

TEST(JobStatus, SaysHowTheJobEndedAndWhereItsValuesCameFrom)
{
    EXPECT_EQ(jobEndStatus(JobEnd::done, ""), "上次作业:完成(手工输入)");
    EXPECT_EQ(jobEndStatus(JobEnd::abandoned, "chain.kjob"), "上次作业:放弃(作业文件 chain.kjob)");
    EXPECT_EQ(jobEndStatus(JobEnd::stopped, "chain.kjob"), "上次作业:中止(作业文件 chain.kjob)");
}

// 2√3 × 2.5″ = 8.66″: 8.66 passes, 8.67 and -28.1 do not.
TEST(JobStatus, NamesTheTrianglesBeyondTwoRootThreeTimesTheTolerance)
{
    const ChainSurvey job = chainWithMisclosures({1.2f, 8.66f, -28.1f, 8.67f, 0}, "2.5");
    EXPECT_EQ(trianglesBeyondTolerance(job), (std::vector<int>{3, 4}));
    EXPECT_EQ(blunderStatus(job, {3, 4}),
              "三角形 3、4 闭合差 -28.10、8.67 秒,超过限差 2.5 秒的 2√3 倍(8.66 秒);请查看 分析 → 平差分析…");
    EXPECT_EQ(blunderStatus(job, {}), "");
}

TEST(JobStatus, AToleranceOfZeroJudgesNothing)
{
    EXPECT_TRUE(trianglesBeyondTolerance(chainWithMisclosures({30, -40}, "0")).empty());
}

TEST(JobStatus, ALongListNamesTheFirstFiveAndTheCount)
{
    const ChainSurvey job = chainWithMisclosures(std::vector<float>(7, 20.0f), "2");
    const auto found = trianglesBeyondTolerance(job);
    ASSERT_EQ(found.size(), 7u);
    EXPECT_EQ(blunderStatus(job, found).rfind("三角形 1、2、3、4、5 等 7 个 闭合差 20.00、20.00、20.00、20.00、20.00 …", 0), 0u);
}

}  // namespace
}  // namespace kestrane
