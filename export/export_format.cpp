#include "export/export_format.h"

#include "export/cass_export.h"
#include "export/csv_export.h"
#include "export/dxf_export.h"
#include "export/gama_export.h"

namespace kestrane {

std::optional<ExportFormat> exportFormatNamed(std::string_view name)
{
    if (name == "csv") return ExportFormat::csv;
    if (name == "cass") return ExportFormat::cass;
    if (name == "dxf") return ExportFormat::dxf;
    if (name == "gama") return ExportFormat::gama;
    return std::nullopt;
}

ExportResult writeExport(ExportFormat format, const ChainSurvey& job, const std::vector<PointPrecision>* precision,
                         const std::string& path)
{
    switch (format) {
    case ExportFormat::csv: return writeCsv(job, precision, path);
    case ExportFormat::cass: return writeCass(job, path);
    case ExportFormat::dxf: return writeDxf(job, precision, path);
    case ExportFormat::gama: return writeGama(job, path);
    }
    return exportRefused("未知的导出格式。");
}

}  // namespace kestrane
