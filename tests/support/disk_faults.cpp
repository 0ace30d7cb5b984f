#include "disk_faults.h"

#include <cerrno>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/mount.h>  // Linux mount(2), umount(2): the small file systems
#include <unistd.h>

namespace kestrane::testing {
namespace {

std::filesystem::path freshFolder()
{
    static int counter = 0;
    const auto path = std::filesystem::temp_directory_path() /
                      ("kestrane-disk-" + std::to_string(getpid()) + "-" + std::to_string(++counter));
    std::filesystem::create_directories(path);
    return path;
}

}  // namespace

SmallDisk::SmallDisk(std::uintmax_t bytes, bool readOnly) : path_(freshFolder())
{
    const std::string options = "size=" + std::to_string(bytes) + ",mode=0755";
    if (mount("kestrane-test", path_.c_str(), "tmpfs", readOnly ? MS_RDONLY : 0, options.c_str()) == 0) {
        mounted_ = true;
    } else {
        why_ = std::string("mount -t tmpfs: ") + std::strerror(errno) +
               (geteuid() == 0 ? " (root, but this container may not mount)" : " (not root)");
    }
}

SmallDisk::~SmallDisk()
{
    if (mounted_) umount2(path_.c_str(), MNT_DETACH);
    std::error_code error;
    std::filesystem::remove_all(path_, error);
}

void SmallDisk::fill() const
{
    const int fd = open((path_ / "filler").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    const std::vector<char> block(4096, '\0');
    for (std::size_t size = block.size(); size > 0; size /= 2)
        while (write(fd, block.data(), size) > 0) {}
    close(fd);
}

bool SmallDisk::remount(bool readOnly) const
{
    return mount("kestrane-test", path_.c_str(), "tmpfs", MS_REMOUNT | (readOnly ? MS_RDONLY : 0), nullptr) == 0;
}

}  // namespace kestrane::testing
