// The transcript line "@export FORMAT PATH": the last complete job written to
// PATH in FORMAT (csv, cass, dxf, gama) as the window's 文件 → 导出 menu
// writes it, the CASS file in GB18030, and logged as {"export": FORMAT,
// "path": PATH} or {"export": "refused", "reason": MESSAGE}. PATH is the rest
// of the line after the blank that ends FORMAT, blanks included; a relative
// one is taken from the tool's working folder.
#pragma once

#include <optional>
#include <string_view>

#include "analysis/grades.h"
#include "chain/chain_survey.h"
#include "tools/replay/json_log.h"

namespace kestrane::replay {

// Whether the line is an export entry: "@export" alone or followed by a blank.
bool isExportEntry(std::string_view entry);

// Writes job, the last complete job (null when there is none), as the entry
// asks, and returns the log event that tells how it went.
// grade: the job file's grade of that job, whose checks a CSV table carries
// in its second file.
JsonObject exportEvent(std::string_view entry, const ChainSurvey* job, const std::optional<Grade>& grade = std::nullopt);

}  // namespace kestrane::replay
