#include "analysis/analysis_tables.h"

#include <cmath>
#include <iterator>
#include <limits>

#include "analysis/analysis_summary.h"
#include "analysis/analysis_texts.h"
#include "chain/angles.h"
#include "chain/display_format.h"

namespace kestrane {
namespace {

namespace texts = analysis_texts;

constexpr int figureDecimals = 2;       // seconds, millimetres, w
constexpr int redundancyDecimals = 3;
constexpr int coordinateDecimals = 3;   // metres, as the window shows them
// The key of a figure that does not exist: below every figure.
constexpr double noFigureKey = -std::numeric_limits<double>::infinity();

TableCell figureCell(double x, int decimals = figureDecimals)
{
    return {formatFixed(x, decimals), x};
}

TableCell optionalCell(const std::optional<double>& x, double key)
{
    if (!x) return {texts::noFigure, noFigureKey};
    return {formatFixed(*x, figureDecimals), key};
}

// 1/N as the relative errors are written: N cut to a whole number.
std::string relativeText(double n)
{
    return "1/" + formatFixed(std::trunc(n), 0);
}

}  // namespace

std::string checkValueText(const GradeCheck& check)
{
    switch (check.kind) {
    case CheckKind::sideRms:
    case CheckKind::weakestSide: return relativeText(check.value);
    case CheckKind::distanceAngle: return axisDegreesAndMinutes(check.value);
    default: return formatFixed(check.value, figureDecimals) + " " + checkUnit(check.kind);
    }
}

std::string checkLimitText(const GradeCheck& check)
{
    switch (check.kind) {
    case CheckKind::sideRms:
    case CheckKind::weakestSide: return relativeText(check.limit);
    case CheckKind::distanceAngle: return "≥ " + formatGeneral(check.limit) + "°";
    case CheckKind::ferrero: return "≤ " + formatFixed(check.limit, figureDecimals) + " " + checkUnit(check.kind);
    default: return "±" + formatFixed(check.limit, figureDecimals) + " " + checkUnit(check.kind);
    }
}

std::string checkVerdictText(const GradeCheck& check)
{
    if (!check.judged) return texts::notJudgedVerdict;
    return check.passed ? texts::passedVerdict : texts::failedVerdict;
}

AnalysisTable checkTable(const ChainAnalysis& analysis)
{
    AnalysisTable table;
    table.headings.assign(std::begin(texts::checkHeadings), std::end(texts::checkHeadings));
    table.figureColumns = {false, true, true, false};
    table.overLimitMarks = true;
    if (!analysis.grading) return table;
    const auto& checks = analysis.grading->checks;
    for (std::size_t i = 0; i < checks.size(); ++i) {
        const GradeCheck& check = checks[i];
        std::vector<TableCell> row(checkColumns);
        row[chkName] = {checkName(check), static_cast<double>(i)};
        row[chkValue] = {checkValueText(check), std::fabs(check.value)};
        row[chkLimit] = {checkLimitText(check), check.limit};
        row[chkVerdict] = {checkVerdictText(check), check.passed ? 0.0 : 1.0};
        table.rows.push_back(std::move(row));
        table.marked.push_back(!check.passed);
    }
    return table;
}

AnalysisTable observationTable(const ChainAnalysis& analysis)
{
    AnalysisTable table;
    table.headings.assign(std::begin(texts::observationHeadings), std::end(texts::observationHeadings));
    table.figureColumns = {false, false, true, true, true, true, false};
    for (std::size_t i = 0; i < analysis.observations.size(); ++i) {
        const ObservationTest& test = analysis.observations[i];
        const bool named = analysis.suspect && *analysis.suspect == test.id;
        std::vector<TableCell> row(observationColumns);
        row[obsId] = {observationText(test.id), static_cast<double>(i)};
        row[obsUnit] = {observationUnit(test.id), test.id.isSide() ? 1.0 : 0.0};
        row[obsV] = figureCell(test.v);
        row[obsRedundancy] = figureCell(test.redundancy, redundancyDecimals);
        row[obsW] = optionalCell(test.w, test.w ? std::fabs(*test.w) : 0);
        row[obsMdb] = optionalCell(test.mdb, test.mdb.value_or(0));
        row[obsBlunder] = {named ? texts::mostLikelyBlunder : test.suspect ? texts::likelyBlunder : "",
                           named ? 2.0 : test.suspect ? 1.0 : 0.0};
        table.rows.push_back(std::move(row));
        table.marked.push_back(test.suspect);
    }
    return table;
}

AnalysisTable pointTable(const ChainAnalysis& analysis)
{
    AnalysisTable table;
    table.headings.assign(std::begin(texts::pointHeadings), std::end(texts::pointHeadings));
    table.figureColumns = {false, false, true, true, true, true, true, true, true, true};
    const auto weakest = weakestPointOf(analysis);
    const auto middle = routeMiddlePointOf(analysis);
    for (std::size_t i = 0; i < analysis.points.size(); ++i) {
        const PointPrecision& point = analysis.points[i];
        const bool isWeakest = weakest && *weakest == i;
        std::vector<TableCell> row(pointColumns);
        row[ptName] = {point.name, static_cast<double>(point.index)};
        const bool isMiddle = middle && *middle == i;
        const std::string& kind = point.known                ? texts::knownPoint
                                  : isWeakest && isMiddle    ? texts::weakestAndRouteMiddle
                                  : isWeakest                ? texts::weakestPoint
                                  : isMiddle                 ? texts::routeMiddlePoint
                                                             : texts::routePoint;
        row[ptKind] = {kind, point.known ? 0.0 : isWeakest ? 3.0 : isMiddle ? 2.0 : 1.0};
        row[ptX] = figureCell(point.x, coordinateDecimals);
        row[ptY] = figureCell(point.y, coordinateDecimals);
        if (point.known) {
            for (int column = ptMx; column <= ptAlpha; ++column) row[column] = {texts::noFigure, noFigureKey};
        } else {
            row[ptMx] = figureCell(point.mx);
            row[ptMy] = figureCell(point.my);
            row[ptMp] = figureCell(point.mp);
            row[ptA] = figureCell(point.a);
            row[ptB] = figureCell(point.b);
            row[ptAlpha] = {axisDegreesAndMinutes(point.alpha), point.alpha};
        }
        table.rows.push_back(std::move(row));
        table.marked.push_back(isWeakest);
    }
    return table;
}

}  // namespace kestrane
