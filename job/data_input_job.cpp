#include "job/data_input_job.h"

#include "adjustment/corrections.h"
#include "adjustment/misclosures.h"
#include "adjustment/normal_equations.h"
#include "adjustment/precision.h"
#include "input/control_input.h"
#include "input/observation_input.h"

namespace kestrane {

void inputJob(ChainSurvey& job, Dialogue& dialogue)
{
    inputChainSize(job, dialogue);
    inputControlPoints(job, dialogue);
    inputPointNames(job, dialogue);
    inputAngles(job, dialogue);
    inputSides(job, dialogue);
}

void adjustChain(ChainSurvey& job, Dialogue& dialogue, SideUnit unit)
{
    setWeights(job);
    sideAngleMisclosures(job, dialogue);
    provisionalTraverse(job);
    closingMisclosures(job, dialogue.fields());
    formConditions(job, unit);
    formNormalEquations(job);
    solveNormalEquations(job, dialogue.fields());
    applyCorrections(job, unit);
    adjustedTraverse(job);
    showAdjustedPoints(job, dialogue);
    assessPrecision(job, dialogue.fields());
}

JobOutcome runDataInputJob(ChainSurvey& job, InputBox& inputBox, WindowFields& fields)
{
    Dialogue dialogue(inputBox, fields);
    try {
        inputJob(job, dialogue);
        adjustChain(job, dialogue);
        return {JobEnd::done, {}};
    } catch (const JobAbandoned&) {
        return {JobEnd::abandoned, {}};
    } catch (const JobStopped& stop) {
        inputBox.warn(stop.reason, false);
        return {JobEnd::stopped, stop.reason};
    }
}

}  // namespace kestrane
