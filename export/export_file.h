// What an export comes to, and writing its file whole or not at all.
//
// The exports are built in memory and handed over as bytes, which the one
// durable writer (files/durable_file.h) puts in place of the target, so
// whoever opens the target finds either the file that was there before or
// the complete new one, never a part.
#pragma once

#include <string>
#include <utility>

namespace kestrane {

// What an export came to: nothing to say when the file was written, else the
// reason for the user, in Chinese.
struct ExportResult {
    std::string message;

    bool written() const { return message.empty(); }
};

inline ExportResult exportWritten() { return {}; }
inline ExportResult exportRefused(std::string message) { return {std::move(message)}; }

// Writes bytes to path (a file name, absolute or relative to the working
// folder). On any failure the target is left as it was.
ExportResult writeWholeFile(const std::string& path, const std::string& bytes);

}  // namespace kestrane
