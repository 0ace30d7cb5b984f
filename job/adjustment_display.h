// How the job shows the figures of the adjustment as they come. Each step
// first checks that what it is about to show is a finite number and stops
// the job (JobStopped) when it is not.
#pragma once

#include "chain/chain_survey.h"
#include "dialogue/dialogue.h"

namespace kestrane {

// Each side-angle misclosure behind its pause prompt, under its caption.
void showSideAngleMisclosures(const ChainSurvey& job, Dialogue& dialogue);

// The azimuth, X and Y misclosures.
void showClosingMisclosures(const ChainSurvey& job, WindowFields& fields);

// 1/px and 1/py of the weakest point, each as soon as it is solved.
void showWeightReciprocalX(const ChainSurvey& job, WindowFields& fields);
void showWeightReciprocalY(const ChainSurvey& job, WindowFields& fields);

// Each route point behind its pause prompt: name, adjusted X and Y.
void showAdjustedPoints(const ChainSurvey& job, Dialogue& dialogue);

// mb, ms, mx, my, md and the relative error 1/M, the last figures of a job.
void showPrecision(const ChainSurvey& job, WindowFields& fields);

}  // namespace kestrane
