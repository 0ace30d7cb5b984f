#include "files/durable_file.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

// POSIX: open with O_EXCL for a temporary name nobody else holds, write,
// fsync so that the rename never publishes a file whose bytes are still in
// flight, rename, which replaces the target in one step within one file
// system, and fsync of the folder, so that the new entry survives a crash.
#include <fcntl.h>
#include <unistd.h>

namespace kestrane {
namespace {

// Attempts at a temporary name before giving up (another process may be
// writing the same folder).
constexpr int temporaryNameAttempts = 100;

std::atomic<unsigned> temporaryCounter{0};

std::string reasonOf(int error)
{
    switch (error) {
    case ENOENT: return "文件夹不存在";
    case ENOTDIR: return "路径中有一段不是文件夹";
    case EACCES:
    case EPERM: return "没有写入权限";
    case EROFS: return "磁盘是只读的";
    case ENOSPC: return "磁盘已满";
    case EDQUOT: return "超出了磁盘配额";
    case EISDIR: return "同名的文件夹已经存在";
    case ENAMETOOLONG: return "文件名太长";
    case EIO: return "读写磁盘时出错";
    default: return "系统错误 " + std::to_string(error) + "(" + std::strerror(error) + ")";
    }
}

// A new, empty file beside path that no other writer uses; -1 on failure
// (errno says why).
int createTemporaryBeside(const std::filesystem::path& path, std::filesystem::path& temporary)
{
    for (int attempt = 0; attempt < temporaryNameAttempts; ++attempt) {
        temporary = folderOf(path) / ("." + path.filename().string() + "." + std::to_string(getpid()) + "-" +
                                      std::to_string(++temporaryCounter) + ".tmp");
        // 0666 less the umask: the file gets the permissions a new file of the
        // user gets, as if written directly.
        const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

}  // namespace

std::filesystem::path folderOf(const std::filesystem::path& path)
{
    const std::filesystem::path folder = path.parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
}

WriteFailure writeFailure(std::string_view doing, const std::filesystem::path& path, int error)
{
    return {"无法" + std::string(doing) + "“" + path.string() + "”:" + reasonOf(error) + "。", error};
}

std::optional<WriteFailure> writeDurably(int fd, std::string_view bytes, std::string_view doing,
                                         const std::filesystem::path& path)
{
    if (auto failure = writeAll(fd, bytes, doing, path)) return failure;
    return forceToDisk(fd, doing, path);
}

std::optional<WriteFailure> writeAll(int fd, std::string_view bytes, std::string_view doing,
                                     const std::filesystem::path& path)
{
    while (!bytes.empty()) {
        const ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return writeFailure(doing, path, errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return std::nullopt;
}

std::optional<WriteFailure> forceToDisk(int fd, std::string_view doing, const std::filesystem::path& path)
{
    if (fsync(fd) != 0) return writeFailure(doing, path, errno);
    return std::nullopt;
}

std::optional<WriteFailure> syncFolder(const std::filesystem::path& folder, std::string_view doing)
{
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return writeFailure(doing, folder, errno);
    const int synced = fsync(fd);
    const int error = errno;
    close(fd);
    // Some file systems cannot sync a folder; the file itself is on the disk.
    if (synced != 0 && error != EINVAL) return writeFailure(doing, folder, error);
    return std::nullopt;
}

std::optional<WriteFailure> replaceFile(const std::filesystem::path& path, std::string_view bytes,
                                        std::string_view doing)
{
    if (path.filename().empty()) return WriteFailure{"没有给出要写入的文件名。", ENOENT};

    std::filesystem::path temporary;
    const int fd = createTemporaryBeside(path, temporary);
    if (fd < 0) return writeFailure(doing, path, errno);

    auto failure = writeDurably(fd, bytes, doing, path);
    if (close(fd) != 0 && !failure) failure = writeFailure(doing, path, errno);
    if (!failure && std::rename(temporary.c_str(), path.c_str()) != 0) failure = writeFailure(doing, path, errno);
    if (failure) {
        unlink(temporary.c_str());
        return failure;
    }
    return syncFolder(folderOf(path), doing);
}

}  // namespace kestrane
