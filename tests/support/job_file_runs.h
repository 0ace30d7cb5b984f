// Replays with job files, as the sweeps and the window tests run them: a
// transcript replayed with --job and --save-job, the events of its log, the
// values of a journal, and where a job resumed from a journal picks up the
// transcript of the job it continues.
#pragma once

#include <cstddef>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "jobfile/job_file.h"
#include "tools/replay/job_file_options.h"

namespace kestrane::testing {

struct Replayed {
    int status = -1;
    std::string log;
};

Replayed replayed(const std::string& transcript, const replay::JobFileOptions& options = {});

// Runs a shell command, its standard output appended to output; its exit status.
int runCommand(const std::string& command, std::string& output);

// The log lines that start with prefix ("{\"report\": "), in order.
std::vector<std::string> eventLines(const std::string& log, const std::string& prefix);

// The last line of the log: every field's final text and the captions.
std::string finalFields(const std::string& log);

// The transcript of lines, one a line.
std::string joinedLines(const std::vector<std::string>& lines, std::size_t from = 0,
                        std::size_t to = static_cast<std::size_t>(-1));

// The jobs of a transcript, each "@data" with the entries up to the next
// command (@print, @analysis, @export, a further @data).
std::vector<std::vector<std::string>> jobsOf(const std::string& transcript);

// The value lines of a job file read as a job reads them (an unfinished last
// line left out); empty when the file is refused.
std::vector<JobFileEntry> journalEntries(const std::filesystem::path& path);

// Key to the value that counts.
std::map<std::string, std::string> lastValuesOf(const std::vector<JobFileEntry>& entries);

// A job's transcript lines ("@data" first) and a journal of its first
// `values` accepted values: the first line that a job opened from that
// journal asks of the surveyor. It is the line after the one on which the
// last of those values was accepted, found by replaying shorter and shorter
// prefixes with --save-job into scratch.
std::size_t resumeLine(const std::vector<std::string>& lines, std::size_t values,
                       const std::filesystem::path& scratch);

// A folder where fsync costs nothing (the shared memory file system when
// there is one), for sweeps that write thousands of journals; removed at the end.
struct FastScratchFolder {
    explicit FastScratchFolder(const std::string& name);
    ~FastScratchFolder();
    std::filesystem::path path;
};

}  // namespace kestrane::testing
