#include "job/last_complete_job.h"

#include "job/print_texts.h"

namespace kestrane {

void LastCompleteJob::jobEnded(const ChainSurvey& job, JobEnd end)
{
    laterJobUnfinished_ = end != JobEnd::done;
    if (end == JobEnd::done) job_ = job;
}

const ChainSurvey* jobToPrint(const LastCompleteJob& jobs, InputBox& box)
{
    const ChainSurvey* job = jobs.job();
    if (!job) box.warn(print_texts::refusal, false);
    else if (jobs.laterJobUnfinished()) box.warn(print_texts::earlierJobNotice, false);
    return job;
}

}  // namespace kestrane
