// The window Form1: a menu bar over the client area, which holds the
// schematic of the chain, the display panel that a job fills as it runs, and
// the three buttons. It owns the job record for the life of the program.
#pragma once

#include <functional>
#include <memory>

#include <QDateTime>
#include <QMainWindow>
#include <QString>

#include "chain/chain_survey.h"
#include "job/last_complete_job.h"

class QLabel;
class QMenu;
class QPrinter;
class QScrollArea;

namespace kestrane {

class ClientArea;
class JobEditorActions;
class JobFileActions;
class QtInputBox;
class QtWindowFields;

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    const ChainSurvey& job() const { return job_; }

    // The client area below the menu bar, laid out in twips.
    ClientArea* client() const { return client_; }

    // The 文件 menu, for the entries of the job files and the exports.
    QMenu* fileMenu() const { return fileMenu_; }

    // Whether a job has run to its end since the program started. The last
    // such job is what the print button prints, kept as it ended: a later job
    // abandoned or stopped half way costs nothing.
    bool hasCompleteJob() const { return lastComplete_.job() != nullptr; }
    const LastCompleteJob& lastCompleteJob() const { return lastComplete_; }

    // The job files: the journal of every job, open, continue, save.
    JobFileActions* jobFileActions() const { return jobFiles_; }

    // The job editor's entries: a new job table, a job file or journal edited.
    JobEditorActions* jobEditorActions() const { return jobEditors_; }

    // Where a job came from and when it started: the report's footer and
    // the status line name it.
    struct JobOrigin {
        QDateTime started;
        QString fileName;  // the job file's name; empty for a job typed at the prompts
    };

    // Runs one job on the window's record, input box and fields through run,
    // which returns how it ended; then the print button, the menus and the
    // status line follow.
    using JobRun = std::function<JobEnd(ChainSurvey& job, InputBox& inputBox, QtWindowFields& fields)>;
    void runJob(const JobRun& run, JobOrigin origin = {});

    // The status line under the client area: how the last job ended, and the
    // triangles that a job run through from its file left unseen.
    QString statusText() const;

    // The origin of the last complete job (what the report's footer names).
    const JobOrigin& lastCompleteOrigin() const { return lastCompleteOrigin_; }

    // The report's lines and their footer, for the last complete job.
    bool paintLastCompleteReport(QPrinter& printer) const;

    // Draws the client area at the largest zoom, up to its natural size,
    // at which the window fits the screen's available area, never below a
    // legible one; below that the client area scrolls.
    void fitToScreen();

    // The smallest size, in the screen's device pixels to the twip, at
    // which the 9-pt captions still read (about 9 pixels high).
    static constexpr double legiblePixelsPerTwip = 0.75 * 96.0 / 1440.0;

    // What the print button does once a printer has been chosen: paints the
    // report of the last complete job on printer. Without one it shows the
    // refusal and prints nothing. False when nothing was printed.
    bool printReportTo(QPrinter& printer);

signals:
    // A job has ended, however it ended: the menus enable what it allows.
    void jobEnded();

public slots:
    // Command1: one whole job, on this thread, through modal prompts.
    void runDataInput();
    // Command2: ends the program at once, asking nothing.
    void exitProgram();
    // Command3: the system's print dialog, with a print preview one click
    // away, then the report on the chosen printer.
    void printReport();
    // 分析 -> 平差分析…: the quality analysis of the last complete job in a
    // window of its own.
    void showAnalysis();
    // 帮助 -> 关于 Kestrane: the program's name, version and what it does.
    void showAbout();

protected:
    // Once the window has a native window: refitted when it moves to another
    // screen or that screen's free area changes.
    void showEvent(QShowEvent* event) override;

private:
    void addMenus();
    void refusePrint();
    void showJobEnd(JobEnd end, const JobOrigin& origin, bool boxOpened);

    ChainSurvey job_;
    LastCompleteJob lastComplete_;
    JobOrigin lastCompleteOrigin_;
    QLabel* status_ = nullptr;
    bool followsScreen_ = false;
    ClientArea* client_ = nullptr;
    QScrollArea* scrollArea_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    std::unique_ptr<QtInputBox> inputBox_;
    std::unique_ptr<QtWindowFields> fields_;
    JobFileActions* jobFiles_ = nullptr;
    JobEditorActions* jobEditors_ = nullptr;
};

}  // namespace kestrane
