// The replay tool's job-file options. --job FILE opens FILE before the
// transcript is read, as the window's "open job" does: the job starts at once
// and takes its values from the file, the transcript answering the rest.
// --save-job FILE writes the journal of every job to FILE, as the window
// writes its journal; each job starts the file afresh. A job opened with
// --job is journaled too, as in the window.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "dialogue/input_box.h"
#include "jobfile/job_file.h"
#include "jobfile/job_recording.h"

namespace kestrane::replay {

struct JobFileOptions {
    std::string job;      // --job FILE; empty when not given
    std::string saveJob;  // --save-job FILE; empty when not given
};

// kestrane-replay [--job FILE] [--save-job FILE] [TRANSCRIPT]: the options
// in either order, before the transcript's name. kestrane-replay --version,
// alone, asks for the program's name and version instead of a replay;
// kestrane-replay --check FILE, alone, for the faults of a job file.
struct CommandLine {
    JobFileOptions options;
    std::optional<std::string> transcript;  // standard input when none
    bool version = false;
    std::string check;                      // --check FILE; empty when not given
};

// Nothing when the arguments are not of that form.
std::optional<CommandLine> parseCommandLine(const std::vector<std::string>& arguments);

inline constexpr const char* usage =
    "usage: kestrane-replay [--job FILE] [--save-job FILE] [TRANSCRIPT]\n"
    "       kestrane-replay --check FILE\n"
    "       kestrane-replay --version";

// The job files of one replay.
class JobFileReplay {
public:
    JobFileReplay(const JobFileOptions& options, InputBox& box) : options_(options), box_(box) {}

    // The --job file as read: the job file, or its refusal.
    JobFileReading openJob() const;

    // What a job about to start records into: the journal at --save-job,
    // started afresh, or memory only. A journal that cannot be started is
    // told of as the window tells of it.
    JobRecording startRecording() const;

private:
    const JobFileOptions& options_;
    InputBox& box_;
};

// {"open": "refused", "reason": MESSAGE}
std::string openRefusedEvent(const JobFileRefusal& refusal);

// {"unused": [{"key": KEY, "line": N}, ...]}
std::string unusedEvent(const std::vector<JobFileEntry>& unused);

}  // namespace kestrane::replay
