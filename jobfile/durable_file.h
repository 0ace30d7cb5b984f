// Files that reach the disk before a function returns: the journal of a job
// and a saved job file. POSIX calls (open, write, fsync, rename) do what the
// standard library cannot: force the data onto the disk and replace a file in
// one step, so that neither a crash nor a full disk leaves half a job behind.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kestrane {

struct WriteFailure {
    std::string message;  // for the surveyor, in Chinese, naming the file
    int error = 0;        // the system's error number
};

// "无法<doing> “<path>”:<reason>。" with the reason in the surveyor's words.
WriteFailure writeFailure(const std::string& doing, const std::filesystem::path& path, int error);

// Writes all of bytes to the open file and forces them to the disk.
std::optional<WriteFailure> writeDurably(int fd, std::string_view bytes, const std::string& doing,
                                         const std::filesystem::path& path);

// Writes all of bytes to the open file, leaving them to the system's cache:
// they survive the program's end, not the machine's.
std::optional<WriteFailure> writeAll(int fd, std::string_view bytes, const std::string& doing,
                                     const std::filesystem::path& path);

// Forces what was written to the open file to the disk.
std::optional<WriteFailure> forceToDisk(int fd, const std::string& doing, const std::filesystem::path& path);

// Forces a folder's entries (a file created or renamed in it) to the disk.
std::optional<WriteFailure> syncFolder(const std::filesystem::path& folder, const std::string& doing);

// Replaces the file at path by bytes, all or nothing: written to a new file
// in the same folder, forced to the disk, then renamed over path.
std::optional<WriteFailure> replaceFile(const std::filesystem::path& path, std::string_view bytes,
                                        const std::string& doing);

}  // namespace kestrane
