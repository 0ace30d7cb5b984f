// Job files in the window: the 文件 menu's entries and when they can act, a
// typed job's journal, saving, a file opened, refused, dropped on the window
// or named on the command line, and a job killed half way and continued
// from its journal in a fresh window. Each test has a data folder of its own
// (XDG_DATA_HOME), so that the journals of other tests never show.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>

#include <QAction>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "golden_files.h"
#include "input_box_driver.h"
#include "job_file_runs.h"
#include "jobfile/journal_folder.h"
#include "own_data_window.h"
#include "presentation/job_file_actions.h"
#include "presentation/main_window.h"
#include "synthetic_chain.h"

namespace kestrane::guitest {
namespace {

namespace fs = std::filesystem;
using testing::journalEntries;
using testing::lastValuesOf;

// The final text of every field in a replay log.
std::map<int, std::string> replayedFields(const std::string& log)
{
    const QJsonObject fields = QJsonDocument::fromJson(QByteArray::fromStdString(testing::finalFields(log)))
                                   .object()
                                   .value(QLatin1String("fields"))
                                   .toObject();
    std::map<int, std::string> texts;
    for (int n = 1; n <= fieldCount; ++n)
        texts[n] = fields.value(QStringLiteral("Text%1").arg(n)).toString().toStdString();
    return texts;
}

std::string lines(const std::vector<std::string>& answers)
{
    std::string text;
    for (const auto& answer : answers) text += answer + "\n";
    return text;
}

class JobFileWindow : public OwnDataWindow {
protected:
    QAction* action(const char* name) const { return window->findChild<QAction*>(QLatin1String(name)); }
    JobFileActions& files() const { return *window->jobFileActions(); }
    fs::path journals() const { return fs::path(JobFileActions::journalFolder().toStdString()); }

    // The journal of the user guide's job, written by the replay tool.
    fs::path guideJobFile(const char* name) const
    {
        const fs::path path = scratch(name);
        testing::replayed("@data\n" + lines(testing::goldenJobAnswers("user_guide_example")),
                          {.job = {}, .saveJob = path.string()});
        return path;
    }

    void typeJob(const std::vector<std::string>& answers)
    {
        InputBoxDriver driver(answers);
        commandButton(*window, 1)->click();
        EXPECT_EQ(driver.remaining(), 0u);
        EXPECT_FALSE(driver.ranOut()) << driver.unansweredPrompt();
        EXPECT_TRUE(driver.problems().empty());
    }

};

TEST_F(JobFileWindow, MenuEntriesActWhenTheyCan)
{
    QStringList entries;
    for (const QAction* entry : window->fileMenu()->actions())
        entries << (entry->isSeparator() ? QStringLiteral("—") : entry->text());
    EXPECT_EQ(entries, (QStringList{"打开作业(&O)…", "继续未完成的计算(&C)", "最近的作业(&R)", "保存作业(&S)…",
                                    "新建作业表(&N)…", "编辑作业表(&E)…", "—", "打印(&P)…", "导出(&E)", "—", "退出(&X)"}));
    EXPECT_EQ(action("openJobAction")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    EXPECT_EQ(action("saveJobAction")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    auto* recent = window->findChild<QMenu*>(QStringLiteral("recentJobsMenu"));
    ASSERT_NE(recent, nullptr);
    EXPECT_FALSE(action("continueJobAction")->isEnabled());
    EXPECT_FALSE(action("saveJobAction")->isEnabled());
    EXPECT_FALSE(recent->isEnabled());

    // A typed job writes its journal, value by value, as the replay writes it.
    const auto answers = testing::goldenJobAnswers("user_guide_example");
    typeJob(answers);
    const auto written = journalsNewestFirst(journals());
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(journalFileEnd(written[0]), JobEnd::done);
    const fs::path replayJournal = guideJobFile("replay.kjob");
    EXPECT_EQ(journalEntries(written[0]).size(), journalEntries(replayJournal).size());
    EXPECT_EQ(lastValuesOf(journalEntries(written[0])), lastValuesOf(journalEntries(replayJournal)));
    EXPECT_FALSE(action("continueJobAction")->isEnabled());
    EXPECT_TRUE(action("saveJobAction")->isEnabled());
    ASSERT_EQ(recent->actions().size(), 1);
    // When the job started, how it ended, its n and its ends A and B.
    EXPECT_TRUE(recent->actions()[0]->text().endsWith(QStringLiteral("(完成)  n = 2  A → B")))
        << recent->actions()[0]->text().toStdString();

    // 保存作业 writes the values whole, in the order of asking.
    const fs::path saved = scratch("saved.kjob");
    ASSERT_TRUE(files().saveJobFile(QString::fromStdString(saved.string())));
    EXPECT_EQ(lastValuesOf(journalEntries(saved)), lastValuesOf(journalEntries(replayJournal)));
    EXPECT_NE(testing::readFile(saved).find("保存于"), std::string::npos);
    EXPECT_NE(testing::readFile(saved).find("\nkestrane-job 1\nn = 2\ntolerance = 2.5\nxa = "), std::string::npos);

    // The journal cut after its 21st value, the last name, as if the program
    // had been killed while it wrote the next line:
    // 继续未完成的计算 opens it and the job asks for the rest.
    std::string cut = testing::readFile(written[0]);
    std::size_t at = cut.find("\nkestrane-job 1\n") + 1;
    for (int value = 0; value <= 20; ++value) at = cut.find('\n', cut.find(" = ", at)) + 1;
    std::ofstream(written[0], std::ios::binary | std::ios::trunc) << cut.substr(0, at) << "S1 = 74";
    emit window->fileMenu()->aboutToShow();
    EXPECT_TRUE(action("continueJobAction")->isEnabled());
    EXPECT_TRUE(recent->actions()[0]->text().contains(QStringLiteral("(未完成)  n = 2")))
        << recent->actions()[0]->text().toStdString();
    const auto typed = replayedFields(testing::replayed("@data\n" + lines(answers)).log);
    std::vector<std::string> rest(answers.begin() + 2 + 2 * 19, answers.end());  // after n, tolerance and 19 confirmed
    {
        InputBoxDriver driver(rest);
        action("continueJobAction")->trigger();
        EXPECT_EQ(driver.remaining(), 0u);
        EXPECT_FALSE(driver.ranOut()) << driver.unansweredPrompt();
        ASSERT_FALSE(driver.asks().empty());
        EXPECT_EQ(driver.asks().front().prompt, "输入第 1 个三角形的求距角 A1 :") << "the unfinished line is no value";
    }
    EXPECT_EQ(shownFields(*window), typed);
    EXPECT_FALSE(action("continueJobAction")->isEnabled());
    EXPECT_EQ(journalsNewestFirst(journals()).size(), 2u);
    // The journal continued to its end has ended with the job that continued it.
    EXPECT_EQ(journalFileEnd(written[0]), JobEnd::done);
    emit window->fileMenu()->aboutToShow();
    ASSERT_EQ(recent->actions().size(), 2);
    for (const QAction* entry : recent->actions())
        EXPECT_TRUE(entry->text().contains(QStringLiteral("(完成)  n = 2  A → B"))) << entry->text().toStdString();
}

TEST_F(JobFileWindow, OpenedFileRunsThroughAndTellsOfUnusedLines)
{
    const fs::path file = guideJobFile("guide.kjob");
    std::ofstream(file, std::ios::app) << "Tb = 12.3\n";
    const std::string text = testing::readFile(file);
    const int tbLine = static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    InputBoxDriver driver({});
    ASSERT_TRUE(files().openJobFile(QString::fromStdString(file.string())));
    ASSERT_EQ(driver.seen().size(), 1u) << "no prompt, one message";
    const auto warnings = driver.warnings();
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].message.find("第 " + std::to_string(tbLine) + " 行:Tb = 12.3(闭合外方位角)"),
              std::string::npos)
        << warnings[0].message;
    EXPECT_FALSE(warnings[0].canAbandon);
    const auto opened = testing::replayed("", {.job = file.string(), .saveJob = {}});
    EXPECT_EQ(shownFields(*window), replayedFields(opened.log));
    EXPECT_TRUE(window->hasCompleteJob());
    EXPECT_EQ(journalFileEnd(*newestJournal(journals())), JobEnd::done);
}

// A job read whole from its file opens no box: its triangle misclosures
// pass unseen, and the status line names the blunder among them. 28.00″
// added to A1 of the user guide's job make w(1) far beyond 2√3 × 2.5″.
TEST_F(JobFileWindow, AJobRunThroughFromItsFileNamesItsBlundersInTheStatusLine)
{
    const fs::path file = guideJobFile("blunder.kjob");
    std::string text = testing::readFile(file);
    const std::size_t a1 = text.find("A1 = 53.26206");
    ASSERT_NE(a1, std::string::npos) << text;
    text.replace(a1, 13, "A1 = 53.26486");
    std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
    {
        InputBoxDriver driver({});
        ASSERT_TRUE(files().openJobFile(QString::fromStdString(file.string())));
        EXPECT_TRUE(driver.seen().empty());
    }
    const std::string status = window->statusText().toStdString();
    EXPECT_EQ(status.rfind("上次作业:完成(作业文件 blunder.kjob)  三角形 1 闭合差 ", 0), 0u) << status;
    EXPECT_NE(status.find("秒,超过限差 2.5 秒的 2√3 倍(8.66 秒);请查看 分析 → 平差分析…"), std::string::npos) << status;
    EXPECT_EQ(status.find("三角形 2"), std::string::npos) << status;

    // Typed, the same blunder was on the screen while the job waited: the
    // status line says only how the job ended.
    std::vector<std::string> answers = testing::goldenJobAnswers("user_guide_example");
    *std::find(answers.begin(), answers.end(), "53.26206") = "53.26486";
    typeJob(answers);
    EXPECT_EQ(window->statusText().toStdString(), "上次作业:完成(手工输入)");
}

// A stray 数据输入 abandoned at its first prompt takes no value: 保存作业
// still saves the job before it, as the print button still prints it.
TEST_F(JobFileWindow, AJobAbandonedBeforeAnyValueLeavesTheLastJobToSave)
{
    typeJob(testing::goldenJobAnswers("user_guide_example"));
    typeJob({"@cancel", "@abort"});
    EXPECT_EQ(window->statusText().toStdString(), "上次作业:放弃(手工输入)");
    emit window->fileMenu()->aboutToShow();
    EXPECT_TRUE(action("saveJobAction")->isEnabled());
    const fs::path saved = scratch("after-stray.kjob");
    ASSERT_TRUE(files().saveJobFile(QString::fromStdString(saved.string())));
    EXPECT_EQ(lastValuesOf(journalEntries(saved)), lastValuesOf(journalEntries(guideJobFile("replay.kjob"))));

    // A job abandoned after its first value is the last job: its values are saved.
    typeJob({"2", "@cancel", "@abort"});
    ASSERT_TRUE(files().saveJobFile(QString::fromStdString(saved.string())));
    EXPECT_EQ(journalEntries(saved).size(), 1u);
}

TEST_F(JobFileWindow, RefusedFileChangesNothing)
{
    const fs::path file = scratch("bad.kjob");
    std::ofstream(file) << "# 一个作业\nkestrane-job 1\nn = 2\nxz = 5\n";
    const auto before = shownFields(*window);
    InputBoxDriver driver({});
    EXPECT_FALSE(files().openJobFile(QString::fromStdString(file.string())));
    ASSERT_EQ(driver.warnings().size(), 1u);
    EXPECT_EQ(driver.warnings()[0].message, "作业文件 " + file.string() + ":第 4 行:未知的键 “xz”。");
    EXPECT_TRUE(driver.asks().empty());
    EXPECT_EQ(shownFields(*window), before);
    EXPECT_FALSE(fs::exists(journals())) << "no job started, no journal";
    EXPECT_FALSE(action("saveJobAction")->isEnabled());
}

TEST_F(JobFileWindow, DroppedFileOpensItsJob)
{
    const fs::path file = guideJobFile("dropped.kjob");
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(file.string()))});
    const QPoint middle = window->rect().center();
    QDragEnterEvent enter(middle, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(middle, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &drop);
    EXPECT_TRUE(drop.isAccepted());
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->hasCompleteJob(); }, 10000));
    EXPECT_EQ(shownFields(*window), replayedFields(testing::replayed("", {.job = file.string(), .saveJob = {}}).log));
}

TEST_F(JobFileWindow, FileNamedOnTheCommandLineRunsInTheProgram)
{
    const fs::path file = guideJobFile("command-line.kjob");
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), data.path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(KESTRANE_EXECUTABLE), {QString::fromStdString(file.string())});
    ASSERT_TRUE(program.waitForStarted());
    // The program's journals: AppDataLocation of the program named Kestrane.
    const fs::path folder = fs::path(data.path().toStdString()) / "Kestrane" / "journal";
    const bool ended = QTest::qWaitFor(
        [&] {
            const auto newest = newestJournal(folder);
            return newest && journalFileEnd(*newest) == JobEnd::done;
        },
        30000);
    program.kill();
    program.waitForFinished();
    ASSERT_TRUE(ended) << program.readAllStandardError().toStdString();
    EXPECT_EQ(lastValuesOf(journalEntries(*newestJournal(folder))), lastValuesOf(journalEntries(file)));
}

// Killed with SIGKILL half way through a typed job, started again, and
// continued from the journal: the job ends as the uninterrupted one does.
// The killed program is this test executable again, running the child test
// below in a window of its own.
const char* const crashChildFolder = "KESTRANE_CRASH_CHILD";

std::vector<std::string> crashJobAnswers()
{
    return testing::makeChain({.triangles = 4, .seed = 11, .angleNoise = 2, .sideNoise = 0.004}).answers;
}

// The answers the child types before it stops: up to an accepted angle.
constexpr std::size_t answersBeforeTheKill = 2 + 2 * 27;

TEST(JournalCrashChild, TypesPartOfAJobThenWaits)
{
    const QByteArray folder = qgetenv(crashChildFolder);
    if (folder.isEmpty()) GTEST_SKIP() << "started by JobFileWindow.KilledJobContinuesFromItsJournal";
    const auto answers = crashJobAnswers();
    MainWindow window;
    window.show();
    InputBoxDriver driver({answers.begin(), answers.begin() + answersBeforeTheKill});
    driver.holdWhenOut([&] { std::ofstream(fs::path(folder.toStdString()) / "waiting") << "waiting\n"; });
    commandButton(window, 1)->click();
    FAIL() << "the job ended; it should have been killed while it waited";
}

TEST_F(JobFileWindow, KilledJobContinuesFromItsJournal)
{
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(crashChildFolder), data.path());
    environment.insert(QStringLiteral("XDG_DATA_HOME"), data.path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=JournalCrashChild.*")});
    ASSERT_TRUE(child.waitForStarted());
    const bool waiting = QTest::qWaitFor([&] { return fs::exists(scratch("waiting")); }, 60000);
    ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
    child.waitForFinished();
    ASSERT_TRUE(waiting) << child.readAllStandardOutput().toStdString();
    EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);

    const auto killed = newestJournal(journals());
    ASSERT_TRUE(killed);
    EXPECT_FALSE(journalFileEnded(*killed));
    const auto answers = crashJobAnswers();
    std::vector<std::string> lines{"@data"};
    lines.insert(lines.end(), answers.begin(), answers.end());
    const std::size_t kept = journalEntries(*killed).size();
    EXPECT_EQ(kept, 2u + (answersBeforeTheKill - 2) / 2);
    const std::size_t from = testing::resumeLine(lines, kept, fs::path(data.path().toStdString()));
    EXPECT_EQ(from, 1 + answersBeforeTheKill);

    emit window->fileMenu()->aboutToShow();
    ASSERT_TRUE(action("continueJobAction")->isEnabled());
    {
        InputBoxDriver driver({lines.begin() + static_cast<long>(from), lines.end()});
        action("continueJobAction")->trigger();
        EXPECT_EQ(driver.remaining(), 0u);
        EXPECT_FALSE(driver.ranOut()) << driver.unansweredPrompt();
        EXPECT_TRUE(driver.problems().empty());
    }
    const fs::path whole = scratch("whole.kjob");
    const auto uninterrupted = testing::replayed(testing::joinedLines(lines), {.job = {}, .saveJob = whole.string()});
    EXPECT_EQ(shownFields(*window), replayedFields(uninterrupted.log));
    const auto continued = newestJournal(journals());
    EXPECT_EQ(journalFileEnd(*continued), JobEnd::done);
    EXPECT_EQ(lastValuesOf(journalEntries(*continued)), lastValuesOf(journalEntries(whole)));
}

}  // namespace
}  // namespace kestrane::guitest
