#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "chain/utf8.h"
#include "checks/reader_checks.h"
#include "tools/replay/replay.h"
#include "tools/replay/transcript.h"

namespace kestrane::fuzz {
namespace {

// Exports go to one file of a scratch folder of this process, whatever path
// the transcript names: the formats are exercised, the machine's files are
// left alone.
const std::string& scratchExport()
{
    static const std::string path = [] {
        std::string folder = (std::filesystem::temp_directory_path() / "kestrane-fuzz-XXXXXX").string();
        if (!mkdtemp(folder.data())) std::abort();
        return folder + "/export";
    }();
    return path;
}

std::string sandboxed(std::string_view transcript)
{
    std::string text;
    for (const std::string_view line : replay::transcriptLines(transcript)) {
        if (line.starts_with("@export")) {
            const std::size_t format = line.find(' ');
            const std::size_t path = format == std::string_view::npos ? format : line.find(' ', format + 1);
            text += std::string(line.substr(0, path)) + (path == std::string_view::npos ? "" : " " + scratchExport());
        } else {
            text += line;
        }
        text += '\n';
    }
    return text;
}

}  // namespace

// Every line of the log is one JSON object in UTF-8, and the tool ends with
// one of its two statuses of a transcript read.
std::string checkTranscript(std::string_view bytes)
{
    std::ostringstream log;
    const int status = replay::replayTranscript(sandboxed(bytes), log);
    if (status != replay::statusDone && status != replay::statusMisplaced)
        return "replay ended with status " + std::to_string(status);
    const std::string text = log.str();
    if (!text.empty() && text.back() != '\n') return "the log ends inside a line";
    if (!utf8::isWellFormed(text)) return "the log is not UTF-8";
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
        if (line.size() < 2 || line.front() != '{' || line.back() != '}') return "a log line is no JSON object: " + line;
    return {};
}

}  // namespace kestrane::fuzz
