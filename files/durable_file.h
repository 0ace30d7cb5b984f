// Files that reach the disk before a function returns: an export, a saved job
// file and the journal of a job. POSIX calls (open, write, fsync, rename) do
// what the standard library cannot: force the data onto the disk and replace
// a file in one step, so that neither a crash nor a full disk leaves half a
// file behind.
//
// Every failure is told to the surveyor in one wording,
// "无法<doing>“<path>”:<reason>。", doing being what was under way
// ("写入文件", "保存作业文件", "写入作业日志") and the reason the system's error
// in the surveyor's words; where a file was there before, the message adds
// that it was left as it was.
//
// A symbolic link at the path is followed, link by link, to the file it
// leads to, and that file is replaced (the new file written beside it, in its
// folder): a link into a shared folder keeps pointing at the shared file,
// which gets the new contents. A path that leads to a folder, a device, a
// named pipe or a socket is refused before anything is written.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace kestrane {

struct WriteFailure {
    std::string message;  // for the surveyor, in Chinese, naming the file
    int error = 0;        // the system's error number
};

// The failure of doing on path with the system's error number.
WriteFailure writeFailure(std::string_view doing, const std::filesystem::path& path, int error);

// The file a path leads to for writing: the path itself, or through the
// symbolic links there the file they lead to (which need not exist yet).
// Refused: a folder, a device, a named pipe (FIFO), a socket, a loop of
// links, an empty path or one ending in a '/'.
std::variant<std::filesystem::path, WriteFailure> writableTarget(const std::filesystem::path& path,
                                                                std::string_view doing);

// Replaces the file that path leads to by bytes, all or nothing: the bytes go
// to a new file beside it, which is forced to the disk and renamed over it;
// then the folder's entries are forced to the disk too. The new file keeps
// the permissions of the one it replaces. On any failure the new file is
// removed and whatever was there is left as it was.
std::optional<WriteFailure> replaceFile(const std::filesystem::path& path, std::string_view bytes,
                                        std::string_view doing);

// What starting a file that is appended to (a journal) does with a file
// already there: replace it once the new file's first bytes are on the disk,
// or fail with EEXIST.
enum class ExistingFile { replace, keep };

// Starts a file at path with its first bytes on the disk and gives its open
// descriptor, for appending; on failure nothing is left of the new file and
// a file that was there is untouched.
std::variant<int, WriteFailure> startAppendedFile(const std::filesystem::path& path, std::string_view bytes,
                                                  std::string_view doing, ExistingFile existing);

// Whether the open file is still the one path leads to: false when it was
// removed, or renamed away and another file put in its place.
bool stillAtPath(int fd, const std::filesystem::path& path);

// Cuts the open file back to size bytes (the part of a line that a full disk
// stopped), so that no half-written line stays in it.
void cutBackTo(int fd, std::uintmax_t size);

// Creates a folder and the folders above it that are missing.
std::optional<WriteFailure> createFolders(const std::filesystem::path& folder, std::string_view doing);

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

// A disk that fails on request, for the tests of what the program does when
// the real one fails (where no small file system can be mounted to fill).
// Every function above consults it.
// - full: the next `room` bytes written go to the disk, then a write stops
//   short with ENOSPC; new folders fail with ENOSPC once no room is left.
// - readOnly: every file opened for writing, folder created, rename and
//   write fails with EROFS.
enum class DiskFault { none, full, readOnly };
void injectDiskFault(DiskFault fault, std::uintmax_t room = 0);

}  // namespace kestrane
