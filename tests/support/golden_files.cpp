#include "golden_files.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include <unistd.h>

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

bool regeneratingGolden()
{
    const char* value = std::getenv("KESTRANE_REGENERATE_GOLDEN");
    return value && std::string_view(value) == "1";
}

void writeGolden(const fs::path& transcript, const std::string& log, int status)
{
    fs::path path = transcript;
    std::ofstream(path.replace_extension(".log"), std::ios::binary) << log;
    path.replace_extension(".exit");
    if (status == 0) fs::remove(path);
    else std::ofstream(path, std::ios::binary) << status << '\n';
}

std::vector<std::string> goldenJobAnswers(const std::string& name)
{
    const std::string transcript = readFile(goldenPath(name, ".transcript"));
    std::vector<std::string> answers;
    bool inJob = false;
    for (const std::string_view line : replay::transcriptLines(transcript)) {
        if (line == "@data" || line == "@print" || line.starts_with("@analysis") || line.starts_with("@export")) {
            if (inJob) break;
            inJob = line == "@data";
            continue;
        }
        if (inJob) answers.emplace_back(line);
    }
    return answers;
}

ScratchWorkingFolder::ScratchWorkingFolder(const std::string& name)
    : previous_(fs::current_path()),
      path_(fs::temp_directory_path() / ("kestrane-" + name + "-" + std::to_string(getpid())))
{
    fs::remove_all(path_);
    fs::create_directories(path_);
    fs::current_path(path_);
}

ScratchWorkingFolder::~ScratchWorkingFolder()
{
    fs::current_path(previous_);
    fs::remove_all(path_);
}

}  // namespace kestrane::testing
