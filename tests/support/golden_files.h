// The golden transcripts and their logs, and reading whole files.
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

// The answers of a golden transcript's first job: the entries after its first
// "@data", up to the next "@data", "@print" or "@analysis", or the end.
std::vector<std::string> goldenJobAnswers(const std::string& name);

}  // namespace kestrane::testing
