// Timing of the quality analysis of a finished job, for chains of 100 to
// 6552 triangles, and of its two parts that grow with the chain: the
// reduction of the normal matrix and the weight reciprocals of every route
// point, carried along the chain instead of one solve per point.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>

#include "analysis/chain_normals.h"
#include "analysis/point_weight_reciprocals.h"
#include "analysis/quality_analysis.h"
#include "synthetic_chain.h"
#include "whole_job.h"

namespace kestrane {
namespace {

// The record of an n-triangle chain after its whole job.
const ChainSurvey& recordOfChain(int n)
{
    static std::map<int, std::unique_ptr<ChainSurvey>> records;
    auto& record = records[n];
    if (!record) {
        const auto chain = testing::makeChain({.triangles = n, .seed = 7, .angleNoise = 2, .sideNoise = 0.004});
        record = testing::finishedRecord(chain.answers);
    }
    return *record;
}

void Analysis(benchmark::State& state)
{
    const ChainSurvey& job = recordOfChain(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const ChainAnalysis analysis = analyseChain(job);
        benchmark::DoNotOptimize(analysis.points.back().mp);
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(Analysis)->Arg(100)->Arg(200)->Arg(1000)->Arg(3000)->Arg(6552)->Unit(benchmark::kMillisecond)->Complexity();

// The same, checked against a grade: every condition's limit propagated
// along the chain.
void GradedAnalysis(benchmark::State& state)
{
    const ChainSurvey& job = recordOfChain(static_cast<int>(state.range(0)));
    const auto grade = standardGrade("四等");
    for (auto _ : state) {
        const ChainAnalysis analysis = analyseChain(job, grade);
        benchmark::DoNotOptimize(analysis.grading->passed);
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(GradedAnalysis)->Arg(100)->Arg(1000)->Arg(6552)->Unit(benchmark::kMillisecond)->Complexity();

// The reduction of the normal matrix, then the weight reciprocals of X and Y
// of every route point.
void PointWeightReciprocals(benchmark::State& state)
{
    const ChainSurvey& job = recordOfChain(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const ChainNormals normals(job);
        const auto reciprocals = pointWeightReciprocals(job, normals);
        benchmark::DoNotOptimize(reciprocals.back().xx);
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(PointWeightReciprocals)->Arg(100)->Arg(200)->Arg(1000)->Arg(3000)->Arg(6552)->Unit(benchmark::kMillisecond)->Complexity();

}  // namespace
}  // namespace kestrane
