// One press of the data-input button: a whole job, from the first prompt to
// the last figure, on the job record owned by the window.
#pragma once

#include <string>

#include "chain/chain_survey.h"
#include "input/job_io.h"

namespace kestrane {

enum class JobEnd { done, abandoned, stopped };

struct JobOutcome {
    JobEnd end = JobEnd::done;
    std::string reason;  // why a stopped job could not go on
};

// Thrown by a stage when the job cannot go on; the job tells the surveyor why.
struct JobStopped {
    std::string reason;
};

JobOutcome runDataInputJob(ChainSurvey& job, InputBox& inputBox, WindowFields& fields);

}  // namespace kestrane
