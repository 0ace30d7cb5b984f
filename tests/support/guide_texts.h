// The passages of README.md and of the guides in docs/ that tests hold
// against the program: the worked example's figures, the export examples,
// the example job file. Each passage stands between two HTML comments.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace kestrane::testing {

// README.md, docs/NAME.
std::filesystem::path readmePath();
std::filesystem::path docsPath(const std::string& name);

// The documents that list the worked example's figures: README.md and the
// user guide in Chinese and in English.
std::vector<std::filesystem::path> documentsWithFigures();

// Every passage of document between a line `<!-- begin...` and the next
// `<!-- end -->`, the comment lines left out; begin may be the start of a
// comment whose rest follows on its line (`<!-- export example 坐标.csv -->`),
// given back as the passage's name.
struct MarkedPassage {
    std::string name;  // the rest of the opening comment, "" for none
    std::string text;
};
std::vector<MarkedPassage> markedPassages(const std::string& document, const std::string& begin,
                                          const std::string& end);

// A figure of the worked example as the guides list it: the caption that
// stands beside (or above and beside) its field on the screen, and the text
// the field shows, both without the blanks at either end.
struct GuideFigure {
    std::string caption;
    std::string shown;
};

// The rows of the table between <!-- example figures --> and
// <!-- end of example figures -->: its first two cells.
std::vector<GuideFigure> guideFigures(const std::filesystem::path& document);

}  // namespace kestrane::testing
