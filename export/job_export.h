// An export of the last complete job, as the window's 文件 → 导出 menu and
// the replay tool's "@export" make it.
//
// The CSV table and the DXF drawing carry every point's RMS errors and error
// ellipse from the job's quality analysis. A job whose analysis cannot be
// made (normal equations that are not positive definite, a record the
// analysis does not take) is still exported, without them, as the writers
// export a job without an analysis.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/quality_analysis.h"
#include "chain/chain_survey.h"
#include "export/cass_export.h"
#include "export/export_file.h"
#include "export/export_format.h"

namespace kestrane {

// What the surveyor is told when no job has run to its end.
inline const std::string noCompleteJobToExport = "没有可导出的计算结果:请先按“数据输入”完成一次计算,再导出。";

// The points P(0)..P(n+1) of the job's quality analysis, or nothing when the
// analysis cannot be made.
std::optional<std::vector<PointPrecision>> analysedPoints(const ChainSurvey& job);

// The job's quality analysis against grade, or nothing when it cannot be made.
std::optional<ChainAnalysis> analysedJob(const ChainSurvey& job, const std::optional<Grade>& grade);

// Writes job, the last complete job (null when there is none), to path in the
// format; the CASS file in the encoding. With a grade, the CSV table has the
// checks against it in a second file (checksCsvPath).
ExportResult exportCompleteJob(const ChainSurvey* job, ExportFormat format, const std::string& path,
                               CassEncoding encoding = CassEncoding::gb18030,
                               const std::optional<Grade>& grade = std::nullopt);

}  // namespace kestrane
