// Files that reach the disk before a function returns: an export, a saved job
// file and the journal of a job. POSIX calls (open, write, fsync, rename) do
// what the standard library cannot: force the data onto the disk and replace
// a file in one step, so that neither a crash nor a full disk leaves half a
// file behind.
//
// Every failure is told to the surveyor in one wording,
// "无法<doing>“<path>”:<reason>。", doing being what was under way
// ("写入文件", "保存作业文件", "写入作业日志") and the reason the system's error
// in the surveyor's words.
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

// The failure of doing on path with the system's error number.
WriteFailure writeFailure(std::string_view doing, const std::filesystem::path& path, int error);

// Replaces the file that path names by bytes, all or nothing: the bytes go to
// a new file beside it, which is forced to the disk and renamed over it; then
// the folder's entries are forced to the disk too. On any failure the new
// file is removed and whatever path named is left as it was. A path that
// names no file (empty, or ending in a '/') is refused. The path is replaced
// as it stands: a symbolic link there is replaced by the file, not followed.
std::optional<WriteFailure> replaceFile(const std::filesystem::path& path, std::string_view bytes,
                                        std::string_view doing);

// Pieces of the same for a file written bit by bit, as a journal is.
//
// Writes all of bytes to the open file and forces them to the disk.
std::optional<WriteFailure> writeDurably(int fd, std::string_view bytes, std::string_view doing,
                                         const std::filesystem::path& path);
// Writes all of bytes to the open file, leaving them to the system's cache:
// they survive the program's end, not the machine's.
std::optional<WriteFailure> writeAll(int fd, std::string_view bytes, std::string_view doing,
                                     const std::filesystem::path& path);
// Forces what was written to the open file to the disk.
std::optional<WriteFailure> forceToDisk(int fd, std::string_view doing, const std::filesystem::path& path);
// Forces a folder's entries (a file created or renamed in it) to the disk.
std::optional<WriteFailure> syncFolder(const std::filesystem::path& folder, std::string_view doing);

// The folder a file is written in: its parent, "." for a bare file name.
std::filesystem::path folderOf(const std::filesystem::path& path);

}  // namespace kestrane
