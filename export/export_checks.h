// What every export asks of the job before it writes anything: a finished
// job, an analysis that belongs to it, and names it can talk about.
#pragma once

#include <string>
#include <vector>

#include "chain/chain_survey.h"
#include "export/export_file.h"
#include "export/point_precision.h"

namespace kestrane {

// Refuses a record that holds no finished job of one of the three
// arrangements (no triangles, arrays of another size, coordinates that are not
// finite numbers), or an analysis that is not one entry per route point.
ExportResult checkFinishedJob(const ChainSurvey& job, const std::vector<PointPrecision>* precision);

// "第 i 点的点名“NAME”", for messages.
std::string pointCalled(const ChainSurvey& job, int i);

// Refuses the first name that is not valid UTF-8 text.
ExportResult checkNamesAreText(const ChainSurvey& job);

}  // namespace kestrane
