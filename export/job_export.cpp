#include "export/job_export.h"

#include <stdexcept>

#include "analysis/small_matrix.h"
#include "export/csv_export.h"

namespace kestrane {
namespace {

// Only the table and the drawing show the precision; the analysis of a long
// chain is not made for the files that do not.
bool showsPrecision(ExportFormat format)
{
    return format == ExportFormat::csv || format == ExportFormat::dxf;
}

}  // namespace

std::optional<ChainAnalysis> analysedJob(const ChainSurvey& job, const std::optional<Grade>& grade)
{
    try {
        return analyseChain(job, grade);
    } catch (const NotPositiveDefinite&) {
        return std::nullopt;
    } catch (const std::logic_error&) {
        return std::nullopt;
    }
}

std::optional<std::vector<PointPrecision>> analysedPoints(const ChainSurvey& job)
{
    auto analysis = analysedJob(job, std::nullopt);
    if (!analysis) return std::nullopt;
    return std::move(analysis->points);
}

ExportResult exportCompleteJob(const ChainSurvey* job, ExportFormat format, const std::string& path,
                               CassEncoding encoding, const std::optional<Grade>& grade)
{
    if (!job) return exportRefused(noCompleteJobToExport);
    std::optional<ChainAnalysis> analysis;
    if (showsPrecision(format)) analysis = analysedJob(*job, format == ExportFormat::csv ? grade : std::nullopt);
    const ExportResult written = writeExport(format, *job, analysis ? &analysis->points : nullptr, path, encoding);
    if (!written.written() || !analysis || !analysis->grading) return written;
    return writeChecksCsv(*analysis->grading, checksCsvPath(path));
}

}  // namespace kestrane
