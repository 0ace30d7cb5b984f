#include "export/csv_export.h"

#include <cmath>
#include <filesystem>

#include "analysis/analysis_summary.h"
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

constexpr int degreeDecimals = 4;
const char* const checksSuffix = "-限差检核";

std::string checkFigure(const GradeCheck& check, double x)
{
    switch (check.kind) {
    case CheckKind::sideRms:
    case CheckKind::weakestSide: return formatFixed(std::trunc(x), 0);
    case CheckKind::distanceAngle: return formatFixed(x, degreeDecimals);
    default: return formatFixed(x, millimetreDecimals);
    }
}

std::string checkUnitText(const GradeCheck& check)
{
    if (check.kind == CheckKind::sideRms || check.kind == CheckKind::weakestSide) return "1/N";
    return checkUnit(check.kind);
}

std::string checksText(const GradeChecks& checks)
{
    std::string text(utf8::byteOrderMark);
    text += std::string("检核项,编号,闭合差或数值,限差,单位,结论") + lineEnd;
    for (const GradeCheck& check : checks.checks) {
        const std::string verdict = !check.judged ? "不评定" : check.passed ? "合格" : "超限";
        text += csvField(checkName(check)) + "," + csvField(check.id) + "," + checkFigure(check, check.value) + "," +
                checkFigure(check, check.limit) + "," + checkUnitText(check) + "," + verdict + lineEnd;
    }
    text += "总评,,,,," + csvField(gradeVerdict(checks)) + lineEnd;
    return text;
}

}  // namespace

std::string checksCsvPath(const std::string& path)
{
    const std::filesystem::path file(path);
    std::filesystem::path named = file;
    named.replace_filename(file.stem().string() + checksSuffix + file.extension().string());
    return named.string();
}

ExportResult writeChecksCsv(const GradeChecks& checks, const std::string& path)
{
    return writeWholeFile(path, checksText(checks));
}

ExportResult writeCsv(const ChainSurvey& job, const std::vector<PointPrecision>* precision, const std::string& path)
{
    if (auto check = checkFinishedJob(job, precision); !check.written()) return check;
    if (auto check = checkNamesAreText(job); !check.written()) return check;
    return writeWholeFile(path, csvText(job, precision));
}

}  // namespace kestrane
