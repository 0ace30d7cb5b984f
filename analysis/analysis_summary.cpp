#include "analysis/analysis_summary.h"

#include <cmath>
#include <stdexcept>
#include <utility>

#include "adjustment/conditions.h"
#include "analysis/analysis_texts.h"
#include "analysis/small_matrix.h"
#include "chain/angles.h"
#include "chain/display_format.h"
#include "chain/text.h"

namespace kestrane {
namespace {

namespace texts = analysis_texts;

// Decimals of the figures as the summary writes them.
constexpr int figureDecimals = 2;
constexpr int redundancyDecimals = 3;
// Triangles beyond their closure limit listed by number before the list is cut.
constexpr std::size_t listedTriangles = 10;

std::string figure(double x)
{
    return formatFixed(x, figureDecimals);
}

std::string withUnit(double x, const std::string& unit)
{
    return figure(x) + " " + unit;
}

std::string globalTestLine(const GlobalTest& test)
{
    if (!test.apriori) return texts::globalNone;
    // One-sided: only above the upper point does it fail; below the lower
    // one it passes with its remark.
    const std::string& pattern = !*test.passed               ? texts::globalAbove
                                 : *test.chi2 < *test.lower ? texts::globalBelow
                                                            : texts::globalPassed;
    return filledIn(pattern, {{"chi2", figure(*test.chi2)},
                              {"r", std::to_string(test.redundancy)},
                              {"lower", figure(*test.lower)},
                              {"upper", figure(*test.upper)}});
}

std::string sigma0Line(const ChainAnalysis& analysis)
{
    const GlobalTest& test = analysis.globalTest;
    std::string source;
    if (analysis.grading) source = filledIn(texts::aprioriFromGrade, {{"grade", gradeTitle(analysis.grading->grade)}});
    else if (test.apriori) source = texts::aprioriFromTolerance;
    return filledIn(texts::sigma0Line,
                    {{"apriori", test.apriori ? withUnit(*test.apriori, texts::seconds) : texts::noApriori},
                     {"source", source},
                     {"aposteriori", withUnit(test.aposteriori, texts::seconds)},
                     {"r", std::to_string(test.redundancy)}});
}

std::string closureLine(const ChainAnalysis& analysis)
{
    std::string beyond;
    std::size_t count = 0;
    for (const TriangleClosure& closure : analysis.triangles) {
        if (!closure.passed || *closure.passed) continue;
        if (++count > listedTriangles) continue;
        if (!beyond.empty()) beyond += "、";
        beyond += std::to_string(closure.triangle);
    }
    if (count > listedTriangles) beyond += " 等 " + std::to_string(count) + " 个";
    const std::string limit = withUnit(analysis.triangles.front().limit.value_or(0), texts::seconds);
    if (count == 0) {
        return filledIn(texts::closuresWithin, {{"limit", limit}, {"n", std::to_string(analysis.triangles.size())}});
    }
    return filledIn(texts::closuresBeyond, {{"limit", limit}, {"list", beyond}});
}

std::vector<std::string> suspectLines(const ChainAnalysis& analysis)
{
    const ObservationTest* suspect = suspectOf(analysis);
    if (!suspect) return {texts::noSuspect};
    const std::string& unit = observationUnit(suspect->id);
    std::vector<std::string> lines{
        filledIn(texts::suspectLine, {{"sentence", blunderSentence(suspect->id)}}),
        filledIn(texts::suspectFigures, {{"id", observationText(suspect->id)},
                                         {"w", figure(*suspect->w)},
                                         {"v", withUnit(suspect->v, unit)},
                                         {"redundancy", formatFixed(suspect->redundancy, redundancyDecimals)},
                                         {"mdb", withUnit(*suspect->mdb, unit)}})};
    std::size_t count = 0;
    for (const ObservationTest& test : analysis.observations) count += test.suspect;
    if (count > 1) lines.push_back(filledIn(texts::moreSuspects, {{"count", std::to_string(count)}}));
    return lines;
}

std::vector<std::string> weakestPointLines(const ChainAnalysis& analysis)
{
    const auto weakest = weakestPointOf(analysis);
    if (!weakest) return {texts::noFreePoint};
    const PointPrecision& point = analysis.points[*weakest];
    std::vector<std::string> lines{filledIn(texts::weakestLine, {{"name", point.name},
                                                                 {"mx", figure(point.mx)},
                                                                 {"my", figure(point.my)},
                                                                 {"mp", figure(point.mp)},
                                                                 {"a", figure(point.a)},
                                                                 {"b", figure(point.b)},
                                                                 {"alpha", axisDegreesAndMinutes(point.alpha)}})};
    // The main window names P(n/2 + 1) the weakest point: say which it is.
    if (const auto middle = routeMiddlePointOf(analysis)) {
        const PointPrecision& route = analysis.points[*middle];
        const std::string k = std::to_string(route.index);
        if (*middle == *weakest) {
            lines.push_back(filledIn(texts::routeMiddleIsWeakest, {{"name", route.name}, {"k", k}}));
        } else {
            lines.push_back(filledIn(texts::routeMiddleLine, {{"name", route.name},
                                                              {"k", k},
                                                              {"mx", figure(route.mx)},
                                                              {"my", figure(route.my)},
                                                              {"mp", figure(route.mp)}}));
        }
    }
    return lines;
}

std::string gradeNumber(double x)
{
    // The grades' figures are whole or of one decimal: written as typed.
    return formatGeneral(x);
}

std::vector<std::string> gradeLines(const ChainAnalysis& analysis)
{
    if (!analysis.grading) return {};
    const GradeChecks& grading = *analysis.grading;
    const Grade& grade = grading.grade;
    // The verdict stands on its own above the summary, in the window and the report.
    std::vector<std::string> lines{
        filledIn(texts::gradeSourceLine,
                 {{"source", grade.name == customGradeName ? texts::customGradeSource : grade.source},
                  {"angle", gradeNumber(grade.angle)},
                  {"triangle", gradeNumber(grade.triangle)},
                  {"side", gradeNumber(grade.side)},
                  {"weakest", gradeNumber(grade.weakestSide)}})};
    for (const GradeCheck& check : grading.checks)
        if (!check.judged)
            lines.push_back(filledIn(texts::ferreroNotJudged, {{"n", std::to_string(analysis.triangles.size())}}));
    return lines;
}

}  // namespace

AnalysisOutcome analysisOfCompleteJob(const ChainSurvey* job, const std::optional<Grade>& grade)
{
    if (!job) return {std::nullopt, texts::noCompleteJob};
    try {
        return {analyseChain(*job, grade), ""};
    } catch (const NotPositiveDefinite&) {
        return {std::nullopt, texts::normalsNotPositiveDefinite};
    } catch (const std::logic_error&) {
        return {std::nullopt, texts::recordNotAnalysable};
    }
}

std::string observationName(const ObservationId& id)
{
    const std::string number = std::to_string(id.index), text = observationText(id);
    switch (id.kind) {
    case ObservationKind::startOrientation: return texts::startOrientation;
    case ObservationKind::closingOrientation: return texts::closingOrientation;
    case ObservationKind::side: return filledIn(texts::side, {{"i", number}, {"id", text}});
    case ObservationKind::angleA:
    case ObservationKind::angleB:
    case ObservationKind::angleC: break;
    }
    const std::string& name = id.kind == ObservationKind::angleA   ? texts::distanceAngle
                              : id.kind == ObservationKind::angleB ? texts::forwardAngle
                                                                   : texts::spacerAngle;
    return filledIn(texts::triangleAngle, {{"i", number}, {"name", name}, {"id", text}});
}

std::string blunderSentence(const ObservationId& id)
{
    return filledIn(texts::blunderSentence, {{"observation", observationName(id)}});
}

const std::string& observationUnit(const ObservationId& id)
{
    return id.isSide() ? texts::millimetres : texts::seconds;
}

std::optional<std::size_t> weakestPointOf(const ChainAnalysis& analysis)
{
    std::optional<std::size_t> weakest;
    for (std::size_t i = 0; i < analysis.points.size(); ++i) {
        if (analysis.points[i].known) continue;
        if (!weakest || analysis.points[i].mp > analysis.points[*weakest].mp) weakest = i;
    }
    return weakest;
}

std::optional<std::size_t> routeMiddlePointOf(const ChainAnalysis& analysis)
{
    if (analysis.triangles.empty()) return std::nullopt;
    const auto k = static_cast<std::size_t>(weakestPoint(static_cast<int>(analysis.triangles.size())));
    if (k >= analysis.points.size() || analysis.points[k].known) return std::nullopt;
    return k;
}

std::string gradeTitle(const Grade& grade)
{
    return grade.name == customGradeName ? texts::customGradeSource : grade.name;
}

std::string gradeVerdict(const GradeChecks& checks)
{
    std::string list;
    std::size_t count = 0;
    for (const GradeCheck& check : checks.checks) {
        if (check.passed) continue;
        if (++count > listedTriangles) continue;
        if (!list.empty()) list += "、";
        list += checkShortName(check);
    }
    if (count == 0) return filledIn(texts::gradeAllPassed, {{"grade", gradeTitle(checks.grade)}});
    if (count > listedTriangles) list += " 等";
    return filledIn(texts::gradeBeyond,
                    {{"grade", gradeTitle(checks.grade)}, {"count", std::to_string(count)}, {"list", list}});
}

std::string checkName(const GradeCheck& check)
{
    const std::string* pattern = nullptr;
    switch (check.kind) {
    case CheckKind::triangle: pattern = &texts::triangleCheck; break;
    case CheckKind::sideAngle: pattern = &texts::sideAngleCheck; break;
    case CheckKind::azimuth: pattern = &texts::azimuthCheck; break;
    case CheckKind::x: pattern = &texts::xCheck; break;
    case CheckKind::y: pattern = &texts::yCheck; break;
    case CheckKind::ferrero: pattern = &texts::ferreroCheck; break;
    case CheckKind::sideRms: pattern = &texts::sideRmsCheck; break;
    case CheckKind::weakestSide: pattern = &texts::weakestSideCheck; break;
    case CheckKind::distanceAngle: pattern = &texts::distanceAngleCheck; break;
    }
    return filledIn(*pattern, {{"id", check.id}});
}

std::string checkShortName(const GradeCheck& check)
{
    if (check.kind == CheckKind::weakestSide) return texts::weakestSideShort;
    if (check.kind == CheckKind::sideRms) return texts::sideRmsShort;
    return check.id;
}

const ObservationTest* suspectOf(const ChainAnalysis& analysis)
{
    if (!analysis.suspect) return nullptr;
    for (const ObservationTest& test : analysis.observations)
        if (test.id == *analysis.suspect) return &test;
    return nullptr;
}

std::vector<std::string> summaryLines(const ChainAnalysis& analysis)
{
    std::vector<std::string> lines = gradeLines(analysis);
    lines.push_back(globalTestLine(analysis.globalTest));
    lines.push_back(sigma0Line(analysis));
    std::string closures = filledIn(texts::ferreroLine, {{"ferrero", withUnit(analysis.ferrero, texts::seconds)}});
    // With a grade the triangles are held against the standard's largest
    // misclosure in the checks, not against 2√3·σ0.
    if (!analysis.grading && !analysis.triangles.empty() && analysis.triangles.front().limit)
        closures += closureLine(analysis);
    lines.push_back(closures);
    for (std::string& line : suspectLines(analysis)) lines.push_back(std::move(line));
    for (std::string& line : weakestPointLines(analysis)) lines.push_back(std::move(line));
    return lines;
}

}  // namespace kestrane
