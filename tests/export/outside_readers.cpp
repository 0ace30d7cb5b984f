#include "outside_readers.h"

#include <atomic>
#include <cstdio>
#include <fstream>
#include <sstream>

#include <sys/wait.h>
#include <unistd.h>

namespace kestrane::testing {

namespace fs = std::filesystem;

std::unique_ptr<FinishedJob> finishedJob(const ChainPlan& plan, const std::vector<std::string>& names)
{
    auto run = std::make_unique<FinishedJob>();
    run->chain = makeChain(plan);
    for (std::string answer : run->chain.answers) {
        for (std::size_t i = 0; i < names.size(); ++i)
            if (answer == "P" + std::to_string(i)) answer = names[i];
        run->io.add(answer);
    }
    run->outcome = runDataInputJob(run->job, run->io, run->io);
    return run;
}

ScratchFolder::ScratchFolder()
{
    static std::atomic<int> counter{0};
    path_ = fs::temp_directory_path() /
            ("kestrane-export-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    fs::remove_all(path_);
    fs::create_directories(path_);
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::vector<std::string> ScratchFolder::listing() const
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(path_)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string readBytes(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

std::string shellWord(const std::string& word)
{
    std::string quoted = "'";
    for (const char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

bool haveProgram(const std::string& program)
{
    return run("command -v " + shellWord(program) + " >/dev/null 2>&1").status == 0;
}

CommandResult run(const std::string& command, bool merge)
{
    CommandResult result;
    FILE* pipe = popen((command + (merge ? " 2>&1" : "")).c_str(), "r");
    if (!pipe) return result;
    char buffer[4096];
    std::size_t count;
    while ((count = fread(buffer, 1, sizeof buffer, pipe)) > 0) result.output.append(buffer, count);
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

namespace {

// "POINT Z (1.5 2.5 0)" or "LINESTRING Z (0 0 0,1 0 0)": the vertices.
void readVertices(const std::string& geometry, DrawnFeature& feature)
{
    const auto open = geometry.rfind('('), close = geometry.find(')');
    if (open == std::string::npos || close == std::string::npos) return;
    for (const std::string& vertex : piecesOf(geometry.substr(open + 1, close - open - 1) + ",", ',')) {
        std::istringstream numbers(vertex);
        double east = 0, north = 0;
        numbers >> east >> north;
        feature.east.push_back(east);
        feature.north.push_back(north);
    }
}

}  // namespace

std::vector<DrawnFeature> drawnFeatures(const std::string& ogrinfoOutput)
{
    std::vector<DrawnFeature> features;
    std::istringstream lines(ogrinfoOutput);
    const std::string layerField = "  Layer (String) = ", textField = "  Text (String) = ", style = "  Style = ";
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("OGRFeature(")) {
            features.emplace_back();
        } else if (features.empty()) {
            continue;
        } else if (line.starts_with(layerField)) {
            features.back().layer = line.substr(layerField.size());
        } else if (line.starts_with(textField)) {
            features.back().text = line.substr(textField.size());
        } else if (line.starts_with(style)) {
            features.back().style = line.substr(style.size());
        } else if (line.starts_with("  ") && line.size() > 2 && std::isupper(static_cast<unsigned char>(line[2]))) {
            const std::string geometry = line.substr(2);
            if (geometry.starts_with("POINT") || geometry.starts_with("LINESTRING") || geometry.starts_with("POLYGON")) {
                features.back().geometry = geometry.substr(0, geometry.find(' '));
                readVertices(geometry, features.back());
            }
        }
    }
    return features;
}

std::vector<std::string> piecesOf(const std::string& text, char separator)
{
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find(separator, start)) != std::string::npos; start = at + 1)
        pieces.push_back(text.substr(start, at - start));
    if (start < text.size()) pieces.push_back(text.substr(start));
    return pieces;
}

}  // namespace kestrane::testing
