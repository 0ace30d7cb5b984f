// Timing of the adjustment, from a record whose input is complete to the
// last precision figure, for chains of 10 to 6552 triangles; of the literal
// dense scheme for the small ones; and of the replay tool running a whole
// job from its transcript, log included.
#include <benchmark/benchmark.h>

#include <map>
#include <sstream>

#include "dense_oracle.h"
#include "scripted_io.h"
#include "job/data_input_job.h"
#include "adjustment/misclosures.h"
#include "synthetic_chain.h"
#include "whole_job.h"
#include "tools/replay/replay.h"

namespace kestrane {
namespace {

// The record of an n-triangle chain with every observation typed in: noisy
// (2", 4 mm), or noise-free, where the second group closes in one round.
const ChainSurvey& filledRecord(int n, bool noisy = true)
{
    static std::map<std::pair<int, bool>, ChainSurvey> records;
    auto found = records.find({n, noisy});
    if (found == records.end()) {
        const double angleNoise = noisy ? 2 : 0, sideNoise = noisy ? 0.004 : 0;
        const auto chain =
            testing::makeChain({.triangles = n, .seed = 7, .angleNoise = angleNoise, .sideNoise = sideNoise});
        found = records.emplace(std::pair{n, noisy}, testing::typedRecord(chain.answers)).first;
    }
    return found->second;
}

void Adjustment(benchmark::State& state)
{
    const ChainSurvey& filled = filledRecord(static_cast<int>(state.range(0)), state.range(1) != 0);
    testing::Unattended unattended;
    Dialogue dialogue(unattended, unattended);
    for (auto _ : state) {
        state.PauseTiming();
        ChainSurvey job = filled;
        state.ResumeTiming();
        adjustShowingEachStep(job, dialogue);
        benchmark::DoNotOptimize(job.relativeErrorM);
        state.counters["rounds"] = job.adjustmentRounds;
    }
}
// Second argument: 1 noisy, 0 noise-free.
BENCHMARK(Adjustment)
    ->ArgsProduct({{10, 100, 200, 1000, 6552}, {0, 1}})
    ->ArgNames({"n", "noisy"})
    ->Unit(benchmark::kMillisecond);

void DenseAdjustment(benchmark::State& state)
{
    const ChainSurvey& filled = filledRecord(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        ChainSurvey job = filled;
        state.ResumeTiming();
        setWeights(job);
        sideAngleMisclosures(job);
        provisionalTraverse(job);
        closingMisclosures(job);
        testing::DenseAdjustment dense;
        testing::denseAdjust(job, dense);
        benchmark::DoNotOptimize(job.invPx);
    }
}
BENCHMARK(DenseAdjustment)->Arg(10)->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond);

void ReplayWholeJob(benchmark::State& state)
{
    const auto chain = testing::makeChain(
        {.triangles = static_cast<int>(state.range(0)), .seed = 7, .angleNoise = 2, .sideNoise = 0.004});
    std::string transcript = "@data\n";
    for (const auto& answer : chain.answers) transcript += answer + "\n";
    for (auto _ : state) {
        std::ostringstream log;
        benchmark::DoNotOptimize(replay::replayTranscript(transcript, log));
        state.counters["log MB"] = static_cast<double>(log.tellp()) / 1e6;
    }
    state.counters["answers"] = static_cast<double>(chain.answers.size());
}
BENCHMARK(ReplayWholeJob)->Arg(6552)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kestrane

BENCHMARK_MAIN();
