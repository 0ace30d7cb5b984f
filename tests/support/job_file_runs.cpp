#include "job_file_runs.h"

#include <cstdio>
#include <sstream>

#include <sys/wait.h>
#include <variant>

#include <unistd.h>

#include "tools/replay/replay.h"
#include "tools/replay/transcript.h"

namespace kestrane::testing {

namespace fs = std::filesystem;

Replayed replayed(const std::string& transcript, const replay::JobFileOptions& options)
{
    std::ostringstream log;
    Replayed run;
    run.status = replay::replayTranscript(transcript, log, options);
    run.log = log.str();
    return run;
}

int runCommand(const std::string& command, std::string& output)
{
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return -1;
    char buffer[4096];
    std::size_t count;
    while ((count = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, count);
    return WEXITSTATUS(pclose(pipe));
}

std::vector<std::string> eventLines(const std::string& log, const std::string& prefix)
{
    std::vector<std::string> lines;
    std::istringstream stream(log);
    for (std::string line; std::getline(stream, line);)
        if (line.rfind(prefix, 0) == 0) lines.push_back(line);
    return lines;
}

std::string finalFields(const std::string& log)
{
    const auto fields = eventLines(log, "{\"fields\": ");
    return fields.empty() ? std::string("<no fields line>") : fields.back();
}

std::string joinedLines(const std::vector<std::string>& lines, std::size_t from, std::size_t to)
{
    std::string text;
    for (std::size_t i = from; i < lines.size() && i < to; ++i) text += lines[i] + '\n';
    return text;
}

namespace {

// Whether a transcript line presses a button or asks the tool for something
// (@data, @print, @analysis, @export ...) rather than answering a box.
bool isCommand(std::string_view line)
{
    return line.rfind('@', 0) == 0 && line != "@cancel" && line != "@abort" && line.rfind("@@", 0) != 0;
}

}  // namespace

std::vector<std::vector<std::string>> jobsOf(const std::string& transcript)
{
    std::vector<std::vector<std::string>> jobs;
    bool inJob = false;
    for (const std::string_view line : replay::transcriptLines(transcript)) {
        if (isCommand(line)) inJob = line == "@data";
        if (line == "@data") jobs.emplace_back();
        if (inJob) jobs.back().emplace_back(line);
    }
    return jobs;
}

std::vector<JobFileEntry> journalEntries(const fs::path& path)
{
    JobFileReading reading = readJobFile(path, path.string(), LastLine::dropUnfinished);
    if (auto* file = std::get_if<JobFile>(&reading)) return file->entries();
    return {};
}

std::map<std::string, std::string> lastValuesOf(const std::vector<JobFileEntry>& entries)
{
    std::map<std::string, std::string> values;
    for (const JobFileEntry& entry : entries) values[entry.key] = entry.value;
    return values;
}

std::size_t resumeLine(const std::vector<std::string>& lines, std::size_t values, const fs::path& scratch)
{
    const fs::path journal = scratch / "resume-search.kjob";
    const auto valuesAfter = [&](std::size_t prefix) {
        replayed(joinedLines(lines, 0, prefix), {.job = {}, .saveJob = journal.string()});
        return journalEntries(journal).size();
    };
    // The fewest lines after which the journal holds the values.
    std::size_t low = 1, high = lines.size();
    while (low < high) {
        const std::size_t middle = (low + high) / 2;
        if (valuesAfter(middle) >= values) high = middle;
        else low = middle + 1;
    }
    return low;
}

FastScratchFolder::FastScratchFolder(const std::string& name)
{
    const fs::path shared = "/dev/shm";
    std::error_code error;
    const fs::path base = fs::is_directory(shared, error) ? shared : fs::temp_directory_path();
    path = base / ("kestrane-" + name + "-" + std::to_string(::getpid()));
    fs::remove_all(path, error);
    fs::create_directories(path);
}

FastScratchFolder::~FastScratchFolder()
{
    std::error_code error;
    fs::remove_all(path, error);
}

}  // namespace kestrane::testing
