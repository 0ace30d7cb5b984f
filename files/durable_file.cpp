#include "files/durable_file.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

// POSIX: open with O_EXCL for a temporary name nobody else holds, write,
// fsync so that the rename never publishes a file whose bytes are still in
// flight, rename, which replaces the target in one step within one file
// system, and fsync of the folder, so that the new entry survives a crash;
// lstat and readlink to follow symbolic links, fstat to tell a file that was
// removed or replaced under an open descriptor.
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrane {
namespace {

// Attempts at a temporary name before giving up (another process may be
// writing the same folder).
constexpr int temporaryNameAttempts = 100;

// Links followed before a path is taken for a loop, as the system itself
// gives up (SYMLOOP_MAX is 40 on Linux).
constexpr int linksFollowed = 40;

std::atomic<unsigned> temporaryCounter{0};

// The fault the tests asked for, and the room a full disk has left.
std::atomic<DiskFault> injectedFault{DiskFault::none};
std::atomic<std::uintmax_t> roomLeft{0};

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
    case ELOOP: return "符号链接太多,或者链接成了环";
    default: return "系统错误 " + std::to_string(error) + "(" + std::strerror(error) + ")";
    }
}

// The failure with what it means for a file that was there: left as it was.
WriteFailure leftAsItWas(WriteFailure failure)
{
    failure.message += "原有的文件保持原样,没有改动。";
    return failure;
}

// The name of a file in messages: as the surveyor gave it, and where a link
// led elsewhere the file it led to.
std::string shownName(const std::filesystem::path& given, const std::filesystem::path& target)
{
    if (given == target) return "“" + given.string() + "”";
    return "“" + given.string() + "”(链接到“" + target.string() + "”)";
}

WriteFailure failureOn(std::string_view doing, const std::filesystem::path& given,
                       const std::filesystem::path& target, int error)
{
    return {"无法" + std::string(doing) + shownName(given, target) + ":" + reasonOf(error) + "。", error};
}

// What a file of that type is, for the refusal to write over it; empty for a
// regular file, which can be written.
std::string notAFile(mode_t mode)
{
    if (S_ISDIR(mode)) return {};
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "这是一个设备,不是普通文件";
    if (S_ISFIFO(mode)) return "这是一个命名管道(FIFO),不是普通文件";
    if (S_ISSOCK(mode)) return "这是一个套接字,不是普通文件";
    return S_ISREG(mode) ? std::string() : "这不是普通文件";
}

// The system calls that write, each failing as the injected fault says.
bool faultOnCreate(int& error)
{
    if (injectedFault == DiskFault::readOnly) error = EROFS;
    else if (injectedFault == DiskFault::full && roomLeft == 0) error = ENOSPC;
    else return false;
    return true;
}

int openForWriting(const std::filesystem::path& path, int flags)
{
    if (injectedFault == DiskFault::readOnly) {
        errno = EROFS;
        return -1;
    }
    return open(path.c_str(), flags, 0666);
}

ssize_t writeSome(int fd, const char* bytes, std::size_t size)
{
    if (injectedFault == DiskFault::readOnly) {
        errno = EROFS;
        return -1;
    }
    if (injectedFault == DiskFault::full) {
        const std::uintmax_t room = roomLeft;
        if (room == 0) {
            errno = ENOSPC;
            return -1;
        }
        if (size > room) size = static_cast<std::size_t>(room);
    }
    const ssize_t written = write(fd, bytes, size);
    if (written > 0 && injectedFault == DiskFault::full) roomLeft -= static_cast<std::uintmax_t>(written);
    return written;
}

int renameOver(const std::filesystem::path& from, const std::filesystem::path& to)
{
    if (injectedFault == DiskFault::readOnly) {
        errno = EROFS;
        return -1;
    }
    return std::rename(from.c_str(), to.c_str());
}

// A new, empty file beside path that no other writer uses; -1 on failure
// (errno says why).
int createTemporaryBeside(const std::filesystem::path& path, std::filesystem::path& temporary, int flags = 0)
{
    for (int attempt = 0; attempt < temporaryNameAttempts; ++attempt) {
        temporary = folderOf(path) / ("." + path.filename().string() + "." + std::to_string(getpid()) + "-" +
                                      std::to_string(++temporaryCounter) + ".tmp");
        // 0666 less the umask: the file gets the permissions a new file of the
        // user gets, as if written directly.
        const int fd = openForWriting(temporary, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | flags);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

// The permissions and the group (and, for root, the owner) of the file being
// replaced, given to its successor, so that a file shared with a group stays
// shared; the user's defaults for a new file. What the system does not allow
// is left at the defaults.
void keepPermissions(int fd, const std::filesystem::path& target)
{
    struct stat former {};
    if (stat(target.c_str(), &former) != 0) return;
    if (fchown(fd, geteuid() == 0 ? former.st_uid : static_cast<uid_t>(-1), former.st_gid) != 0) {
        // Not a member of the file's group: the new file has the user's group.
    }
    fchmod(fd, former.st_mode & 07777);
}

bool somethingAt(const std::filesystem::path& target)
{
    struct stat status {};
    return lstat(target.c_str(), &status) == 0;
}

// A file being replaced in one rename: the file the given path leads to, and
// the temporary file beside it that already holds the new bytes on the disk.
struct Replacement {
    std::filesystem::path target;
    std::filesystem::path temporary;
    bool former = false;  // a file was there to be replaced
    int fd = -1;          // the temporary, while it is open
};

// Gives up a replacement: the temporary closed and removed, and where a file
// was there the failure says that it is left as it was.
WriteFailure abandoned(const Replacement& replacement, WriteFailure failure)
{
    if (replacement.fd >= 0) close(replacement.fd);
    if (!replacement.temporary.empty()) unlink(replacement.temporary.c_str());
    return replacement.former ? leftAsItWas(std::move(failure)) : failure;
}

// Follows path to the file it leads to, refusing what is not a file, and
// writes bytes to a new temporary file beside it, forced to the disk.
std::variant<Replacement, WriteFailure> writeReplacement(const std::filesystem::path& path, std::string_view bytes,
                                                         std::string_view doing, int flags = 0)
{
    auto resolved = writableTarget(path, doing);
    if (auto* refusal = std::get_if<WriteFailure>(&resolved)) return *refusal;
    Replacement replacement{.target = std::get<std::filesystem::path>(resolved)};
    replacement.former = somethingAt(replacement.target);
    std::filesystem::path temporary;
    const int fd = createTemporaryBeside(replacement.target, temporary, flags);
    // The name last tried may be another writer's file: nothing of ours to remove.
    if (fd < 0) return abandoned(replacement, failureOn(doing, path, replacement.target, errno));
    replacement.temporary = temporary;
    replacement.fd = fd;
    keepPermissions(fd, replacement.target);
    if (auto failure = writeDurably(fd, bytes, doing, path)) return abandoned(replacement, *failure);
    return replacement;
}

}  // namespace

void injectDiskFault(DiskFault fault, std::uintmax_t room)
{
    roomLeft = room;
    injectedFault = fault;
}

std::filesystem::path folderOf(const std::filesystem::path& path)
{
    const std::filesystem::path folder = path.parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
}

WriteFailure writeFailure(std::string_view doing, const std::filesystem::path& path, int error)
{
    return failureOn(doing, path, path, error);
}

std::variant<std::filesystem::path, WriteFailure> writableTarget(const std::filesystem::path& path,
                                                                std::string_view doing)
{
    if (path.filename().empty()) return WriteFailure{"没有给出要写入的文件名。", ENOENT};
    std::filesystem::path target = path;
    for (int link = 0; link <= linksFollowed; ++link) {
        struct stat status {};
        if (lstat(target.c_str(), &status) != 0) {
            // Nothing there yet: the file is created (a missing folder fails then).
            if (errno == ENOENT) return target;
            return failureOn(doing, path, target, errno);
        }
        if (S_ISDIR(status.st_mode)) return failureOn(doing, path, target, EISDIR);
        if (!S_ISLNK(status.st_mode)) {
            const std::string what = notAFile(status.st_mode);
            if (what.empty()) return target;
            return WriteFailure{"无法" + std::string(doing) + shownName(path, target) + ":" + what +
                                    ",没有写入任何内容。",
                                EINVAL};
        }
        char linked[PATH_MAX];
        const ssize_t size = readlink(target.c_str(), linked, sizeof linked - 1);
        if (size < 0) return failureOn(doing, path, target, errno);
        const std::filesystem::path next(std::string(linked, static_cast<std::size_t>(size)));
        target = next.is_absolute() ? next : folderOf(target) / next;
    }
    return failureOn(doing, path, target, ELOOP);
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
        const ssize_t written = writeSome(fd, bytes.data(), bytes.size());
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

std::optional<WriteFailure> createFolders(const std::filesystem::path& folder, std::string_view doing)
{
    std::error_code error;
    if (std::filesystem::is_directory(folder, error)) return std::nullopt;
    if (int fault = 0; faultOnCreate(fault)) return writeFailure(doing, folder, fault);
    std::filesystem::create_directories(folder, error);
    if (error) return writeFailure(doing, folder, error.value());
    return std::nullopt;
}

std::optional<WriteFailure> replaceFile(const std::filesystem::path& path, std::string_view bytes,
                                        std::string_view doing)
{
    auto written = writeReplacement(path, bytes, doing);
    if (auto* failure = std::get_if<WriteFailure>(&written)) return *failure;
    Replacement& replacement = std::get<Replacement>(written);
    const int closed = close(replacement.fd);
    replacement.fd = -1;
    if (closed != 0) return abandoned(replacement, writeFailure(doing, path, errno));
    if (renameOver(replacement.temporary, replacement.target) != 0)
        return abandoned(replacement, failureOn(doing, path, replacement.target, errno));
    return syncFolder(folderOf(replacement.target), doing);
}

std::variant<int, WriteFailure> startAppendedFile(const std::filesystem::path& path, std::string_view bytes,
                                                  std::string_view doing, ExistingFile existing)
{
    if (existing == ExistingFile::keep) {
        // A name of its own: nothing is there to replace or to follow.
        const int fd = openForWriting(path, O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC);
        if (fd < 0) return writeFailure(doing, path, errno);
        auto failure = writeDurably(fd, bytes, doing, path);
        if (!failure) failure = syncFolder(folderOf(path), doing);
        if (!failure) return fd;
        close(fd);
        unlink(path.c_str());
        return *failure;
    }

    auto written = writeReplacement(path, bytes, doing, O_APPEND);
    if (auto* failure = std::get_if<WriteFailure>(&written)) return *failure;
    const Replacement& replacement = std::get<Replacement>(written);
    if (renameOver(replacement.temporary, replacement.target) != 0)
        return abandoned(replacement, failureOn(doing, path, replacement.target, errno));
    if (auto unsynced = syncFolder(folderOf(replacement.target), doing)) {
        close(replacement.fd);
        return *unsynced;
    }
    return replacement.fd;
}

bool stillAtPath(int fd, const std::filesystem::path& path)
{
    struct stat open {}, named {};
    if (fstat(fd, &open) != 0 || stat(path.c_str(), &named) != 0) return false;
    return open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

void cutBackTo(int fd, std::uintmax_t size)
{
    // Nothing more can be done when even this fails; the reader drops an
    // unfinished last line.
    if (ftruncate(fd, static_cast<off_t>(size)) != 0) return;
}

}  // namespace kestrane
