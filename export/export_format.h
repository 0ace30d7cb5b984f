// The four exports by name, as the menu and the replay tool's
// "@export FORMAT PATH" call them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/quality_analysis.h"
#include "chain/chain_survey.h"
#include "export/cass_export.h"
#include "export/export_file.h"

namespace kestrane {

enum class ExportFormat { csv, cass, dxf, gama };

// "csv", "cass", "dxf" or "gama"; nothing for any other name.
std::optional<ExportFormat> exportFormatNamed(std::string_view name);

// Writes the job in the format, the CASS file in the encoding; precision is
// the points of the job's quality analysis, or null when there is none.
ExportResult writeExport(ExportFormat format, const ChainSurvey& job, const std::vector<PointPrecision>* precision,
                         const std::string& path, CassEncoding encoding = CassEncoding::gb18030);

}  // namespace kestrane
