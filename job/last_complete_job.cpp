#include "job/last_complete_job.h"

namespace kestrane {

void LastCompleteJob::jobEnded(const ChainSurvey& job, JobEnd end)
{
    laterJobUnfinished_ = end != JobEnd::done;
    if (end == JobEnd::done) job_ = job;
}

}  // namespace kestrane
