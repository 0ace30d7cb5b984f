// The window's 文件 → 导出 ▸ menu: disabled until a job has run to its end;
// then each entry asks for a file name and writes the very file the replay
// tool's @export writes for the same job; a file that cannot be written is
// told in a warning box.
#include <gtest/gtest.h>

#include <filesystem>
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

using testing::readFile;
using testing::ScratchWorkingFolder;

struct Entry {
    const char* action;
    const char* format;  // as @export names it
    std::string file;
};
const Entry entries[] = {{exportCsvActionName, "csv", "坐标.csv"}, {exportCassActionName, "cass", "坐标.dat"},
                         {exportDxfActionName, "dxf", "三角锁.dxf"}, {exportGamaActionName, "gama", "三角锁.gkf"}};

QString inFolder(const ScratchWorkingFolder& folder, const std::string& file)
{
    return QString::fromStdString((folder.path() / file).string());
}

// Triggers the action and answers its file dialog: the file type, the path
// typed into the name field, OK.
void exportThroughDialog(QAction* action, const QString& path, const QString& fileType = {})
{
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) return;
        timer.stop();
        if (!fileType.isEmpty()) dialog->selectNameFilter(fileType);
        dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(path);
        static_cast<QDialog*>(dialog)->accept();  // QFileDialog::accept, protected there
    });
    timer.start(10);
    action->trigger();
    EXPECT_FALSE(timer.isActive()) << "no file dialog opened";
}

TEST(ExportMenu, WritesWhatTheReplayToolWritesOrSaysWhyNot)
{
    MainWindow window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto* menu = window.findChild<QMenu*>(QString::fromUtf8(exportMenuName));
    ASSERT_NE(menu, nullptr);
    const auto action = [&](const char* name) { return menu->findChild<QAction*>(QString::fromUtf8(name)); };
    EXPECT_FALSE(menu->menuAction()->isEnabled() || action(exportGamaActionName)->isEnabled()) << "before any job";

    const std::vector<std::string> answers = testing::goldenJobAnswers("exports");
    std::string transcript = "@data\n";
    for (const std::string& answer : answers) transcript += answer + "\n";
    for (const Entry& entry : entries) transcript += "@export " + std::string(entry.format) + " " + entry.file + "\n";
    const ScratchWorkingFolder replayed("window-export-replay");
    std::ostringstream log;
    ASSERT_EQ(replay::replayTranscript(transcript, log), replay::statusDone);

    runJobThroughWindow(window, answers);
    EXPECT_TRUE(menu->menuAction()->isEnabled());
    const ScratchWorkingFolder folder("window-export");
    for (const Entry& entry : entries) {
        SCOPED_TRACE(entry.action);
        ASSERT_TRUE(action(entry.action)->isEnabled());
        exportThroughDialog(action(entry.action), inFolder(folder, entry.file));
        EXPECT_EQ(readFile(folder.path() / entry.file), readFile(replayed.path() / entry.file));
        EXPECT_TRUE(window.statusBar()->currentMessage().contains(inFolder(folder, entry.file)));
    }

    // The CASS file in UTF-8, chosen as the file type: the lines iconv reads from the GB18030 one.
    exportThroughDialog(action(exportCassActionName), inFolder(folder, "utf8.dat"),
                        QStringLiteral("CASS 坐标文件,UTF-8 编码 (*.dat)"));
    QProcess iconv;
    iconv.start(QStringLiteral("iconv"), {QStringLiteral("-f"), QStringLiteral("GB18030"), QStringLiteral("-t"),
                                         QStringLiteral("UTF-8"), inFolder(folder, "坐标.dat")});
    ASSERT_TRUE(iconv.waitForFinished(10000));
    EXPECT_EQ(readFile(folder.path() / "utf8.dat"), iconv.readAllStandardOutput().toStdString());
    EXPECT_NE(readFile(folder.path() / "utf8.dat"), readFile(folder.path() / "坐标.dat"));

    // A name of 300 bytes, more than a file system takes: a warning, no file.
    std::string tooLong;
    for (int i = 0; i < 100; ++i) tooLong += "坐";
    {
        InputBoxDriver driver({});
        exportThroughDialog(action(exportCsvActionName), inFolder(folder, tooLong + ".csv"));
        ASSERT_EQ(driver.warnings().size(), 1u);
        EXPECT_NE(driver.warnings()[0].message.find("文件名太长"), std::string::npos) << driver.warnings()[0].message;
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 5);

    // A later job abandoned half way: the earlier one is exported, and the status bar says so.
    runJobThroughWindow(window, {"4", "1.5", "@cancel", "@abort"});
    exportThroughDialog(action(exportCsvActionName), inFolder(folder, "again.csv"));
    EXPECT_EQ(readFile(folder.path() / "again.csv"), readFile(folder.path() / "坐标.csv"));
    EXPECT_TRUE(window.statusBar()->currentMessage().contains(QStringLiteral("最近一次计算没有完成")));
}

}  // namespace
}  // namespace kestrane::guitest
