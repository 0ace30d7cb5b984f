#include "jobfile/durable_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

// POSIX: open, write, fsync, close, rename, unlink, getpid.
#include <fcntl.h>
#include <unistd.h>

namespace kestrane {
namespace {

std::string reason(int error)
{
    switch (error) {
    case ENOENT: return "文件夹不存在";
    case EACCES:
    case EPERM: return "没有写入权限";
    case ENOSPC: return "磁盘已满";
    case EDQUOT: return "超出了磁盘配额";
    case EROFS: return "磁盘是只读的";
    case EISDIR: return "这是一个文件夹";
    case ENOTDIR: return "路径中有一部分不是文件夹";
    case ENAMETOOLONG: return "文件名太长";
    case EIO: return "读写磁盘时出错";
    default: return std::string(std::strerror(error)) + "(错误号 " + std::to_string(error) + ")";
    }
}

std::filesystem::path folderOf(const std::filesystem::path& path)
{
    const std::filesystem::path folder = path.parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
}

// A new, empty file beside path that no other writer uses; -1 on failure.
int createTemporaryBeside(const std::filesystem::path& path, std::filesystem::path& temporary)
{
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = folderOf(path) / ("." + path.filename().string() + "." + std::to_string(getpid()) + "-" +
                                      std::to_string(++counter) + ".tmp");
        const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

}  // namespace

WriteFailure writeFailure(const std::string& doing, const std::filesystem::path& path, int error)
{
    return {"无法" + doing + " “" + path.string() + "”:" + reason(error) + "。", error};
}

std::optional<WriteFailure> writeDurably(int fd, std::string_view bytes, const std::string& doing,
                                         const std::filesystem::path& path)
{
    if (auto failure = writeAll(fd, bytes, doing, path)) return failure;
    return forceToDisk(fd, doing, path);
}

std::optional<WriteFailure> writeAll(int fd, std::string_view bytes, const std::string& doing,
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

std::optional<WriteFailure> forceToDisk(int fd, const std::string& doing, const std::filesystem::path& path)
{
    if (fsync(fd) != 0) return writeFailure(doing, path, errno);
    return std::nullopt;
}

std::optional<WriteFailure> syncFolder(const std::filesystem::path& folder, const std::string& doing)
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
                                        const std::string& doing)
{
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
