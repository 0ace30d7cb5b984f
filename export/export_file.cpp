#include "export/export_file.h"

#include <atomic>
#include <cerrno>
#include <cstring>

// POSIX: open with O_EXCL for a temporary name nobody else holds, fsync so
// that the rename never publishes a file whose bytes are still in flight,
// and rename, which replaces the target in one step within one file system.
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
    case ENOSPC:
    case EDQUOT: return "磁盘空间不足";
    case EISDIR: return "同名的文件夹已经存在";
    case ENAMETOOLONG: return "文件名太长";
    default: return "系统错误 " + std::to_string(error) + "(" + std::strerror(error) + ")";
    }
}

ExportResult failure(const std::string& path, int error)
{
    return exportRefused("无法写入文件“" + path + "”:" + reasonOf(error) + "。");
}

// The folder part of path, so that the temporary file lies on the same file
// system as the target and the rename cannot fall back to copying.
std::string folderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

bool writeAll(int descriptor, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t count = ::write(descriptor, bytes.data() + done, bytes.size() - done);
        if (count < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(count);
    }
    return true;
}

}  // namespace

ExportResult writeWholeFile(const std::string& path, const std::string& bytes)
{
    if (path.empty() || path.back() == '/') return exportRefused("没有给出要写入的文件名。");

    const std::string folder = folderOf(path);
    std::string temporary;
    int descriptor = -1;
    for (int attempt = 0; attempt < temporaryNameAttempts && descriptor < 0; ++attempt) {
        temporary = folder + "/.kestrane-export-" + std::to_string(::getpid()) + "-" +
                    std::to_string(temporaryCounter++) + ".tmp";
        // 0666 less the umask: the file gets the permissions a new file of the
        // user gets, as if written directly.
        descriptor = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor < 0 && errno != EEXIST) return failure(path, errno);
    }
    if (descriptor < 0) return failure(path, EEXIST);

    int error = 0;
    if (!writeAll(descriptor, bytes) || ::fsync(descriptor) != 0) error = errno;
    if (::close(descriptor) != 0 && error == 0) error = errno;
    if (error == 0 && ::rename(temporary.c_str(), path.c_str()) != 0) error = errno;
    if (error != 0) {
        ::unlink(temporary.c_str());
        return failure(path, error);
    }
    return exportWritten();
}

}  // namespace kestrane
