#include "export/job_export.h"

#include <stdexcept>

#include "analysis/small_matrix.h"

namespace kestrane {
namespace {

// Only the table and the drawing show the precision; the analysis of a long
// chain is not made for the files that do not.
bool showsPrecision(ExportFormat format)
{
    return format == ExportFormat::csv || format == ExportFormat::dxf;
}

}  // namespace

std::optional<std::vector<PointPrecision>> analysedPoints(const ChainSurvey& job)
{
    try {
        return analyseChain(job).points;
    } catch (const NotPositiveDefinite&) {
        return std::nullopt;
    } catch (const std::logic_error&) {
        return std::nullopt;
    }
}

ExportResult exportCompleteJob(const ChainSurvey* job, ExportFormat format, const std::string& path,
                               CassEncoding encoding)
{
    if (!job) return exportRefused(noCompleteJobToExport);
    std::optional<std::vector<PointPrecision>> points;
    if (showsPrecision(format)) points = analysedPoints(*job);
    return writeExport(format, *job, points ? &*points : nullptr, path, encoding);
}

}  // namespace kestrane
