// Whole jobs through the real window: a golden transcript is answered, line
// by line, in the window's own input and warning boxes, one press of Command1
// per job, and what the surveyor saw is held against the replay tool's log of
// the same transcript: every box and warning in order, the fields and captions
// on screen whenever a box opened, the way each job ended, and the final
// fields and captions. A few transcripts stand for all: one for each way the
// chain is tied to the control, with its printed report; a job abandoned and
// one stopped; a report printed after a later job was given up. The replay
// test holds every golden transcript against its log; the job files in the
// window are job_file_test's.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <QApplication>
#include <QInputDialog>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonArray>
#include <QMessageBox>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

#include "dialogue/window_fields.h"
#include "guide_texts.h"
#include "input_box_driver.h"
#include "presentation/main_window.h"
#include "presentation/window_layout.h"
#include "printed_report.h"
#include "tools/replay/replay.h"
#include "tools/replay/transcript.h"
#include "window_probe.h"

namespace kestrane::guitest {
namespace {

namespace fs = std::filesystem;

const std::string dataEntry = "@data";
const std::string printEntry = "@print";
const std::string analysisEntry = "@analysis";
const std::string exportEntry = "@export ";

using testing::goldenPath;
using testing::readFile;

// The fields that a guide's caption names: the caption beside the field, or
// the heading above it and the caption, blanks at either end left out.
std::vector<Field> fieldsCaptioned(const std::string& named)
{
    const QString caption = QString::fromStdString(named);
    std::vector<Field> fields;
    for (const FieldPlace& place : fieldPlaces()) {
        const QString beside = QString::fromUtf8(place.caption.text).simplified();
        const bool above = place.heading.text &&
                           QString::fromUtf8(place.heading.text).simplified() + QLatin1Char(' ') + beside == caption;
        if (beside == caption || above) fields.push_back(place.field);
    }
    return fields;
}

// What is on screen: "Text1".."Text41" and the changeable labels by name.
using Screen = std::map<std::string, std::string>;


Screen windowScreen(const QWidget& window)
{
    Screen screen;
    for (int n = 1; n <= fieldCount; ++n) screen[windowId(fieldNumbered(n))] = fieldText(window, n).toStdString();
    for (const Label label : changeableLabels) {
        const QLabel* caption = namedLabel(window, windowNumber(label));
        screen[windowId(label)] = caption ? caption->text().toStdString() : "<no " + windowId(label) + ">";
    }
    return screen;
}

// The window as it opens: empty fields, the first captions.
Screen openingScreen()
{
    Screen screen;
    for (int n = 1; n <= fieldCount; ++n) screen[windowId(fieldNumbered(n))] = "";
    for (const Label label : changeableLabels) screen[windowId(label)] = initialCaption(label);
    return screen;
}

// The differing entries of two screens, one per line.
std::string screenDifferences(const Screen& window, const Screen& replay)
{
    std::string out;
    for (const auto& [name, wanted] : replay) {
        const auto got = window.find(name);
        const std::string shown = got == window.end() ? "<missing>" : got->second;
        if (shown != wanted) out += "  " + name + ": window \"" + shown + "\", replay \"" + wanted + "\"\n";
    }
    for (const auto& [name, shown] : window)
        if (!replay.count(name)) out += "  " + name + ": window \"" + shown + "\", not in the replay log\n";
    return out;
}

// One dialog in a form both sides can be compared in.
std::string describeAsk(const std::string& prompt, const std::string& title, const std::string& answer, bool cancel)
{
    return "ask \"" + prompt + "\" title \"" + title + "\" " + (cancel ? "cancelled" : "answer \"" + answer + "\"");
}

std::string describeWarning(const std::string& message, bool canAbandon, bool abandoned)
{
    return "warning \"" + message + "\"" + (canAbandon ? " offering to abandon" : " with one button") +
           (abandoned ? ", abandoned" : "");
}

std::string describe(const DialogSeen& dialog)
{
    if (dialog.kind == DialogSeen::Kind::ask)
        return describeAsk(dialog.ask.prompt, dialog.ask.title, dialog.ask.answer, dialog.ask.cancel);
    return describeWarning(dialog.warning.message, dialog.warning.canAbandon, dialog.warning.abandoned);
}

// How one job went according to the replay log.
struct ReplayedJob {
    std::vector<std::string> dialogs;
    std::vector<Screen> screensAtDialogs;  // what was on screen as each dialog opened
    std::string end;                       // done, abandoned or stopped
    std::string reason;                    // of a stopped job
};

struct ReplayRun {
    int status = -1;
    std::vector<ReplayedJob> jobs;
    Screen finalScreen;
    bool finalLineSeen = false;
    std::vector<std::string> unreadable;  // log lines that are not the objects of the log format
};

// The report event's lines read back into report lines.
std::vector<ReportLine> reportLinesOf(const QJsonArray& report)
{
    std::vector<ReportLine> lines;
    for (const auto& reportLine : report) {
        ReportLine line;
        line.pointSize = reportLine.toObject().value(QLatin1String("size")).toInt();
        for (const auto& item : reportLine.toObject().value(QLatin1String("items")).toArray()) {
            const QJsonObject object = item.toObject();
            if (object.contains(QLatin1String("col")))
                line.items.push_back(ReportItem::col(object.value(QLatin1String("col")).toInt()));
            else if (object.contains(QLatin1String("text")))
                line.items.push_back(ReportItem::txt(object.value(QLatin1String("text")).toString().toStdString()));
            else if (object.contains(QLatin1String("number")))
                line.items.push_back(ReportItem::num(object.value(QLatin1String("number")).toInt()));
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

std::string text(const QJsonObject& event, const char* key)
{
    return event.value(QLatin1String(key)).toString().toStdString();
}

ReplayRun replay(const std::string& transcript)
{
    std::ostringstream log;
    ReplayRun run;
    run.status = replay::replayTranscript(transcript, log);

    Screen screen = openingScreen();
    ReplayedJob job;
    std::istringstream lines(log.str());
    for (std::string line; std::getline(lines, line);) {
        QJsonParseError error{};
        const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(line), &error);
        if (error.error != QJsonParseError::NoError || !document.isObject()) {
            run.unreadable.push_back(line);
            continue;
        }
        const QJsonObject event = document.object();
        if (event.contains(QLatin1String("ask"))) {
            job.dialogs.push_back(describeAsk(text(event, "ask"), text(event, "title"), text(event, "answer"),
                                              event.value(QLatin1String("cancel")).toBool()));
            job.screensAtDialogs.push_back(screen);
        } else if (event.contains(QLatin1String("warn"))) {
            job.dialogs.push_back(describeWarning(text(event, "warn"), event.value(QLatin1String("canAbort")).toBool(),
                                                  event.value(QLatin1String("abort")).toBool()));
            job.screensAtDialogs.push_back(screen);
        } else if (event.contains(QLatin1String("set"))) {
            screen[text(event, "set")] = text(event, "text");
        } else if (event.contains(QLatin1String("caption"))) {
            screen[text(event, "caption")] = text(event, "text");
        } else if (event.contains(QLatin1String("job"))) {
            job.end = text(event, "job");
            job.reason = text(event, "reason");
            run.jobs.push_back(std::move(job));
            job = {};
        } else if (event.contains(QLatin1String("fields"))) {
            run.finalLineSeen = true;
            const QJsonObject fields = event.value(QLatin1String("fields")).toObject();
            const QJsonObject captions = event.value(QLatin1String("captions")).toObject();
            for (auto it = fields.begin(); it != fields.end(); ++it)
                run.finalScreen[it.key().toStdString()] = it.value().toString().toStdString();
            for (auto it = captions.begin(); it != captions.end(); ++it)
                run.finalScreen[it.key().toStdString()] = it.value().toString().toStdString();
        } else {
            run.unreadable.push_back(line);
        }
    }
    return run;
}

// Records what was on screen each time an input box or a warning opened.
class ScreenAtEachDialog : public QObject {
public:
    explicit ScreenAtEachDialog(const QWidget& window) : window_(window) { qApp->installEventFilter(this); }
    ~ScreenAtEachDialog() override { qApp->removeEventFilter(this); }

    const std::vector<Screen>& screens() const { return screens_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show &&
            (qobject_cast<QInputDialog*>(watched) || qobject_cast<QMessageBox*>(watched)) &&
            !watched->property(recordedMark).toBool()) {
            watched->setProperty(recordedMark, true);
            screens_.push_back(windowScreen(window_));
        }
        return false;
    }

private:
    static constexpr const char* recordedMark = "kestraneScreenRecorded";
    const QWidget& window_;
    std::vector<Screen> screens_;
};

// How the job ended, as far as the window shows it: abandoned at a warning,
// stopped with a warning that offers nothing but acknowledging it, or done.
std::string endSeenInWindow(const std::vector<DialogSeen>& seen, std::string* stopMessage)
{
    if (!seen.empty() && seen.back().kind == DialogSeen::Kind::warning) {
        const WarningSeen& last = seen.back().warning;
        if (last.abandoned) return "abandoned";
        if (!last.canAbandon) {
            *stopMessage = last.message;
            return "stopped";
        }
    }
    return "done";
}

::testing::AssertionResult sameDialogs(const std::vector<std::string>& window, const std::vector<std::string>& replay)
{
    for (std::size_t i = 0; i < std::max(window.size(), replay.size()); ++i) {
        const std::string got = i < window.size() ? window[i] : "<none>";
        const std::string wanted = i < replay.size() ? replay[i] : "<none>";
        if (got != wanted)
            return ::testing::AssertionFailure() << "dialog " << i + 1 << " of " << replay.size() << " in the replay log, "
                                               << window.size() << " in the window\n  window: " << got
                                               << "\n  replay: " << wanted
                                               << (i > 0 ? "\n  after:  " + replay[i - 1] : std::string());
    }
    return ::testing::AssertionSuccess();
}

class WholeJob : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    // Replays the golden transcript NAME with the tool, then plays it in the
    // window, one press of Command1 per "@data", and compares the two.
    void driveTranscript(const std::string& name)
    {
        const fs::path path = goldenPath(name, ".transcript");
        ASSERT_TRUE(fs::exists(path)) << path;

        // The print button, the analysis and the export menu are not called
        // for here; their entries come out of the transcript before the tool
        // replays it, so that both sides run the same jobs and nothing else.
        std::vector<std::vector<std::string>> jobs;
        std::string withoutPrinting;
        const std::string transcript = readFile(path);
        for (const std::string_view entry : replay::transcriptLines(transcript)) {
            const std::string line(entry);
            if (line == printEntry || line == analysisEntry || line.starts_with(exportEntry)) continue;
            withoutPrinting += line + '\n';
            if (line == dataEntry) {
                jobs.emplace_back();
                continue;
            }
            ASSERT_FALSE(jobs.empty()) << "an answer before the first @data: \"" << line << "\"";
            jobs.back().push_back(line);
        }
        ASSERT_FALSE(jobs.empty());

        const ReplayRun run = replay(withoutPrinting);
        ASSERT_EQ(run.status, replay::statusDone) << "not a transcript of whole jobs";
        ASSERT_TRUE(run.unreadable.empty()) << "unexpected log line: " << run.unreadable.front();
        ASSERT_TRUE(run.finalLineSeen);
        ASSERT_EQ(run.jobs.size(), jobs.size()) << "job ends in the replay log against @data entries";

        for (std::size_t j = 0; j < jobs.size(); ++j) {
            SCOPED_TRACE(name + ", job " + std::to_string(j + 1) + " of " + std::to_string(jobs.size()));
            runJobInWindow(jobs[j], run.jobs[j]);
            if (HasFatalFailure()) return;
        }

        // The window as the last job left it.
        const Screen finalScreen = windowScreen(window);
        for (const auto& [control, wanted] : run.finalScreen) {
            SCOPED_TRACE("final " + control);
            ASSERT_TRUE(finalScreen.count(control)) << "the replay log names a field or label the window lacks";
            EXPECT_EQ(finalScreen.at(control), wanted);
        }
        EXPECT_EQ(finalScreen.size(), run.finalScreen.size()) << screenDifferences(finalScreen, run.finalScreen);
    }

    std::string shown(int field) const { return fieldText(window, field).toStdString(); }

    MainWindow window;

    // Presses print with a PDF file as the printer after the job just driven,
    // and reads the document back: it must hold, in order, every text of the
    // first report the replay tool gives for the same transcript.
    void printAndCompareWithReplay(const std::string& name)
    {
        QTemporaryDir folder;
        ASSERT_TRUE(folder.isValid());
        const QString pdf = folder.filePath(QStringLiteral("report.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setOutputFileName(pdf);
        ASSERT_TRUE(window.printReportTo(printer));

        std::ostringstream log;
        replay::replayTranscript(readFile(goldenPath(name, ".transcript")) + "@print\n", log);
        std::string replayed;
        std::istringstream lines(log.str());
        for (std::string line; replayed.empty() && std::getline(lines, line);) {
            if (line.rfind("{\"report\": ", 0) != 0) continue;
            const QJsonArray report =
                QJsonDocument::fromJson(QByteArray::fromStdString(line)).object().value(QLatin1String("report")).toArray();
            replayed = reportText(reportLinesOf(report));
        }
        ASSERT_FALSE(replayed.empty()) << "the replay tool printed no report";
        EXPECT_EQ(guitest::withoutBlanks(guitest::withoutFooters(guitest::pdfText(pdf))), guitest::withoutBlanks(replayed));
    }

private:
    void runJobInWindow(const std::vector<std::string>& answers, const ReplayedJob& replayed)
    {
        QPushButton* dataInput = commandButton(window, 1);
        ASSERT_NE(dataInput, nullptr);
        ASSERT_TRUE(dataInput->isVisible() && dataInput->isEnabled());

        ScreenAtEachDialog screens(window);
        InputBoxDriver driver(answers);
        // The job runs inside the click, through the boxes' own event loops.
        QTest::mouseClick(dataInput, Qt::LeftButton);

        EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "a dialog is still open after the job";
        EXPECT_TRUE(driver.problems().empty()) << driver.problems().front();
        EXPECT_FALSE(driver.ranOut()) << "the window asked for more than the transcript gives: \""
                                      << driver.unansweredPrompt() << "\"";
        EXPECT_EQ(driver.remaining(), 0u) << "the job ended in the window with answers left over";

        std::vector<std::string> dialogs;
        for (const DialogSeen& dialog : driver.seen()) dialogs.push_back(describe(dialog));
        ASSERT_TRUE(sameDialogs(dialogs, replayed.dialogs));
        ASSERT_FALSE(driver.ranOut() || driver.remaining() > 0);

        std::string stopMessage;
        EXPECT_EQ(endSeenInWindow(driver.seen(), &stopMessage), replayed.end);
        if (replayed.end == "stopped") {
            EXPECT_EQ(stopMessage, replayed.reason) << "the warning that tells of the stop";
        }

        // Each value is on screen by the time the next box asks for anything.
        ASSERT_EQ(screens.screens().size(), replayed.screensAtDialogs.size()) << "dialogs shown against dialogs answered";
        for (std::size_t i = 0; i < replayed.screensAtDialogs.size(); ++i) {
            const std::string differences = screenDifferences(screens.screens()[i], replayed.screensAtDialogs[i]);
            ASSERT_TRUE(differences.empty()) << "on screen as dialog " << i + 1 << " opened (" << replayed.dialogs[i]
                                             << "):\n" << differences;
        }

        // Every box opened empty, and its prompt was not cut off.
        std::set<std::string> cutOff;
        for (const AskSeen& ask : driver.asks()) {
            EXPECT_TRUE(ask.fieldEmptyAtOpen) << ask.prompt;
            if (!ask.promptShownWhole) cutOff.insert(ask.prompt);
        }
        for (const std::string& prompt : cutOff) ADD_FAILURE() << "prompt not shown whole: \"" << prompt << "\"";
    }

};

// The three arrangements of known points: C and D absent, C given, C and D given.

TEST_F(WholeJob, TypicalJobOrientedOnEAndFWithCAndDAbsent)
{
    driveTranscript("typical_n4_orientation_points");
    if (HasFatalFailure()) return;
    printAndCompareWithReplay("typical_n4_orientation_points");
    EXPECT_EQ(shown(19), " 三角锁共有4个三角形");
    EXPECT_EQ(shown(5), "不是已知边起算");
    EXPECT_EQ(shown(7), "不在已知边闭合");
    // E and F stay on screen as the coordinates they were given.
    EXPECT_EQ(shown(9), " 11456.124");
    EXPECT_EQ(shown(11), " 13572.343");
}

TEST_F(WholeJob, KnownStartSideCWithDAbsent)
{
    driveTranscript("names_n2_known_start");
    if (HasFatalFailure()) return;
    printAndCompareWithReplay("names_n2_known_start");
    EXPECT_EQ(shown(9), "由已知边起算");
    EXPECT_EQ(shown(7), "不在已知边闭合");
    // Closed on the orientation point F.
    EXPECT_EQ(shown(11), " 12782.711");
}

TEST_F(WholeJob, KnownSidesCAndDAtBothEnds)
{
    driveTranscript("known_sides_c_and_d_n4");
    if (HasFatalFailure()) return;
    printAndCompareWithReplay("known_sides_c_and_d_n4");
    EXPECT_EQ(shown(9), "由已知边起算");
    EXPECT_EQ(shown(11), "由已知边闭合");
}

// The worked example of README.md and the guides: the window shows every
// figure they list in the field that the caption they name stands by.
TEST_F(WholeJob, UserGuideWorkedExample)
{
    driveTranscript("user_guide_example");
    if (HasFatalFailure()) return;
    for (const fs::path& document : testing::documentsWithFigures())
        for (const testing::GuideFigure& figure : testing::guideFigures(document)) {
            const std::vector<Field> named = fieldsCaptioned(figure.caption);
            ASSERT_EQ(named.size(), 1u) << document.filename() << ": no one field captioned " << figure.caption;
            EXPECT_EQ(QString::fromStdString(shown(windowNumber(named.front()))).simplified().toStdString(),
                      figure.shown)
                << document.filename() << ": " << figure.caption;
        }
}

// Several jobs on one window: bad input warned about, a job abandoned at a
// warning, then a new job.
TEST_F(WholeJob, BadInputThenAbandonedJobThenANewJob) { driveTranscript("bad_input_then_new_job"); }

// A job that stops with a warning.
TEST_F(WholeJob, StopsOnDependentConditions) { driveTranscript("stop_dependent_conditions_n3"); }

// A later job given up costs nothing: the report printed is the earlier one's.
TEST_F(WholeJob, AStrayJobDoesNotCostTheReport)
{
    driveTranscript("print_last_complete_job");
    if (HasFatalFailure()) return;
    printAndCompareWithReplay("print_last_complete_job");
}

}  // namespace
}  // namespace kestrane::guitest
