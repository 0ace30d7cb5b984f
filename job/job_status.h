// The status line of the window after a job: how the job ended and where its
// values came from, and, when the job ran through from a file without a box
// opening (its misclosures passed on the screen unseen), the triangles whose
// angle-sum misclosure is a blunder rather than noise.
#pragma once

#include <string>
#include <vector>

#include "chain/chain_survey.h"
#include "job/job_end.h"

namespace kestrane {

// |w| beyond this many times the angle tolerance marks a triangle whose
// angles hold a blunder: the tolerance is the limit of the misclosure of
// one triangle, and 2√3 times it lies far outside what the angle errors
// the tolerance allows can add up to.
inline constexpr double blunderFactor = 3.4641016151377544;  // 2√3

// The triangles i (1..n) whose |w(i)| exceeds blunderFactor times the
// tolerance, in order; none when the tolerance is not positive.
std::vector<int> trianglesBeyondTolerance(const ChainSurvey& job);

// source: the job file's name, or empty for a job typed at the prompts.
// "上次作业:完成(手工输入)", "上次作业:放弃(作业文件 chain.kjob)".
std::string jobEndStatus(JobEnd end, const std::string& source);

// "三角形 12 闭合差 28.10 秒,超过限差 2.5 秒的 2√3 倍(8.66 秒);请查看 分析 → 平差分析…"
// for the triangles found, several joined by "、"; empty when there are none.
std::string blunderStatus(const ChainSurvey& job, const std::vector<int>& triangles);

}  // namespace kestrane
