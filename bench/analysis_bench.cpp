// Timing of the quality analysis of a finished job, for chains of 100 to
// 6552 triangles, beside the plain route it avoids: one solve of the normal
// equations per route point.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>

#include "analysis/chain_normals.h"
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

// The reduction of the normal matrix and one solve per route point: what the
// point precisions would cost the plain way, without forming the weight
// functions.
void SolvePerPoint(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    const ChainSurvey& job = recordOfChain(n);
    for (auto _ : state) {
        const ChainNormals normals(job);
        std::vector<double> u(2 * n + 4);
        for (int point = 0; point <= n + 1; ++point) {
            std::fill(u.begin(), u.end(), 1.0);
            normals.solve(u);
            benchmark::DoNotOptimize(u.data());
        }
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(SolvePerPoint)->Arg(100)->Arg(200)->Arg(1000)->Arg(3000)->Arg(6552)->Unit(benchmark::kMillisecond)->Complexity();

}  // namespace
}  // namespace kestrane
