#include "export/cass_export.h"

#include "chain/display_format.h"
#include "export/export_checks.h"
#include "chain/text_encoding.h"

namespace kestrane {
namespace {

constexpr const char* lineEnd = "\r\n";
constexpr const char* pointCode = "";     // the feature code column, left empty
constexpr const char* height = "0.000";   // metres; the chain has no heights

ExportResult checkName(const ChainSurvey& job, int i)
{
    const std::string& name = job.pointName[i];
    if (name.empty()) return exportRefused("第 " + std::to_string(i) + " 点没有点名,CASS 座标文件无法写出。");
    if (name.find(',') != std::string::npos)
        return exportRefused(pointCalled(job, i) + "含有逗号,在以逗号分隔的 CASS 座标文件中无法写出。");
    if (name.find_first_of("\r\n") != std::string::npos)
        return exportRefused(pointCalled(job, i) + "含有换行,CASS 座标文件无法写出。");
    return exportWritten();
}

}  // namespace

ExportResult writeCass(const ChainSurvey& job, const std::string& path, CassEncoding encoding)
{
    if (auto check = checkFinishedJob(job, nullptr); !check.written()) return check;
    if (auto check = checkNamesAreText(job); !check.written()) return check;

    std::string text;
    for (int i = 0; i <= job.triangleCount + 1; ++i) {
        if (auto check = checkName(job, i); !check.written()) return check;
        text += job.pointName[i] + "," + pointCode + "," + coordinatePattern(job.routeY[i]) + "," +
                coordinatePattern(job.routeX[i]) + "," + height + lineEnd;
    }
    if (encoding == CassEncoding::utf8) return writeWholeFile(path, text);

    const auto encoded = encodeUtf8As(text, gb18030Encoding);
    if (!encoded) {
        for (int i = 0; i <= job.triangleCount + 1; ++i) {
            const std::string character = firstUnencodable(job.pointName[i], gb18030Encoding);
            if (!character.empty())
                return exportRefused(pointCalled(job, i) + "中的字符 " + character +
                                     " 不能用 GB18030 编码写出。请改用 UTF-8 编码导出,或改正点名后重新计算。");
        }
        return exportRefused("CASS 座标文件无法用 GB18030 编码写出。");
    }
    return writeWholeFile(path, *encoded);
}

}  // namespace kestrane
