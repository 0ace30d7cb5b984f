#include "golden_files.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "tools/replay/transcript.h"

namespace kestrane::testing {

namespace fs = std::filesystem;

std::string readFile(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

fs::path goldenPath(const std::string& name, const char* extension)
{
    return fs::path(GOLDEN_DIR) / (name + extension);
}

std::vector<fs::path> goldenTranscripts()
{
    std::vector<fs::path> transcripts;
    for (const auto& entry : fs::directory_iterator(GOLDEN_DIR))
        if (entry.path().extension() == ".transcript") transcripts.push_back(entry.path());
    std::sort(transcripts.begin(), transcripts.end());
    return transcripts;
}

std::vector<std::string> goldenJobAnswers(const std::string& name)
{
    const std::string transcript = readFile(goldenPath(name, ".transcript"));
    std::vector<std::string> answers;
    bool inJob = false;
    for (const std::string_view line : replay::transcriptLines(transcript)) {
        if (line == "@data" || line == "@print" || line == "@analysis") {
            if (inJob) break;
            inJob = line == "@data";
            continue;
        }
        if (inJob) answers.emplace_back(line);
    }
    return answers;
}

}  // namespace kestrane::testing
