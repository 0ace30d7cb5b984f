// The replay tool's exports and journal on a disk that fails, through links
// and onto paths that are no files: each refusal and each failure logged
// (an export "refused" with its reason, a journal's failure a warning), the
// transcript going on, the files that were there left whole.
#include <gtest/gtest.h>

#include <fstream>

#include "chain/json_string.h"
#include "disk_faults.h"
#include "golden_files.h"
#include "job_file_runs.h"
#include "tools/replay/replay.h"

namespace kestrane::replay {
namespace {

namespace fs = std::filesystem;

// The user-guide job typed whole, then the given entries.
std::string jobThen(const std::string& entries)
{
    return "@data\n" + testing::joinedLines(testing::goldenJobAnswers("user_guide_example")) + entries;
}

std::string refusedLine(const std::string& reason)
{
    return "{\"export\": \"refused\", \"reason\": " + jsonStringLiteral(reason, JsonEscapes::required) + "}";
}

TEST(ReplayDisk, ExportsThroughLinksAndNeverOverDevices)
{
    testing::FastScratchFolder folder("replay-links");
    const fs::path shared = folder.path / "共享.csv";
    std::ofstream(shared) << "old coordinates\n";
    fs::create_symlink(shared, folder.path / "link.csv");
    const auto run = testing::replayed(jobThen("@export csv /dev/full\n@export csv " + (folder.path / "link.csv").string() + "\n"));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(testing::eventLines(run.log, "{\"export\": ").front(),
              refusedLine("无法写入文件“/dev/full”:这是一个设备,不是普通文件,没有写入任何内容。"));
    EXPECT_EQ(testing::eventLines(run.log, "{\"export\": ").back(),
              "{\"export\": \"csv\", \"path\": " + jsonStringLiteral((folder.path / "link.csv").string(), JsonEscapes::required) + "}");
    EXPECT_TRUE(fs::is_symlink(folder.path / "link.csv"));
    EXPECT_TRUE(testing::readFile(shared).starts_with("\xEF\xBB\xBF点名,X,Y")) << testing::readFile(shared);
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
}

TEST(ReplayDisk, ExportOnAFullDiskLeavesTheFormerExport)
{
    // One refusal logged, naming the file, and the former export whole.
    const auto expectFormerKept = [](const std::string& log, const fs::path& path) {
        EXPECT_EQ(testing::eventLines(log, "{\"export\": "),
                  std::vector<std::string>{refusedLine("无法写入文件“" + path.string() +
                                                       "”:磁盘已满。原有的文件保持原样,没有改动。")});
        EXPECT_EQ(testing::readFile(path), "former export\n");
    };
    testing::FastScratchFolder folder("replay-full");
    const fs::path path = folder.path / "坐标.csv";
    std::ofstream(path) << "former export\n";
    // The disk fills once the job is typed: the entries before the export
    // write nothing.
    {
        testing::InjectedDiskFault full(DiskFault::full, 10);
        expectFormerKept(testing::replayed(jobThen("@export csv " + path.string() + "\n")).log, path);
    }

    testing::SmallDisk disk(64 * 1024);
    SKIP_UNLESS_MOUNTED(disk);
    std::ofstream(disk.path() / "坐标.csv") << "former export\n";
    disk.fill();
    expectFormerKept(testing::replayed(jobThen("@export dxf " + (disk.path() / "坐标.csv").string() + "\n")).log,
                     disk.path() / "坐标.csv");
}

// --save-job: the journal through a link, refused on a device with a
// warning logged while the job goes on, and a file there left whole when
// the disk is full.
TEST(ReplayDisk, JournalThroughLinksRefusedOnDevicesWholeOnAFullDisk)
{
    testing::FastScratchFolder folder("replay-journal");
    const fs::path target = folder.path / "作业.kjob";
    std::ofstream(target) << "kestrane-job 1\nn = 1\n";
    fs::create_symlink(target, folder.path / "link.kjob");
    const auto linked = testing::replayed(jobThen(""), {.saveJob = (folder.path / "link.kjob").string()});
    EXPECT_EQ(linked.status, 0);
    EXPECT_TRUE(fs::is_symlink(folder.path / "link.kjob"));
    EXPECT_TRUE(journalFileEnded(target));
    EXPECT_EQ(testing::lastValuesOf(testing::journalEntries(target)).at("n"), "2");

    const auto device = testing::replayed(jobThen(""), {.saveJob = "/dev/full"});
    EXPECT_EQ(device.status, 0);
    const auto warnings = testing::eventLines(device.log, "{\"warn\": ");
    ASSERT_FALSE(warnings.empty());
    EXPECT_TRUE(warnings.front().starts_with("{\"warn\": \"无法写入作业日志“/dev/full”:这是一个设备,不是普通文件,没有写入任何内容。\\n本次计算照常进行"))
        << warnings.front();
    EXPECT_EQ(testing::eventLines(device.log, "{\"job\": "), std::vector<std::string>{"{\"job\": \"done\"}"});

    const std::string former = testing::readFile(target);
    {
        testing::InjectedDiskFault full(DiskFault::full, 20);
        const auto run = testing::replayed(jobThen(""), {.saveJob = target.string()});
        EXPECT_NE(run.log.find("无法写入作业日志“" + target.string() + "”:磁盘已满。原有的文件保持原样,没有改动。"),
                  std::string::npos);
    }
    EXPECT_EQ(testing::readFile(target), former);
}

}  // namespace
}  // namespace kestrane::replay

namespace kestrane::replay {
namespace {

// A transcript larger than any job's (one line of 17 MB, an endless
// /dev/zero) is refused unread, in a moment and in little memory.
TEST(ReplayHostileSizes, TranscriptsLargerThanAnyJobsAreRefusedUnread)
{
    testing::FastScratchFolder folder("replay-sizes");
    const fs::path big = folder.path / "big.transcript";
    std::ofstream(big, std::ios::binary) << "@data\n" << std::string(17u << 20, '7') << "\n";
    for (const std::string& source : {big.string(), std::string("/dev/zero")}) {
        std::string output;
        const int status = testing::runCommand(std::string(REPLAY_EXECUTABLE) + " " + source + " 2>&1", output);
        EXPECT_EQ(status, statusUnreadable) << source;
        EXPECT_EQ(output, "kestrane-replay: " + source + " is larger than 16 MB, which no job's transcript is\n");
    }
}

}  // namespace
}  // namespace kestrane::replay
