#include "generated_job_file.h"

#include "chain/chain_survey.h"
#include "jobfile/recorded_job.h"
#include "scripted_io.h"
#include "synthetic_chain.h"

namespace kestrane::bench {

std::string generatedJobFile(int triangles, unsigned seed)
{
    const auto chain =
        testing::makeChain({.triangles = triangles, .seed = seed, .angleNoise = 2, .sideNoise = 0.004});
    testing::ScriptedIo io(chain.answers);
    JobRecording recording(io);
    ChainSurvey job;
    runRecordedJob(job, io, io, nullptr, recording);
    return jobFileText(recording.values(), JobFileClock::now());
}

}  // namespace kestrane::bench
