#include "tools/replay/job_file_options.h"

#include "jobfile/journal.h"
#include "tools/replay/json_log.h"

namespace kestrane::replay {

std::optional<CommandLine> parseCommandLine(const std::vector<std::string>& arguments)
{
    CommandLine line;
    if (arguments.size() == 1 && arguments.front() == "--version") {
        line.version = true;
        return line;
    }
    if (!arguments.empty() && arguments.front() == "--check") {
        if (arguments.size() != 2 || arguments[1].empty()) return std::nullopt;
        line.check = arguments[1];
        return line;
    }
    std::size_t at = 0;
    for (; at < arguments.size() && arguments[at].rfind("--", 0) == 0; at += 2) {
        std::string* value = arguments[at] == "--job"        ? &line.options.job
                             : arguments[at] == "--save-job" ? &line.options.saveJob
                                                             : nullptr;
        if (!value || at + 1 >= arguments.size() || arguments[at + 1].empty() || !value->empty())
            return std::nullopt;
        *value = arguments[at + 1];
    }
    if (arguments.size() - at > 1) return std::nullopt;
    if (at < arguments.size()) line.transcript = arguments[at];
    return line;
}

JobFileReading JobFileReplay::openJob() const
{
    return readJobFile(options_.job, options_.job);
}

JobRecording JobFileReplay::startRecording() const
{
    if (options_.saveJob.empty()) return JobRecording(box_);
    return recordingInto(box_, Journal::start(options_.saveJob, JobFileClock::now(), ExistingFile::replace));
}

std::string openRefusedEvent(const JobFileRefusal& refusal)
{
    return JsonObject().add("open", "refused").add("reason", refusal.message).str();
}

std::string unusedEvent(const std::vector<JobFileEntry>& unused)
{
    std::string lines = "[";
    for (const JobFileEntry& entry : unused) {
        if (lines.size() > 1) lines += ", ";
        lines += JsonObject().add("key", entry.key).add("line", entry.line).str();
    }
    return JsonObject().addRaw("unused", lines + "]").str();
}

}  // namespace kestrane::replay
