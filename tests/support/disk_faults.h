// Disks that fail, for the tests of what the program does then: a small
// tmpfs mounted for the test (full, or read-only), where the test may mount
// (root, and a container that grants the right); and everywhere the write
// layer of files/ made to fail on request.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "files/durable_file.h"

namespace kestrane::testing {

// A tmpfs of the given size mounted on a fresh folder, unmounted at the end.
// Not mounted (mounted() false, why() the reason) without the right to mount.
class SmallDisk {
public:
    explicit SmallDisk(std::uintmax_t bytes, bool readOnly = false);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return mounted_; }
    const std::string& why() const { return why_; }
    const std::filesystem::path& path() const { return path_; }

    // Writes a file of zeros until the disk is full.
    void fill() const;
    // Mounts the disk again read-only (or writable), keeping its files.
    bool remount(bool readOnly) const;

private:
    std::filesystem::path path_;
    bool mounted_ = false;
    std::string why_;
};

// The write layer failing as the fault says, for the life of the object.
struct InjectedDiskFault {
    explicit InjectedDiskFault(DiskFault fault, std::uintmax_t room = 0) { injectDiskFault(fault, room); }
    ~InjectedDiskFault() { injectDiskFault(DiskFault::none); }
    InjectedDiskFault(const InjectedDiskFault&) = delete;
    InjectedDiskFault& operator=(const InjectedDiskFault&) = delete;
};

}  // namespace kestrane::testing

// A test on a SmallDisk that could not be mounted is skipped, saying why.
#define SKIP_UNLESS_MOUNTED(disk) \
    if ((disk).mounted()) {                                                     \
    } else                                                                      \
        GTEST_SKIP() << "no tmpfs could be mounted: " << (disk).why()
