#include "draft/draft_table.h"

#include <algorithm>

#include "chain/chain_survey.h"

namespace kestrane {
namespace {

constexpr std::string_view ideographicSpace = "\u3000";
constexpr std::string_view fullWidthComma = "\uFF0C";

// The blank that starts text at, and its length; 0 for none.
std::size_t blankAt(std::string_view text, std::size_t at)
{
    // A carriage return left in a line (the CR CR LF of a text whose line
    // ends were converted twice) is no part of a value either.
    if (text[at] == ' ' || text[at] == '\t' || text[at] == '\r') return 1;
    if (text.substr(at, ideographicSpace.size()) == ideographicSpace) return ideographicSpace.size();
    return 0;
}

std::string trimmed(std::string_view text)
{
    std::size_t from = 0, to = text.size();
    while (from < to && blankAt(text, from)) from += blankAt(text, from);
    // Trailing blanks: a space, tab or carriage return, or the three bytes of
    // the ideographic space.
    for (;;) {
        if (to > from && (text[to - 1] == ' ' || text[to - 1] == '\t' || text[to - 1] == '\r')) --to;
        else if (to >= from + ideographicSpace.size() &&
                 text.substr(to - ideographicSpace.size(), ideographicSpace.size()) == ideographicSpace)
            to -= ideographicSpace.size();
        else break;
    }
    return std::string(text.substr(from, to - from));
}

enum class Separator { tab, comma, blanks };

// The values of a line, stopping at one more than a block may have.
std::vector<std::string> valuesOfLine(std::string_view line, Separator separator)
{
    std::vector<std::string> values;
    if (separator == Separator::blanks) {
        std::size_t at = 0;
        while (at < line.size()) {
            while (at < line.size() && blankAt(line, at)) at += blankAt(line, at);
            const std::size_t start = at;
            while (at < line.size() && !blankAt(line, at)) ++at;
            if (at > start) values.emplace_back(line.substr(start, at - start));
            if (values.size() > maxBlockColumns) break;
        }
        return values;
    }
    std::size_t start = 0;
    for (std::size_t at = 0; at <= line.size();) {
        std::size_t width = 0;
        if (at == line.size()) width = 1;
        else if (separator == Separator::tab && line[at] == '\t') width = 1;
        else if (separator == Separator::comma && line[at] == ',') width = 1;
        else if (separator == Separator::comma && line.substr(at, fullWidthComma.size()) == fullWidthComma)
            width = fullWidthComma.size();
        if (width == 0) {
            ++at;
            continue;
        }
        values.push_back(trimmed(line.substr(start, at - start)));
        if (values.size() > maxBlockColumns) break;
        at += width;
        start = at;
    }
    return values;
}

}  // namespace

int tableRows(int triangles)
{
    return triangles > 0 ? triangles + 2 : 0;
}

std::optional<JobKey> keyAt(int row, int column, int triangles)
{
    const int n = triangles;
    if (n < 1 || row < 0 || row > n + 1 || column < 0 || column >= tableKeyColumns) return std::nullopt;
    const bool triangleRow = row >= 1 && row <= n;
    switch (static_cast<TableColumn>(column)) {
    case TableColumn::name: return JobKey{KeyFamily::pointName, row};
    case TableColumn::angleA: return triangleRow ? std::optional(JobKey{KeyFamily::angleA, row}) : std::nullopt;
    case TableColumn::angleB: return triangleRow ? std::optional(JobKey{KeyFamily::angleB, row}) : std::nullopt;
    case TableColumn::angleC: return triangleRow ? std::optional(JobKey{KeyFamily::angleC, row}) : std::nullopt;
    case TableColumn::routeSide: return row >= 1 ? std::optional(JobKey{KeyFamily::side, 2 * row - 1}) : std::nullopt;
    case TableColumn::spacerSide: return triangleRow ? std::optional(JobKey{KeyFamily::side, 2 * row}) : std::nullopt;
    }
    return std::nullopt;
}

TablePosition cellOf(const JobKey& key)
{
    switch (key.family) {
    case KeyFamily::pointName: return {key.index, static_cast<int>(TableColumn::name)};
    case KeyFamily::angleA: return {key.index, static_cast<int>(TableColumn::angleA)};
    case KeyFamily::angleB: return {key.index, static_cast<int>(TableColumn::angleB)};
    case KeyFamily::angleC: return {key.index, static_cast<int>(TableColumn::angleC)};
    case KeyFamily::side:
        return {(key.index + 1) / 2,
                static_cast<int>(key.index % 2 == 1 ? TableColumn::routeSide : TableColumn::spacerSide)};
    default: return {-1, -1};
    }
}

std::optional<TablePosition> nextOpenCell(const JobDraft& draft, TablePosition from, bool forward)
{
    const int rows = tableRows(draft.triangles());
    const int step = forward ? 1 : -1;
    TablePosition at = from;
    for (;;) {
        at.column += step;
        if (at.column >= tableKeyColumns) at = {at.row + 1, 0};
        if (at.column < 0) at = {at.row - 1, tableKeyColumns - 1};
        if (at.row < 0 || at.row >= rows) return std::nullopt;
        const auto key = keyAt(at.row, at.column, draft.triangles());
        if (key && draft.isOpen(*key)) return at;
    }
}

std::optional<TextBlock> blockOfText(std::string_view text)
{
    std::vector<std::string_view> lines;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = text.find('\n', at);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(at, end - at);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (lines.size() == maxBlockRows) return std::nullopt;
        lines.push_back(line);
        at = end + 1;
    }
    Separator separator = Separator::blanks;
    if (std::any_of(lines.begin(), lines.end(), [](std::string_view l) { return l.find('\t') != l.npos; }))
        separator = Separator::tab;
    else if (std::any_of(lines.begin(), lines.end(), [](std::string_view l) {
                 return l.find(',') != l.npos || l.find(fullWidthComma) != l.npos;
             }))
        separator = Separator::comma;

    TextBlock block;
    for (const std::string_view line : lines) {
        // An empty line is a row with nothing in it.
        block.push_back(line.empty() ? std::vector<std::string>() : valuesOfLine(line, separator));
        if (block.back().size() > maxBlockColumns) return std::nullopt;
    }
    return block;
}

std::string textOfBlock(const TextBlock& block)
{
    std::string text;
    for (const auto& row : block) {
        for (std::size_t i = 0; i < row.size(); ++i) text += (i ? "\t" : "") + row[i];
        text += '\n';
    }
    return text;
}

std::vector<DraftEdit> pasteEdits(const JobDraft& draft, TablePosition at, const TextBlock& block)
{
    const int n = draft.triangles();
    if (at.row < 0 || at.row > n + 1 || at.column < 0 || at.column >= tableKeyColumns) return {};
    // The chain the block needs: a value on a row beyond B's, or one in a
    // column that B's row does not have, makes its row a triangle.
    int needed = n;
    for (std::size_t r = 0; r < block.size(); ++r) {
        const int row = at.row + static_cast<int>(r);
        for (std::size_t c = 0; c < block[r].size(); ++c) {
            const int column = at.column + static_cast<int>(c);
            if (column >= tableKeyColumns || block[r][c].empty() || row < n + 1) continue;
            const bool onBRow = column == static_cast<int>(TableColumn::name) ||
                                column == static_cast<int>(TableColumn::routeSide);
            needed = std::max(needed, onBRow ? row - 1 : row);
        }
    }
    needed = std::min(needed, maxTriangleCount);

    std::vector<DraftEdit> edits;
    if (needed > n) edits.push_back({{KeyFamily::triangleCount, 0}, std::to_string(needed)});
    for (std::size_t r = 0; r < block.size(); ++r) {
        for (std::size_t c = 0; c < block[r].size(); ++c) {
            const auto key = keyAt(at.row + static_cast<int>(r), at.column + static_cast<int>(c), needed);
            if (key) edits.push_back({*key, block[r][c]});
        }
    }
    return edits;
}

}  // namespace kestrane
