// The last job that ran to its end, kept as it ended. The print button, the
// analysis and the exports work from it, so that a later job that was
// abandoned or stopped half way (a stray press of the data-input button)
// costs nothing already computed.
#pragma once

#include <optional>

#include "chain/chain_survey.h"
#include "dialogue/input_box.h"
#include "job/job_end.h"

namespace kestrane {

class LastCompleteJob {
public:
    // Called when a job ends, however it ended: a job that ran to its end is
    // copied; any other end leaves the earlier complete job in place.
    void jobEnded(const ChainSurvey& job, JobEnd end);

    // The last complete job; nullptr when none has ended since the start.
    const ChainSurvey* job() const { return job_ ? &*job_ : nullptr; }

    // Whether a job after it did not run to its end: what is printed then is
    // the earlier job's, and the surveyor is told so.
    bool laterJobUnfinished() const { return laterJobUnfinished_; }

private:
    std::optional<ChainSurvey> job_;
    bool laterJobUnfinished_ = false;
};

// What the print button prints, in the window and in the replay tool alike:
// the last complete job. Without one the surveyor is told that there is
// nothing to print, and nothing is (nullptr); when a later job did not run
// to its end, that the report is the earlier job's.
const ChainSurvey* jobToPrint(const LastCompleteJob& jobs, InputBox& box);

}  // namespace kestrane
