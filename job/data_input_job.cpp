#include "job/data_input_job.h"

#include "input/control_input.h"
#include "input/dialogue.h"
#include "input/observation_input.h"

namespace kestrane {

JobOutcome runDataInputJob(ChainSurvey& job, InputBox& inputBox, WindowFields& fields)
{
    Dialogue dialogue(inputBox, fields);
    try {
        inputChainSize(job, dialogue);
        inputControlPoints(job, dialogue);
        inputPointNames(job, dialogue);
        inputAngles(job, dialogue);
        inputSides(job, dialogue);
        return {JobEnd::done, {}};
    } catch (const JobAbandoned&) {
        return {JobEnd::abandoned, {}};
    } catch (const JobStopped& stop) {
        inputBox.warn(stop.reason, false);
        return {JobEnd::stopped, stop.reason};
    }
}

}  // namespace kestrane
