// The window Form1: a menu bar over the client area, which holds the
// schematic of the chain, the display panel that a job fills as it runs, and
// the three buttons. It owns the job record for the life of the program.
#pragma once

#include <functional>
#include <memory>

#include <QMainWindow>

#include "chain/chain_survey.h"
#include "job/last_complete_job.h"

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

    // Runs one job on the window's record, input box and fields through run,
    // which returns how it ended; then the print button and the menus follow.
    using JobRun = std::function<JobEnd(ChainSurvey& job, InputBox& inputBox, QtWindowFields& fields)>;
    void runJob(const JobRun& run);

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

private:
    void addMenus();
    void fitToScreen();
    void refusePrint();

    ChainSurvey job_;
    LastCompleteJob lastComplete_;
    ClientArea* client_ = nullptr;
    QScrollArea* scrollArea_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    std::unique_ptr<QtInputBox> inputBox_;
    std::unique_ptr<QtWindowFields> fields_;
    JobFileActions* jobFiles_ = nullptr;
    JobEditorActions* jobEditors_ = nullptr;
};

}  // namespace kestrane
