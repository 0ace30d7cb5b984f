// kestrane-replay [--job FILE] [--save-job FILE] [TRANSCRIPT]: runs the job
// of the data-input button from a transcript (standard input when no file is
// named) and writes the log to standard output; see job_file_options.h for
// the options. kestrane-replay --check FILE lists the faults of a job file
// (job_check.h); kestrane-replay --version prints the name and version.
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "chain/version.h"
#include "tools/replay/job_check.h"
#include "tools/replay/replay.h"

namespace {

// Reads the whole file (standard input for nullptr); false when it cannot be
// opened or a read fails (a directory, say). Reading stops past
// maxTranscriptBytes: an endless source (/dev/zero) ends too.
bool readAll(const char* path, std::string& content)
{
    std::FILE* file = path ? std::fopen(path, "rb") : stdin;
    if (!file) return false;
    char buffer[1 << 16];
    std::size_t count;
    while (content.size() <= kestrane::replay::maxTranscriptBytes &&
           (count = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        content.append(buffer, count);
    const bool ok = !std::ferror(file);
    if (path) std::fclose(file);
    return ok;
}

}  // namespace

int main(int argc, char** argv)
{
    using namespace kestrane::replay;
    const auto line = parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (!line) {
        std::cerr << usage << '\n';
        return statusUnreadable;
    }
    if (line->version) {
        std::cout << "kestrane-replay " << kestrane::programVersion << '\n';
        return statusDone;
    }
    if (!line->check.empty()) return checkJobFile(line->check, std::cout);
    const char* path = line->transcript ? line->transcript->c_str() : nullptr;
    std::string transcript;
    if (!readAll(path, transcript)) {
        std::cerr << "kestrane-replay: cannot read " << (path ? path : "standard input") << '\n';
        return statusUnreadable;
    }
    if (transcript.size() > maxTranscriptBytes) {
        std::cerr << "kestrane-replay: " << (path ? path : "standard input") << " is larger than "
                  << (maxTranscriptBytes >> 20) << " MB, which no job's transcript is\n";
        return statusUnreadable;
    }
    std::ios::sync_with_stdio(false);
    const int status = replayTranscript(transcript, std::cout, line->options);
    std::cout.flush();
    return status;
}
