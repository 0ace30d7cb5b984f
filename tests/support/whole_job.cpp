#include "whole_job.h"

#include <stdexcept>

#include "job/data_input_job.h"
#include "scripted_io.h"

namespace kestrane::testing {

ChainSurvey typedRecord(const std::vector<std::string>& answers)
{
    ScriptedIo io(answers);
    Dialogue dialogue(io, io);
    ChainSurvey job;
    inputJob(job, dialogue);
    return job;
}

std::unique_ptr<ChainSurvey> finishedRecord(const std::vector<std::string>& answers)
{
    auto job = std::make_unique<ChainSurvey>();
    ScriptedIo io(answers);
    const JobOutcome outcome = runDataInputJob(*job, io, io);
    if (outcome.end != JobEnd::done) throw std::runtime_error("the job did not run to its end: " + outcome.reason);
    return job;
}

void adjustFilledChain(ChainSurvey& job)
{
    Unattended unattended;
    Dialogue dialogue(unattended, unattended);
    adjustShowingEachStep(job, dialogue);
}

}  // namespace kestrane::testing
