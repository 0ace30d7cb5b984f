// The golden transcripts and their logs, and reading whole files.
//
// Regenerating the golden logs for review: with KESTRANE_REGENERATE_GOLDEN=1
// in the environment the golden test (replay_tests, GoldenTranscript) writes
// every NAME.log, and NAME.exit for a status other than 0, from the replay
// tool instead of comparing, and skips: then `git diff tests/replay/golden`
// shows every change for review. `cmake --build build --target
// regenerate-golden` builds the tool and runs it so.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace kestrane::testing {

// The whole file as bytes; "" when it cannot be read.
std::string readFile(const std::filesystem::path& path);

// tests/replay/golden/NAME followed by extension (".transcript", ".log", ".exit").
std::filesystem::path goldenPath(const std::string& name, const char* extension);

// Every golden transcript, in name order.
std::vector<std::filesystem::path> goldenTranscripts();

// Whether KESTRANE_REGENERATE_GOLDEN=1 asks for the logs to be written anew.
bool regeneratingGolden();

// Writes the log of the transcript as its golden log, and the status as its
// NAME.exit (removed for status 0).
void writeGolden(const std::filesystem::path& transcript, const std::string& log, int status);

// The answers of a golden transcript's first job: the entries after its first
// "@data", up to the next "@data", "@print", "@analysis" or "@export", or the end.
std::vector<std::string> goldenJobAnswers(const std::string& name);

// A new empty folder, the working folder for as long as it lives: the exports
// of a transcript land there by their relative paths. Then the working folder
// is the one before again and the scratch folder is removed with its files.
class ScratchWorkingFolder {
public:
    explicit ScratchWorkingFolder(const std::string& name);
    ~ScratchWorkingFolder();
    ScratchWorkingFolder(const ScratchWorkingFolder&) = delete;
    ScratchWorkingFolder& operator=(const ScratchWorkingFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path previous_, path_;
};

}  // namespace kestrane::testing
