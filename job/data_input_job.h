// One press of the data-input button: a whole job, from the first prompt to
// the last figure, on the job record owned by the window. The adjustment
// stages only compute; the job shows each figure as it comes, behind the
// pause prompts the surveyor steps through.
#pragma once

#include <string>

#include "chain/chain_survey.h"
#include "dialogue/dialogue.h"
#include "job/job_end.h"

namespace kestrane {

struct JobOutcome {
    JobEnd end = JobEnd::done;
    std::string reason;  // why a stopped job could not go on
};

// sources: a job file that answers the prompts whose keys it holds, and the
// journal that takes every accepted value; a plain press has neither.
JobOutcome runDataInputJob(ChainSurvey& job, InputBox& inputBox, WindowFields& fields, ValueSources sources = {});

// The two halves of a job. Input: the control data, the point names, the
// angles with their triangle misclosures, the sides and the mean side.
// Adjustment: the misclosures of the second group, the conditions, the normal
// equations, the corrections, the adjusted points and the precision, each
// shown as it comes. Either half unwinds by JobAbandoned or JobStopped, the
// adjustment also by AdjustmentError; runDataInputJob tells the surveyor.
void inputJob(ChainSurvey& job, Dialogue& dialogue);
void adjustShowingEachStep(ChainSurvey& job, Dialogue& dialogue);

}  // namespace kestrane
