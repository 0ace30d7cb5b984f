#include "job/data_input_job.h"

#include "adjustment/conditions.h"
#include "adjustment/misclosures.h"
#include "adjustment/normal_equations.h"
#include "adjustment/precision.h"
#include "adjustment/second_group_rounds.h"
#include "dialogue/job_signals.h"
#include "input/control_input.h"
#include "input/observation_input.h"
#include "job/adjustment_display.h"
#include "job/adjustment_texts.h"

namespace kestrane {

void inputJob(ChainSurvey& job, Dialogue& dialogue)
{
    inputChainSize(job, dialogue);
    inputControlPoints(job, dialogue);
    inputPointNames(job, dialogue);
    inputAngles(job, dialogue);
    inputSides(job, dialogue);
}

void adjustShowingEachStep(ChainSurvey& job, Dialogue& dialogue)
{
    WindowFields& fields = dialogue.fields();
    setWeights(job);
    sideAngleMisclosures(job);
    showSideAngleMisclosures(job, dialogue);
    provisionalTraverse(job);
    closingMisclosures(job);
    showClosingMisclosures(job, fields);
    formConditions(job);
    formNormalEquations(job);
    solveWeightReciprocalX(job);
    showWeightReciprocalX(job, fields);
    solveWeightReciprocalY(job);
    showWeightReciprocalY(job, fields);
    solveCorrelates(job);
    // A long chain may take further rounds; 1/px and 1/py then come from the last.
    if (correctAndClose(job) > 1) {
        showWeightReciprocalX(job, fields);
        showWeightReciprocalY(job, fields);
    }
    showAdjustedPoints(job, dialogue);
    assessPrecision(job);
    showPrecision(job, fields);
}

JobOutcome runDataInputJob(ChainSurvey& job, InputBox& inputBox, WindowFields& fields, ValueSources sources)
{
    Dialogue dialogue(inputBox, fields, sources);
    // The surveyor is told why the job cannot go on, and the job stops.
    const auto stopped = [&](const std::string& reason) {
        if (sources.journal) sources.journal->beforeBox();
        inputBox.warn(reason, false);
        return JobOutcome{JobEnd::stopped, reason};
    };
    try {
        inputJob(job, dialogue);
        adjustShowingEachStep(job, dialogue);
        return {JobEnd::done, {}};
    } catch (const JobAbandoned&) {
        return {JobEnd::abandoned, {}};
    } catch (const JobStopped& stop) {
        return stopped(stop.reason);
    } catch (const AdjustmentError& error) {
        return stopped(adjustment_texts::reasonFor(error));
    }
}

}  // namespace kestrane
