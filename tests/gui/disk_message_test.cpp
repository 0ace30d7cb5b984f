// The disk's failures in the window: told in the window's message box, the
// job going on, the files that were there left whole.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <QAction>
#include <QTest>

#include "disk_faults.h"
#include "golden_files.h"
#include "input_box_driver.h"
#include "job_file_runs.h"
#include "own_data_window.h"
#include "presentation/job_file_actions.h"
#include "presentation/main_window.h"

namespace kestrane::guitest {
namespace {

namespace fs = std::filesystem;

class DiskMessages : public OwnDataWindow {
protected:
    JobFileActions& files() const { return *window->jobFileActions(); }

    // The user guide's job typed whole; the warnings the window showed.
    std::vector<WarningSeen> typeGuideJob()
    {
        InputBoxDriver driver(testing::goldenJobAnswers("user_guide_example"));
        commandButton(*window, 1)->click();
        EXPECT_EQ(driver.remaining(), 0u);
        EXPECT_TRUE(window->hasCompleteJob());
        return driver.warnings();
    }

    std::string save(const fs::path& path) const
    {
        InputBoxDriver driver({});
        EXPECT_FALSE(files().saveJobFile(QString::fromStdString(path.string())));
        const auto warnings = driver.warnings();
        return warnings.size() == 1 ? warnings[0].message : "warnings: " + std::to_string(warnings.size());
    }
};

TEST_F(DiskMessages, JournalFolderNotCreatableIsToldAndTheJobGoesOn)
{
    const fs::path folder(JobFileActions::journalFolder().toStdString());
    fs::create_directories(folder.parent_path());
    std::ofstream(folder) << "a file where the journal folder should be";
    const auto warnings = typeGuideJob();
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0].message.substr(0, warnings[0].message.find('\n')),
              "无法创建作业日志文件夹“" + folder.string() + "”:路径中有一段不是文件夹。");
    EXPECT_NE(warnings[0].message.find("本次计算照常进行"), std::string::npos);
    EXPECT_TRUE(fs::is_regular_file(folder));
    // Every value typed is still there to be saved.
    const fs::path saved = scratch("saved.kjob");
    InputBoxDriver quiet({});
    EXPECT_TRUE(files().saveJobFile(QString::fromStdString(saved.string())));
    const fs::path journal = scratch("replay.kjob");
    testing::replayed("@data\n" + testing::joinedLines(testing::goldenJobAnswers("user_guide_example")),
                      {.job = {}, .saveJob = journal.string()});
    EXPECT_EQ(testing::lastValuesOf(testing::journalEntries(saved)), testing::lastValuesOf(testing::journalEntries(journal)));
}

TEST_F(DiskMessages, SaveOnADeviceOrAFullDiskIsToldAndLeavesTheFileWhole)
{
    typeGuideJob();
    EXPECT_EQ(save("/dev/full"), "无法保存作业文件“/dev/full”:这是一个设备,不是普通文件,没有写入任何内容。");
    EXPECT_TRUE(fs::is_character_file("/dev/full"));

    const fs::path former = scratch("former.kjob");
    std::ofstream(former) << "kestrane-job 1\nn = 1\n";
    {
        testing::InjectedDiskFault full(DiskFault::full, 50);
        EXPECT_EQ(save(former), "无法保存作业文件“" + former.string() + "”:磁盘已满。原有的文件保持原样,没有改动。");
    }
    EXPECT_EQ(testing::readFile(former), "kestrane-job 1\nn = 1\n");
}

}  // namespace
}  // namespace kestrane::guitest
