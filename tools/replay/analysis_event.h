// The analysis event of the replay log: {"analysis": {...}} with the members
// of the quality analysis in the log's order and units; numbers at full
// precision (the shortest text that reads back as the same double), null
// where a figure does not exist.
#pragma once

#include <optional>
#include <string>

#include "analysis/quality_analysis.h"
#include "chain/chain_survey.h"
#include "tools/replay/json_log.h"

namespace kestrane::replay {

// One line of the log, without its line break.
std::string analysisEvent(const ChainAnalysis& analysis);

// {"analysis": "refused", "reason": REASON}: there is no finished job.
std::string analysisRefusedEvent(const std::string& reason);

// What "@analysis" logs: the analysis of the last job that ran to its end, or
// a refusal with the surveyor's reason when there is none (nullptr) or its
// analysis cannot be formed.
JsonObject analysisEntryEvent(const ChainSurvey* lastCompleteJob);

// A JSON number at full precision; null for nothing, or for a value that is
// not finite (JSON has no such numbers).
std::string jsonNumber(std::optional<double> value);

}  // namespace kestrane::replay
