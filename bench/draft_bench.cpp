// Timing of the job editor's draft on the largest chain: a job file of
// n = 6552 read and laid into the draft with its summary line (what opening
// it in the editor computes before the table shows), and one cell typed
// again (an angle, which re-checks its triangle, or a side, after which the
// mean side is summed again) with the summary the window shows after it.
#include <benchmark/benchmark.h>

#include <variant>

#include "chain/chain_survey.h"
#include "draft/job_draft.h"
#include "generated_job_file.h"

namespace kestrane {
namespace {

const std::string& largestJobFile()
{
    static const std::string text = bench::generatedJobFile(maxTriangleCount);
    return text;
}

void DraftOpenJobFile(benchmark::State& state)
{
    const std::string& text = largestJobFile();
    for (auto _ : state) {
        const JobFile file = std::get<JobFile>(parseJobFile(text, "bench.kjob"));
        const JobDraft draft = JobDraft::ofFile(file);
        benchmark::DoNotOptimize(openingNotice(file, draft));
        benchmark::DoNotOptimize(draft.summary());
    }
}
BENCHMARK(DraftOpenJobFile)->Unit(benchmark::kMillisecond);

// Argument 0: an angle of the middle triangle; 1: a side, and the mean side.
void DraftEditOneCell(benchmark::State& state)
{
    JobDraft draft = JobDraft::ofFile(std::get<JobFile>(parseJobFile(largestJobFile(), "bench.kjob")));
    const bool side = state.range(0) == 1;
    const JobKey key{side ? KeyFamily::side : KeyFamily::angleB, side ? 6552 : 3276};
    const std::string values[] = {draft.text(key), side ? "1234.5" : "60.1234"};
    int turn = 0;
    for (auto _ : state) {
        const DraftChange change = draft.apply({{key, values[++turn % 2]}});
        benchmark::DoNotOptimize(draft.meanSide());
        benchmark::DoNotOptimize(change);
    }
}
BENCHMARK(DraftEditOneCell)->Arg(0)->Arg(1)->ArgName("side")->Unit(benchmark::kMicrosecond);

// The summary line alone, which the window shows after every edit.
void DraftSummary(benchmark::State& state)
{
    const JobDraft draft = JobDraft::ofFile(std::get<JobFile>(parseJobFile(largestJobFile(), "bench.kjob")));
    for (auto _ : state) benchmark::DoNotOptimize(draft.summary());
}
BENCHMARK(DraftSummary)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kestrane
