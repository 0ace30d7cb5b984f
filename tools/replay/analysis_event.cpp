#include "tools/replay/analysis_event.h"

#include <charconv>
#include <cmath>
#include <vector>

#include "chain/json_string.h"
#include "tools/replay/json_log.h"

namespace kestrane::replay {
namespace {

std::string jsonBool(std::optional<bool> value)
{
    return value ? (*value ? "true" : "false") : "null";
}

template <typename Item, typename Render>
std::string jsonArray(const std::vector<Item>& items, Render render)
{
    std::string json = "[";
    for (const Item& item : items) {
        if (json.size() > 1) json += ", ";
        json += render(item);
    }
    return json + "]";
}

// The log's "sigma0": the global test with sigma0 before and after.
std::string sigma0Json(const GlobalTest& test)
{
    return JsonObject()
        .addRaw("apriori", jsonNumber(test.apriori))
        .addRaw("aposteriori", jsonNumber(test.aposteriori))
        .add("redundancy", test.redundancy)
        .addRaw("chi2", jsonNumber(test.chi2))
        .addRaw("lower", jsonNumber(test.lower))
        .addRaw("upper", jsonNumber(test.upper))
        .addRaw("passed", jsonBool(test.passed))
        .str();
}

std::string triangleJson(const TriangleClosure& closure)
{
    return JsonObject()
        .add("triangle", closure.triangle)
        .addRaw("w", jsonNumber(closure.w))
        .addRaw("limit", jsonNumber(closure.limit))
        .addRaw("passed", jsonBool(closure.passed))
        .str();
}

std::string pointJson(const PointPrecision& point)
{
    return JsonObject()
        .add("index", point.index)
        .add("name", point.name)
        .addRaw("x", jsonNumber(point.x))
        .addRaw("y", jsonNumber(point.y))
        .add("known", point.known)
        .addRaw("mx", jsonNumber(point.mx))
        .addRaw("my", jsonNumber(point.my))
        .addRaw("mp", jsonNumber(point.mp))
        .addRaw("a", jsonNumber(point.a))
        .addRaw("b", jsonNumber(point.b))
        .addRaw("alpha", jsonNumber(point.alpha))
        .str();
}

std::string observationJson(const ObservationTest& test)
{
    return JsonObject()
        .add("id", observationText(test.id))
        .addRaw("v", jsonNumber(test.v))
        .addRaw("redundancy", jsonNumber(test.redundancy))
        .addRaw("w", jsonNumber(test.w))
        .addRaw("mdb", jsonNumber(test.mdb))
        .add("suspect", test.suspect)
        .str();
}

const char* checkKindName(CheckKind kind)
{
    switch (kind) {
    case CheckKind::triangle: return "triangle";
    case CheckKind::sideAngle: return "sideAngle";
    case CheckKind::azimuth: return "azimuth";
    case CheckKind::x: return "x";
    case CheckKind::y: return "y";
    case CheckKind::ferrero: return "ferrero";
    case CheckKind::sideRms: return "sideRms";
    case CheckKind::weakestSide: return "weakestSide";
    case CheckKind::distanceAngle: return "distanceAngle";
    }
    return "";
}

// The grade's figures and the checks' values: a whole number (the N of 1/N,
// 100000) written out in full rather than as 1e+05; any other at full precision.
std::string checkNumber(double value)
{
    constexpr double wholeUpTo = 1e15;
    if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < wholeUpTo && value != 0)
        return std::to_string(static_cast<long long>(value));
    return jsonNumber(value);
}

std::string gradeJson(const Grade& grade)
{
    return JsonObject()
        .add("name", grade.name)
        .add("source", grade.source)
        .addRaw("angle", checkNumber(grade.angle))
        .addRaw("triangle", checkNumber(grade.triangle))
        .addRaw("side", checkNumber(grade.side))
        .addRaw("weakestSide", checkNumber(grade.weakestSide))
        .str();
}

std::string checkJson(const GradeCheck& check)
{
    return JsonObject()
        .add("check", checkKindName(check.kind))
        .add("id", check.id)
        .addRaw("value", checkNumber(check.value))
        .addRaw("limit", checkNumber(check.limit))
        .add("passed", check.passed)
        .str();
}

JsonObject analysisObject(const ChainAnalysis& analysis)
{
    const std::string suspect =
        analysis.suspect ? jsonStringLiteral(observationText(*analysis.suspect), JsonEscapes::required) : "null";
    const std::string body = JsonObject()
                                  .addRaw("sigma0", sigma0Json(analysis.globalTest))
                                  .addRaw("ferrero", jsonNumber(analysis.ferrero))
                                  .addRaw("triangles", jsonArray(analysis.triangles, triangleJson))
                                  .addRaw("points", jsonArray(analysis.points, pointJson))
                                  .addRaw("observations", jsonArray(analysis.observations, observationJson))
                                  .addRaw("suspect", suspect)
                                  .addRaw("grade", analysis.grading ? gradeJson(analysis.grading->grade) : "null")
                                  .addRaw("checks", analysis.grading ? jsonArray(analysis.grading->checks, checkJson) : "[]")
                                  .addRaw("gradePassed", analysis.grading ? jsonBool(analysis.grading->passed) : "null")
                                  .str();
    return JsonObject().addRaw("analysis", body);
}

JsonObject refusalObject(const std::string& reason)
{
    return JsonObject().add("analysis", "refused").add("reason", reason);
}

}  // namespace

std::string unknownGradeReason(std::string_view name)
{
    return "没有等级 “" + std::string(name) + "”:可按 二等、三等、四等、一级、二级 检核。";
}

std::string jsonNumber(std::optional<double> value)
{
    if (!value || !std::isfinite(*value)) return "null";
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, *value).ptr;
    return std::string(text, end);
}

JsonObject analysisEvent(const AnalysisOutcome& outcome)
{
    return outcome.analysis ? analysisObject(*outcome.analysis) : refusalObject(outcome.refusal);
}

}  // namespace kestrane::replay
