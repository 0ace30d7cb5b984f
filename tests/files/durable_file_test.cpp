// The durable writer: through symbolic links to the file they lead to, never
// over what is not a file, and all or nothing when the disk is full or
// read-only (a small tmpfs where the test may mount one, the write layer
// failing on request everywhere).
#include "files/durable_file.h"

#include <gtest/gtest.h>

#include <fstream>

#include <sys/socket.h>  // POSIX: a socket and a named pipe to write over
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include "disk_faults.h"
#include "golden_files.h"
#include "job_file_samples.h"

namespace kestrane {
namespace {

namespace fs = std::filesystem;

void writeText(const fs::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

std::vector<std::string> namesIn(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

// A link into a shared folder keeps pointing at the shared file, which gets
// the new contents and keeps its permissions; links of links, relative ones
// and one to a file not yet written are followed; a loop is refused.
TEST(DurableFile, WritesThroughSymbolicLinksToTheFileTheyLeadTo)
{
    testing::ScratchFolder folder;
    fs::create_directory(folder.path / "共享");
    const fs::path shared = folder.path / "共享" / "坐标.csv";
    writeText(shared, "old");
    fs::permissions(shared, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                fs::perms::group_write);
    fs::create_symlink("共享/坐标.csv", folder.path / "link.csv");
    fs::create_symlink("link.csv", folder.path / "link2.csv");

    // Root may give the shared file to another owner and group; they stay.
    const bool root = geteuid() == 0;
    if (root) {
        ASSERT_EQ(chown(shared.c_str(), 1234, 4321), 0);
    }
    ASSERT_FALSE(replaceFile(folder.path / "link.csv", "new", "写入文件"));
    EXPECT_TRUE(fs::is_symlink(folder.path / "link.csv"));
    struct stat replaced {};
    ASSERT_EQ(stat(shared.c_str(), &replaced), 0);
    if (root) {
        EXPECT_EQ(replaced.st_uid, 1234u);
        EXPECT_EQ(replaced.st_gid, 4321u);
    }
    EXPECT_EQ(testing::readFile(shared), "new");
    EXPECT_EQ(fs::status(shared).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::group_write);
    ASSERT_FALSE(replaceFile(folder.path / "link2.csv", "newer", "写入文件"));
    EXPECT_EQ(testing::readFile(shared), "newer");
    EXPECT_EQ(namesIn(folder.path / "共享"), std::vector<std::string>{"坐标.csv"});

    fs::create_symlink("共享/以后.csv", folder.path / "dangling.csv");
    ASSERT_FALSE(replaceFile(folder.path / "dangling.csv", "first", "写入文件"));
    EXPECT_EQ(testing::readFile(folder.path / "共享" / "以后.csv"), "first");

    fs::create_symlink("loop-b", folder.path / "loop-a");
    fs::create_symlink("loop-a", folder.path / "loop-b");
    const auto loop = replaceFile(folder.path / "loop-a", "x", "写入文件");
    ASSERT_TRUE(loop);
    EXPECT_NE(loop->message.find("符号链接太多,或者链接成了环"), std::string::npos) << loop->message;
    EXPECT_TRUE(fs::is_symlink(folder.path / "loop-a"));
}

// A folder, a device, a named pipe and a socket, directly or behind a link,
// are refused with a message and left as they were; nothing is written
// beside them.
TEST(DurableFile, RefusesFoldersDevicesNamedPipesAndSockets)
{
    testing::ScratchFolder folder;
    fs::create_directory(folder.path / "文件夹");
    ASSERT_EQ(mkfifo((folder.path / "pipe").c_str(), 0644), 0);
    const int listening = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socketPath = (folder.path / "socket").string();
    ASSERT_LT(socketPath.size(), sizeof address.sun_path);
    socketPath.copy(address.sun_path, socketPath.size());
    ASSERT_EQ(bind(listening, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    fs::create_symlink("/dev/full", folder.path / "full-link");

    const auto refusal = [](const fs::path& path) {
        const auto failure = replaceFile(path, "bytes", "写入文件");
        return failure ? failure->message : std::string("written");
    };
    const std::string at = "无法写入文件“";
    EXPECT_EQ(refusal(folder.path / "文件夹"), at + (folder.path / "文件夹").string() + "”:同名的文件夹已经存在。");
    EXPECT_EQ(refusal("/dev/full"), at + "/dev/full”:这是一个设备,不是普通文件,没有写入任何内容。");
    EXPECT_EQ(refusal("/dev/null"), at + "/dev/null”:这是一个设备,不是普通文件,没有写入任何内容。");
    EXPECT_EQ(refusal(folder.path / "pipe"),
              at + (folder.path / "pipe").string() + "”:这是一个命名管道(FIFO),不是普通文件,没有写入任何内容。");
    EXPECT_EQ(refusal(folder.path / "socket"),
              at + socketPath + "”:这是一个套接字,不是普通文件,没有写入任何内容。");
    EXPECT_EQ(refusal(folder.path / "full-link"),
              at + (folder.path / "full-link").string() + "”(链接到“/dev/full”):这是一个设备,不是普通文件,没有写入任何内容。");
    close(listening);

    EXPECT_TRUE(fs::is_directory(folder.path / "文件夹"));
    EXPECT_TRUE(fs::is_fifo(folder.path / "pipe"));
    EXPECT_TRUE(fs::is_socket(folder.path / "socket"));
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
    EXPECT_EQ(namesIn(folder.path), (std::vector<std::string>{"full-link", "pipe", "socket", "文件夹"}));

    // The appended file (a journal) is refused alike, without waiting at the pipe.
    const auto pipe = startAppendedFile(folder.path / "pipe", "head\n", "写入作业日志", ExistingFile::replace);
    ASSERT_TRUE(std::holds_alternative<WriteFailure>(pipe));
    EXPECT_NE(std::get<WriteFailure>(pipe).message.find("命名管道"), std::string::npos);
}

// A full disk: the former file (3000 bytes of 'o', written before) keeps
// every byte, nothing is left beside it, and the message says what could not
// be written and that the former file is as it was.
void expectAllOrNothing(const fs::path& folder, int error, const std::string& reason)
{
    const fs::path path = folder / "作业.kjob";
    const auto over = replaceFile(path, std::string(200000, 'n'), "保存作业文件");
    ASSERT_TRUE(over);
    EXPECT_EQ(over->error, error);
    EXPECT_EQ(over->message, "无法保存作业文件“" + path.string() + "”:" + reason + "。原有的文件保持原样,没有改动。");
    EXPECT_EQ(testing::readFile(path), std::string(3000, 'o'));

    const auto fresh = replaceFile(folder / "新.kjob", std::string(200000, 'n'), "保存作业文件");
    ASSERT_TRUE(fresh);
    EXPECT_EQ(fresh->message, "无法保存作业文件“" + (folder / "新.kjob").string() + "”:" + reason + "。");
    EXPECT_FALSE(fs::exists(folder / "新.kjob"));
    for (const std::string& name : namesIn(folder)) EXPECT_FALSE(name.ends_with(".tmp")) << name;
}

TEST(DurableFile, FullDiskLeavesTheFormerFileWhole)
{
    testing::ScratchFolder folder;
    writeText(folder.path / "作业.kjob", std::string(3000, 'o'));
    {
        testing::InjectedDiskFault full(DiskFault::full, 1000);
        expectAllOrNothing(folder.path, ENOSPC, "磁盘已满");
    }
    testing::SmallDisk disk(64 * 1024);
    SKIP_UNLESS_MOUNTED(disk);
    writeText(disk.path() / "作业.kjob", std::string(3000, 'o'));
    disk.fill();
    expectAllOrNothing(disk.path(), ENOSPC, "磁盘已满");
}

TEST(DurableFile, ReadOnlyDiskLeavesTheFormerFileWhole)
{
    testing::ScratchFolder folder;
    {
        testing::InjectedDiskFault readOnly(DiskFault::readOnly);
        const auto failure = replaceFile(folder.path / "a.csv", "x", "写入文件");
        ASSERT_TRUE(failure);
        EXPECT_EQ(failure->message, "无法写入文件“" + (folder.path / "a.csv").string() + "”:磁盘是只读的。");
        EXPECT_EQ(createFolders(folder.path / "新" / "日志", "创建作业日志文件夹")->error, EROFS);
    }
    testing::SmallDisk disk(64 * 1024);
    SKIP_UNLESS_MOUNTED(disk);
    writeText(disk.path() / "作业.kjob", std::string(3000, 'o'));
    ASSERT_TRUE(disk.remount(true));
    const auto failure = replaceFile(disk.path() / "作业.kjob", "x", "保存作业文件");
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->message,
              "无法保存作业文件“" + (disk.path() / "作业.kjob").string() + "”:磁盘是只读的。原有的文件保持原样,没有改动。");
    EXPECT_EQ(testing::readFile(disk.path() / "作业.kjob"), std::string(3000, 'o'));
}

}  // namespace
}  // namespace kestrane
