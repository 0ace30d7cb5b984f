// Timing of the job files: the replay of a whole n = 6552 job opened from its
// file (the log included), and one journal write, which appends a value and
// forces it to the disk, on the build's own file system and in memory.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "generated_job_file.h"
#include "jobfile/journal.h"
#include "tools/replay/replay.h"

namespace kestrane {
namespace {

namespace fs = std::filesystem;

fs::path scratchFile(const fs::path& folder, const std::string& name)
{
    fs::create_directories(folder);
    return folder / (name + "-" + std::to_string(::getpid()) + ".kjob");
}

void ReplayJobFile(benchmark::State& state)
{
    const fs::path path = scratchFile(fs::temp_directory_path(), "bench-job");
    std::ofstream(path, std::ios::binary) << bench::generatedJobFile(static_cast<int>(state.range(0)));
    const replay::JobFileOptions options{.job = path.string(), .saveJob = {}};
    for (auto _ : state) {
        std::ostringstream log;
        benchmark::DoNotOptimize(replay::replayTranscript("", log, options));
        state.counters["log MB"] = static_cast<double>(log.tellp()) / 1e6;
    }
    fs::remove(path);
}
BENCHMARK(ReplayJobFile)->Arg(6552)->Unit(benchmark::kMillisecond);

// One value appended and forced to the disk. Argument 0: a folder beside the
// build (the disk); 1: the shared memory file system, where fsync is free.
void JournalAppend(benchmark::State& state)
{
    const fs::path folder = state.range(0) == 0 ? fs::current_path() / "bench-journal" : fs::path("/dev/shm");
    const fs::path path = scratchFile(folder, "journal");
    auto started = Journal::start(path, JobFileClock::now());
    Journal& journal = std::get<Journal>(started);
    journal.append("n", "6552");
    int side = 0;
    for (auto _ : state) {
        side = side % 13105 + 1;
        benchmark::DoNotOptimize(journal.append("S" + std::to_string(side), "1234.567"));
    }
    fs::remove(path);
}
BENCHMARK(JournalAppend)->Arg(0)->Arg(1)->ArgName("memory")->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kestrane
