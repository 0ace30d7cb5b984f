#include "import/coordinate_file.h"

#include <algorithm>
#include <optional>

#include "chain/number_parse.h"
#include "chain/text.h"
#include "chain/utf8.h"
#include "dialogue/full_width.h"
#include "chain/text_encoding.h"

namespace kestrane {
namespace {

// A record keeps this many fields; the rest are counted, not kept (CSV
// needs three, CASS four).
constexpr std::size_t fieldsKept = 4;

struct Record {
    int line = 0;
    std::vector<std::string> fields;
};

std::string quoted(std::string_view text)
{
    return "“" + utf8::excerpt(text, 24) + "”";
}

CoordinateFileRefusal refusal(int line, const std::string& what)
{
    return {line, line > 0 ? "第 " + std::to_string(line) + " 行:" + what : what};
}

// The bytes as UTF-8: as they stand when they are UTF-8, else read as
// GB18030 line by line (no GB18030 character holds the byte of LF).
std::variant<std::string, CoordinateFileRefusal> asUtf8(std::string_view bytes)
{
    if (utf8::firstInvalidByte(bytes) == std::string_view::npos) return std::string(bytes);
    std::string text;
    int line = 1;
    for (std::size_t at = 0; at <= bytes.size(); ++line) {
        std::size_t end = bytes.find('\n', at);
        if (end == std::string_view::npos) end = bytes.size();
        const auto decoded = decodeToUtf8(bytes.substr(at, end - at), gb18030Encoding);
        if (!decoded) return refusal(line, "既不是 UTF-8 也不是 GB18030 编码的文字;请把座标文件存为这两种编码之一。");
        text += *decoded;
        if (end < bytes.size()) text += '\n';
        at = end + 1;
    }
    return text;
}

// Splits the text into records of comma-separated fields, quotes as RFC 4180
// has them; a quoted field may hold commas and line breaks.
std::variant<std::vector<Record>, CoordinateFileRefusal> recordsOf(std::string_view text)
{
    std::vector<Record> records;
    int line = 1;
    std::size_t at = 0;
    while (at < text.size()) {
        Record record{line, {}};
        std::size_t fields = 0;
        std::string field;
        bool inQuotes = false, wasQuoted = false;
        const auto endField = [&] {
            if (fields++ < fieldsKept) record.fields.push_back(wasQuoted ? field : std::string(trimmedBlanks(field)));
            field.clear();
            wasQuoted = false;
        };
        for (; at < text.size(); ++at) {
            const char c = text[at];
            if (inQuotes) {
                if (c == '"' && at + 1 < text.size() && text[at + 1] == '"') {
                    field += '"';
                    ++at;
                } else if (c == '"') {
                    inQuotes = false;
                } else {
                    if (c == '\n') ++line;
                    field += c;
                }
                continue;
            }
            if (c == '"' && trimmedBlanks(field).empty() && !wasQuoted) {
                inQuotes = wasQuoted = true;
                field.clear();
            } else if (c == ',') {
                endField();
            } else if (c == '\n') {
                break;
            } else if (c != '\r' || (at + 1 < text.size() && text[at + 1] != '\n')) {
                // After a closing quote only blanks may follow; anything else joins the field.
                if (!(wasQuoted && (c == ' ' || c == '\t'))) field += c;
            }
        }
        if (inQuotes) return refusal(record.line, "引号没有结束。");
        endField();
        ++at;  // past the line break
        ++line;
        const bool blank = fields == 1 && record.fields.front().empty();
        if (!blank) records.push_back(std::move(record));
        if (records.size() > maxKnownPoints + 1)
            return refusal(records.back().line, "座标超过 " + std::to_string(maxKnownPoints) + " 个点,这不是一个三角锁的已知点文件。");
    }
    return records;
}

std::optional<std::string> coordinateOf(const std::string& field)
{
    std::string mapped = mappedToAscii(field);
    if (!parseNumber(mapped)) return std::nullopt;
    return std::string(trimmedBlanks(mapped));
}

}  // namespace

CoordinateFormat coordinateFormatOf(std::string_view fileName)
{
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos) return CoordinateFormat::csv;
    std::string extension(fileName.substr(dot + 1));
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    return extension == "dat" ? CoordinateFormat::cass : CoordinateFormat::csv;
}

CoordinateFileReading readCoordinateFile(std::string_view bytes, CoordinateFormat format)
{
    if (bytes.size() > maxCoordinateFileBytes)
        return refusal(0, "文件太大(座标文件最大 " + std::to_string(maxCoordinateFileBytes >> 20) + " MB)。");
    if (bytes.substr(0, utf8::byteOrderMark.size()) == utf8::byteOrderMark) bytes.remove_prefix(utf8::byteOrderMark.size());
    auto text = asUtf8(bytes);
    if (auto* refused = std::get_if<CoordinateFileRefusal>(&text)) return *refused;
    auto records = recordsOf(std::get<std::string>(text));
    if (auto* refused = std::get_if<CoordinateFileRefusal>(&records)) return *refused;

    const bool cass = format == CoordinateFormat::cass;
    const std::size_t fieldsNeeded = cass ? 4 : 3;
    const char* const layout = cass ? "点名,编码,Y,X[,H]" : "点名,X,Y";
    std::vector<FilePoint> points;
    bool first = true;
    for (const Record& record : std::get<std::vector<Record>>(records)) {
        const bool headings = first && !cass;
        first = false;
        const auto& f = record.fields;
        if (f.size() < fieldsNeeded) {
            if (headings) continue;
            return refusal(record.line, "只有 " + std::to_string(f.size()) + " 项;座标文件的每一行应为 " + layout + "。");
        }
        const std::string& xField = cass ? f[3] : f[1];
        const std::string& yField = f[2];
        const auto x = coordinateOf(xField), y = coordinateOf(yField);
        if (!x || !y) {
            // The CSV's first line may be its headings (点名,X,Y).
            if (headings) continue;
            return refusal(record.line, std::string(!x ? "X " : "Y ") + quoted(!x ? xField : yField) + " 不是一个数。");
        }
        if (f[0].empty()) return refusal(record.line, "没有点名。");
        if (f[0].size() > maxPointNameBytes)
            return refusal(record.line, "点名超过 " + std::to_string(maxPointNameBytes) + " 个字节。");
        points.push_back({f[0], *x, *y, record.line});
    }
    if (points.size() > maxKnownPoints)
        return refusal(points.back().line, "座标超过 " + std::to_string(maxKnownPoints) + " 个点。");
    return points;
}

}  // namespace kestrane
