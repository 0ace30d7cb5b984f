// The analysis event of the replay log: {"analysis": {...}} with the members
// of the quality analysis in the log's order and units; numbers at full
// precision (the shortest text that reads back as the same double), null
// where a figure does not exist.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "analysis/analysis_summary.h"
#include "tools/replay/json_log.h"

namespace kestrane::replay {

// What "@analysis" logs for the analysis of the last job that ran to its
// end (analysisOfCompleteJob): {"analysis": {...}}, or {"analysis":
// "refused", "reason": REASON} with the surveyor's reason when there is no
// such job or its analysis cannot be formed.
JsonObject analysisEvent(const AnalysisOutcome& outcome);

// Why "@analysis GRADE" names no grade: GRADE is none of the standard's.
std::string unknownGradeReason(std::string_view name);

// A JSON number at full precision; null for nothing, or for a value that is
// not finite (JSON has no such numbers).
std::string jsonNumber(std::optional<double> value);

}  // namespace kestrane::replay
