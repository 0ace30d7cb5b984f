// The record after a job typed from a list of answers, for tests and
// benchmarks that need a typed input or a finished adjustment.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "chain/chain_survey.h"

namespace kestrane::testing {

// The input half of a job on a fresh record: every value typed, nothing
// adjusted yet.
ChainSurvey typedRecord(const std::vector<std::string>& answers);

// Runs the data-input job on a fresh record; throws std::runtime_error,
// naming the reason, when the job does not run to its end.
std::unique_ptr<ChainSurvey> finishedRecord(const std::vector<std::string>& answers);

// The adjustment half of the job on a record whose input is complete, every
// pause passed at once; throws where the job would stop (AdjustmentError,
// JobStopped).
void adjustFilledChain(ChainSurvey& job);

}  // namespace kestrane::testing
