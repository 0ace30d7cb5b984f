// The four exports by name, as the menu and the replay tool's
// "@export FORMAT PATH" call them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "chain/chain_survey.h"
#include "export/export_file.h"
#include "export/point_precision.h"

namespace kestrane {

enum class ExportFormat { csv, cass, dxf, gama };

// "csv", "cass", "dxf" or "gama"; nothing for any other name.
std::optional<ExportFormat> exportFormatNamed(std::string_view name);

// Writes the job in the format (the CASS file in GB18030); precision is one
// entry per route point, or null when there is no analysis.
ExportResult writeExport(ExportFormat format, const ChainSurvey& job, const std::vector<PointPrecision>* precision,
                         const std::string& path);

}  // namespace kestrane
