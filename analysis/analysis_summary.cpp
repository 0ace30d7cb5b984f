#include "analysis/analysis_summary.h"

#include <cmath>
#include <stdexcept>
#include <utility>

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
    const std::string& pattern = *test.passed ? texts::globalPassed
                                 : *test.chi2 > *test.upper ? texts::globalAbove
                                                            : texts::globalBelow;
    return filledIn(pattern, {{"chi2", figure(*test.chi2)},
                              {"r", std::to_string(test.redundancy)},
                              {"lower", figure(*test.lower)},
                              {"upper", figure(*test.upper)}});
}

std::string sigma0Line(const GlobalTest& test)
{
    return filledIn(texts::sigma0Line,
                    {{"apriori", test.apriori ? withUnit(*test.apriori, texts::seconds) : texts::noApriori},
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

std::string weakestPointLine(const ChainAnalysis& analysis)
{
    const auto weakest = weakestPointOf(analysis);
    if (!weakest) return texts::noFreePoint;
    const PointPrecision& point = analysis.points[*weakest];
    return filledIn(texts::weakestLine, {{"name", point.name},
                                         {"mx", figure(point.mx)},
                                         {"my", figure(point.my)},
                                         {"mp", figure(point.mp)},
                                         {"a", figure(point.a)},
                                         {"b", figure(point.b)},
                                         {"alpha", axisDegreesAndMinutes(point.alpha)}});
}

}  // namespace

AnalysisOutcome analysisOfCompleteJob(const ChainSurvey* job)
{
    if (!job) return {std::nullopt, texts::noCompleteJob};
    try {
        return {analyseChain(*job), ""};
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

const ObservationTest* suspectOf(const ChainAnalysis& analysis)
{
    if (!analysis.suspect) return nullptr;
    for (const ObservationTest& test : analysis.observations)
        if (test.id == *analysis.suspect) return &test;
    return nullptr;
}

std::vector<std::string> summaryLines(const ChainAnalysis& analysis)
{
    std::vector<std::string> lines{globalTestLine(analysis.globalTest), sigma0Line(analysis.globalTest)};
    std::string closures = filledIn(texts::ferreroLine, {{"ferrero", withUnit(analysis.ferrero, texts::seconds)}});
    if (!analysis.triangles.empty() && analysis.triangles.front().limit) closures += closureLine(analysis);
    lines.push_back(closures);
    for (std::string& line : suspectLines(analysis)) lines.push_back(std::move(line));
    lines.push_back(weakestPointLine(analysis));
    return lines;
}

}  // namespace kestrane
