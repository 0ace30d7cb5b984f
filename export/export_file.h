// Writing an export file whole or not at all.
//
// The exports are built in memory and handed over as bytes. They are written
// to a new file in the target's own folder and renamed over the target only
// when every byte is on the disk, so whoever opens the target finds either
// the file that was there before or the complete new one, never a part.
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
// folder) through a temporary file beside it and a rename. On any failure
// the temporary file is removed and the target is left as it was.
ExportResult writeWholeFile(const std::string& path, const std::string& bytes);

}  // namespace kestrane
