#include "tools/replay/export_entry.h"

#include <string>

#include "export/job_export.h"

namespace kestrane::replay {
namespace {

constexpr std::string_view exportKeyword = "@export";

JsonObject refused(const std::string& reason)
{
    return JsonObject().add("export", "refused").add("reason", reason);
}

}  // namespace

bool isExportEntry(std::string_view entry)
{
    return entry.starts_with(exportKeyword) &&
           (entry.size() == exportKeyword.size() || entry[exportKeyword.size()] == ' ');
}

JsonObject exportEvent(std::string_view entry, const ChainSurvey* job, const std::optional<Grade>& grade)
{
    std::string_view arguments = entry.substr(std::min(entry.size(), exportKeyword.size() + 1));
    const auto blank = arguments.find(' ');
    const std::string_view formatName = arguments.substr(0, blank);
    const std::string path(blank == std::string_view::npos ? std::string_view() : arguments.substr(blank + 1));

    const auto format = exportFormatNamed(formatName);
    if (!format)
        return refused("未知的导出格式“" + std::string(formatName) + "”:可用的格式是 csv、cass、dxf 和 gama。");
    const ExportResult result = exportCompleteJob(job, *format, path, CassEncoding::gb18030, grade);
    if (!result.written()) return refused(result.message);
    return JsonObject().add("export", formatName).add("path", path);
}

}  // namespace kestrane::replay
