#include <algorithm>

#include "chain/number_parse.h"
#include "chain/utf8.h"
#include "checks/reader_checks.h"
#include "import/coordinate_file.h"

namespace kestrane::fuzz {
namespace {

std::string checkAs(std::string_view bytes, CoordinateFormat format)
{
    const int lines = static_cast<int>(std::count(bytes.begin(), bytes.end(), '\n')) + 1;
    const CoordinateFileReading reading = readCoordinateFile(bytes, format);
    if (const auto* refusal = std::get_if<CoordinateFileRefusal>(&reading)) {
        if (refusal->line < 0 || refusal->line > lines)
            return "refusal at line " + std::to_string(refusal->line) + " of " + std::to_string(lines);
        if (refusal->line > 0 && !refusal->message.starts_with("第 " + std::to_string(refusal->line) + " 行"))
            return "refusal message does not name its line: " + refusal->message;
        if (refusal->message.empty() || !utf8::isWellFormed(refusal->message)) return "refusal message empty or not UTF-8";
        return {};
    }
    const auto& points = std::get<std::vector<FilePoint>>(reading);
    if (points.size() > maxKnownPoints) return "more points than the limit";
    int previous = 0;
    for (const FilePoint& point : points) {
        if (point.line < std::max(previous, 1) || point.line > lines) return "a point at a line out of order";
        previous = point.line;
        if (point.name.empty() || point.name.size() > maxPointNameBytes || !utf8::isWellFormed(point.name))
            return "a point name empty, too long or not UTF-8";
        if (!parseNumber(point.x) || !parseNumber(point.y)) return "a coordinate that is no number: " + point.x + ", " + point.y;
    }
    return {};
}

}  // namespace

std::string checkCoordinateFile(std::string_view bytes)
{
    if (std::string fault = checkAs(bytes, CoordinateFormat::csv); !fault.empty()) return "CSV: " + fault;
    if (std::string fault = checkAs(bytes, CoordinateFormat::cass); !fault.empty()) return "CASS: " + fault;
    return {};
}

}  // namespace kestrane::fuzz
