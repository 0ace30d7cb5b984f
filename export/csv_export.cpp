#include "export/csv_export.h"

#include "chain/display_format.h"
#include "chain/utf8.h"
#include "export/export_checks.h"

namespace kestrane {
namespace {

constexpr const char* lineEnd = "\r\n";
constexpr int millimetreDecimals = 2;

// The field as it stands, or quoted with its quotes doubled when it holds a
// comma, a quote or a line break (RFC 4180).
std::string csvField(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

std::string csvText(const ChainSurvey& job, const std::vector<PointPrecision>* precision)
{
    std::string text(utf8::byteOrderMark);
    text += std::string("点名,X,Y,mx,my,mp") + lineEnd;
    for (int i = 0; i <= job.triangleCount + 1; ++i) {
        text += csvField(job.pointName[i]) + "," + coordinatePattern(job.routeX[i]) + "," +
                coordinatePattern(job.routeY[i]) + ",";
        if (precision) {
            const PointPrecision& p = (*precision)[i];
            text += formatFixed(p.mx, millimetreDecimals) + "," + formatFixed(p.my, millimetreDecimals) + "," +
                    formatFixed(p.mp, millimetreDecimals);
        } else {
            text += ",,";  // three empty fields
        }
        text += lineEnd;
    }
    return text;
}

}  // namespace

ExportResult writeCsv(const ChainSurvey& job, const std::vector<PointPrecision>* precision, const std::string& path)
{
    if (auto check = checkFinishedJob(job, precision); !check.written()) return check;
    if (auto check = checkNamesAreText(job); !check.written()) return check;
    return writeWholeFile(path, csvText(job, precision));
}

}  // namespace kestrane
