// The job files in the window: the entries of the 文件 menu (打开作业…,
// 继续未完成的计算, 最近的作业 ▸, 保存作业…), a job file named on the command
// line or dropped on the window, and the journal that every job writes while
// it runs, one file a job in the user's data folder.
#pragma once

#include <optional>
#include <vector>

#include <QObject>
#include <QString>

#include "analysis/grades.h"
#include "job/job_end.h"
#include "jobfile/job_file.h"
#include "jobfile/job_file_writer.h"
#include "presentation/qt_input_box.h"

class QAction;
class QMenu;

namespace kestrane {

class MainWindow;

class JobFileActions : public QObject {
    Q_OBJECT

public:
    // Puts the entries at the head of the window's 文件 menu and takes the
    // files dropped on the window.
    explicit JobFileActions(MainWindow& window);

    // The folder of the journals: AppDataLocation/journal.
    static QString journalFolder();

    // Runs one job typed at the prompts (the data-input button), journaled.
    void runTypedJob();

    // Opens a job file and runs its job: values from the file, the rest
    // asked. A refused file is told of in one message and nothing changes.
    // False when no job ran.
    bool openJobFile(const QString& path, LastLine lastLine = LastLine::read);

    // Saves the values of the last job, complete or not (a job abandoned
    // before it took any value leaves the one before it); false on failure
    // (told of) or when there is nothing to save.
    bool saveJobFile(const QString& path);

    // Runs the job of values held in memory (the job editor's table) as
    // openJobFile runs a file's. False when no job ran (one is running).
    bool runHeldJob(JobFile& held);

    // Opens the newest journal, whose job did not end, and continues it.
    bool continueUnfinishedJob();

    // The grade the jobs are checked against: an opened file's, or the one
    // last chosen. A typed job takes it into its journal; save writes it.
    const std::optional<Grade>& grade() const { return grade_; }
    void setGrade(const std::optional<Grade>& grade) { grade_ = grade; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void addMenuEntries();
    void refreshEntries();
    void fillRecentJobs();
    void chooseAndOpen();
    void chooseAndSave();
    // One job on the window, from file (or typed, for nullptr), journaled;
    // source names the file for the report and the status line.
    JobEnd runJob(JobFile* file, const QString& source);
    // A journal of the journal folder whose job did not end.
    bool isUnfinishedJournal(const QString& path) const;
    // Ends the journal at path as a job ends it.
    void markJournalEnded(const QString& path, JobEnd end);
    void tell(const std::string& message);

    MainWindow& window_;
    QtInputBox messages_;
    QAction* continueAction_ = nullptr;
    QAction* saveAction_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    std::vector<JobValue> lastJobValues_;
    std::optional<Grade> grade_;
    bool running_ = false;
};

}  // namespace kestrane
