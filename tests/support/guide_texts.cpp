#include "guide_texts.h"

#include <sstream>
#include <utility>

#include "chain/text.h"
#include "golden_files.h"

namespace kestrane::testing {

namespace fs = std::filesystem;

fs::path readmePath()
{
    return fs::path(SOURCE_DIR) / "README.md";
}

fs::path docsPath(const std::string& name)
{
    return fs::path(SOURCE_DIR) / "docs" / name;
}

std::vector<fs::path> documentsWithFigures()
{
    return {readmePath(), docsPath("user-guide.zh.md"), docsPath("user-guide.en.md")};
}

std::vector<MarkedPassage> markedPassages(const std::string& document, const std::string& begin,
                                          const std::string& end)
{
    std::vector<MarkedPassage> passages;
    for (auto from = document.find(begin); from != std::string::npos; from = document.find(begin, from + 1)) {
        const auto lineEnd = document.find('\n', from);
        const auto to = document.find(end, lineEnd);
        if (lineEnd == std::string::npos || to == std::string::npos) break;
        std::string name = document.substr(from + begin.size(), lineEnd - from - begin.size());
        if (name.ends_with("-->")) name.resize(name.size() - 3);
        passages.push_back({std::string(trimmedBlanks(name)), document.substr(lineEnd + 1, to - lineEnd - 1)});
    }
    return passages;
}

std::vector<GuideFigure> guideFigures(const fs::path& document)
{
    std::vector<GuideFigure> figures;
    for (const MarkedPassage& table :
         markedPassages(readFile(document), "<!-- example figures -->", "<!-- end of example figures -->")) {
        std::istringstream rows(table.text);
        bool heading = true;
        for (std::string row; std::getline(rows, row);) {
            if (!row.starts_with("|") || row.starts_with("|---")) continue;
            std::vector<std::string> cells;
            std::istringstream cellStream(row.substr(1));
            for (std::string cell; std::getline(cellStream, cell, '|');) cells.emplace_back(trimmedBlanks(cell));
            if (std::exchange(heading, false) || cells.size() < 2) continue;  // the heading row
            figures.push_back({cells[0], cells[1]});
        }
    }
    return figures;
}

}  // namespace kestrane::testing
