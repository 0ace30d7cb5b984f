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
                                  .str();
    return JsonObject().addRaw("analysis", body);
}

JsonObject refusalObject(const std::string& reason)
{
    return JsonObject().add("analysis", "refused").add("reason", reason);
}

}  // namespace

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
