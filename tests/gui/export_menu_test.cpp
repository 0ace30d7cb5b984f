// The window's 文件 → 导出 ▸ menu: disabled until a job has run to its end;
// then each entry asks for a file name and writes the very file the replay
// tool's @export writes for the same job; a file that cannot be written is
// told in a warning box.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include "input_box_driver.h"
#include "presentation/export_actions.h"
#include "presentation/main_window.h"
#include "printed_report.h"
#include "tools/replay/replay.h"

namespace kestrane::guitest {
namespace {

namespace fs = std::filesystem;
using testing::readFile;
using testing::ScratchWorkingFolder;

const char* const exportTranscript = "exports";

// The file name each format is exported to, by the replay tool and the window.
const std::map<std::string, std::string> exportedFiles = {
    {exportCsvActionName, "坐标.csv"}, {exportCassActionName, "坐标.dat"},
    {exportDxfActionName, "三角锁.dxf"}, {exportGamaActionName, "三角锁.gkf"}};
const std::map<std::string, std::string> formatNames = {
    {exportCsvActionName, "csv"}, {exportCassActionName, "cass"},
    {exportDxfActionName, "dxf"}, {exportGamaActionName, "gama"}};

// What a file dialog offered and was answered with.
struct FileDialogSeen {
    QString title;
    QStringList fileTypes;
    QString defaultSuffix;
};

// Triggers the action and answers the file dialog it opens: the file type,
// then the file's path typed into its name field, then OK.
FileDialogSeen exportThroughDialog(QAction* action, const QString& path, const QString& fileType = {})
{
    FileDialogSeen seen;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) return;
        timer.stop();
        seen = {dialog->windowTitle(), dialog->nameFilters(), dialog->defaultSuffix()};
        if (!fileType.isEmpty()) dialog->selectNameFilter(fileType);
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (name) name->setText(path);
        else ADD_FAILURE() << "a file dialog without its name field";
        static_cast<QDialog*>(dialog)->accept();  // QFileDialog::accept, protected there
    });
    timer.start(10);
    action->trigger();
    EXPECT_FALSE(timer.isActive()) << "no file dialog opened";
    return seen;
}

class ExportMenu : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        menu = window.findChild<QMenu*>(QString::fromUtf8(exportMenuName));
        ASSERT_NE(menu, nullptr);
        for (const auto& [name, file] : exportedFiles) {
            actions[name] = menu->findChild<QAction*>(QString::fromUtf8(name.c_str()));
            ASSERT_NE(actions[name], nullptr) << name;
        }
    }

    bool enabled() const
    {
        bool all = menu->menuAction()->isEnabled();
        for (const auto& [name, action] : actions) all = all && action->isEnabled();
        return all;
    }

    MainWindow window;
    QMenu* menu = nullptr;
    std::map<std::string, QAction*> actions;
};

// The replay tool's files of the golden job, by file name.
std::map<std::string, std::string> replayedExports()
{
    std::string transcript = "@data\n";
    for (const std::string& answer : testing::goldenJobAnswers(exportTranscript)) transcript += answer + "\n";
    for (const auto& [action, file] : exportedFiles) transcript += "@export " + formatNames.at(action) + " " + file + "\n";
    const ScratchWorkingFolder folder("window-export-replay");
    std::ostringstream log;
    EXPECT_EQ(replay::replayTranscript(transcript, log), replay::statusDone);
    std::map<std::string, std::string> files;
    for (const auto& [action, file] : exportedFiles) files[file] = readFile(folder.path() / file);
    return files;
}

TEST_F(ExportMenu, EachEntryWritesTheFileTheReplayToolWrites)
{
    EXPECT_FALSE(enabled()) << "enabled before any job";
    runJobThroughWindow(window, testing::goldenJobAnswers(exportTranscript));
    ASSERT_TRUE(window.hasCompleteJob());
    EXPECT_TRUE(enabled());

    const std::map<std::string, std::string> replayed = replayedExports();
    const ScratchWorkingFolder folder("window-export");
    for (const auto& [name, file] : exportedFiles) {
        SCOPED_TRACE(name);
        const QString path = QString::fromStdString((folder.path() / file).string());
        const FileDialogSeen seen = exportThroughDialog(actions[name], path);
        EXPECT_TRUE(seen.title.startsWith(QStringLiteral("导出"))) << seen.title.toStdString();
        EXPECT_TRUE(file.ends_with("." + seen.defaultSuffix.toStdString()));
        EXPECT_EQ(readFile(folder.path() / file), replayed.at(file));
        EXPECT_NE(replayed.at(file), "");
        EXPECT_TRUE(window.statusBar()->currentMessage().contains(path)) << window.statusBar()->currentMessage().toStdString();
    }

    // The CASS file in UTF-8: the lines iconv reads from the GB18030 one.
    const FileDialogSeen cass = exportThroughDialog(
        actions[exportCassActionName], QString::fromStdString((folder.path() / "utf8.dat").string()),
        QStringLiteral("CASS 坐标文件,UTF-8 编码 (*.dat)"));
    EXPECT_EQ(cass.fileTypes.size(), 2);
    QProcess iconv;
    iconv.start(QStringLiteral("iconv"), {QStringLiteral("-f"), QStringLiteral("GB18030"), QStringLiteral("-t"),
                                         QStringLiteral("UTF-8"), QString::fromStdString((folder.path() / "坐标.dat").string())});
    ASSERT_TRUE(iconv.waitForFinished(10000));
    EXPECT_EQ(readFile(folder.path() / "utf8.dat"), iconv.readAllStandardOutput().toStdString());
    EXPECT_NE(readFile(folder.path() / "utf8.dat"), readFile(folder.path() / "坐标.dat"));

    // A file name of more bytes than a file system takes (255): a warning, no file.
    std::string tooLong;
    for (int i = 0; i < 100; ++i) tooLong += "坐";  // 300 bytes in UTF-8
    const QString tooLongPath = QString::fromStdString((folder.path() / (tooLong + ".csv")).string());
    const auto before = std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator());
    InputBoxDriver driver({});
    exportThroughDialog(actions[exportCsvActionName], tooLongPath);
    ASSERT_EQ(driver.warnings().size(), 1u);
    EXPECT_NE(driver.warnings()[0].message.find("文件名太长"), std::string::npos) << driver.warnings()[0].message;
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), before);
}

// A later job that does not run to its end leaves the exports with the
// earlier complete job, and the status bar says so.
TEST_F(ExportMenu, AnAbandonedJobLeavesTheEarlierOneToExport)
{
    runJobThroughWindow(window, testing::goldenJobAnswers(exportTranscript));
    runJobThroughWindow(window, {"4", "1.5", "@cancel", "@abort"});
    EXPECT_TRUE(enabled());
    const ScratchWorkingFolder folder("window-export-earlier");
    const QString path = QString::fromStdString((folder.path() / "坐标.csv").string());
    exportThroughDialog(actions[exportCsvActionName], path);
    EXPECT_EQ(readFile(folder.path() / "坐标.csv"), replayedExports().at("坐标.csv"));
    EXPECT_TRUE(window.statusBar()->currentMessage().contains(QStringLiteral("最近一次计算没有完成")));
}

}  // namespace
}  // namespace kestrane::guitest
