#include "presentation/job_file_actions.h"

#include <map>

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

#include "jobfile/job_file_grade.h"
#include "jobfile/job_keys.h"
#include "jobfile/journal_folder.h"
#include "jobfile/recorded_job.h"
#include "presentation/main_window.h"
#include "presentation/qt_window_fields.h"

namespace kestrane {
namespace {

// How many journals 最近的作业 lists, newest first.
constexpr int recentJobsListed = 10;

const QString jobFileFilter = QStringLiteral("Kestrane 作业文件 (*.kjob);;所有文件 (*)");
const QString jobFileSuffix = QStringLiteral("kjob");

std::filesystem::path filePath(const QString& path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

// "n = 4  K00 → K05": the size of the journal's chain and its ends A and B,
// as far as the journal got; empty when it holds no n.
QString readChainOfJournal(const std::filesystem::path& journal)
{
    const JobFileReading reading = readJobFile(journal, journal.string(), LastLine::dropUnfinished);
    const auto* file = std::get_if<JobFile>(&reading);
    if (!file) return {};
    const JobFileEntry* n = file->find("n");
    if (!n) return {};
    QString chain = QStringLiteral("n = %1").arg(QString::fromStdString(n->value));
    const JobFileEntry* a = file->find("N0");
    const JobFileEntry* b = file->triangleCount() ? file->find("N" + std::to_string(*file->triangleCount() + 1)) : nullptr;
    if (a || b) {
        chain += QStringLiteral("  ") + (a ? QString::fromStdString(a->value) : QStringLiteral("?")) +
                 QStringLiteral(" → ") + (b ? QString::fromStdString(b->value) : QStringLiteral("?"));
    }
    return chain;
}

// The same, read once for each state of the file: the menu is filled every
// time it opens, and the journal of a long chain is a megabyte.
QString chainOfJournal(const std::filesystem::path& journal)
{
    struct Read {
        QDateTime modified;
        qint64 size = -1;
        QString chain;
    };
    static std::map<QString, Read> read;
    const QFileInfo file(QFile::decodeName(journal.c_str()));
    Read& known = read[file.absoluteFilePath()];
    if (known.size != file.size() || known.modified != file.lastModified()) {
        known = {file.lastModified(), file.size(), readChainOfJournal(journal)};
    }
    return known.chain;
}

// "2026-12-08 17:39:35(完成)  n = 4  K00 → K05": when the journal's job
// started, how it ended, and which chain it was.
QString journalCaption(const std::filesystem::path& journal)
{
    const QString stem = QString::fromStdString(journal.stem().string());
    QString when = QStringLiteral("%1-%2-%3 %4:%5:%6")
                       .arg(stem.mid(0, 4), stem.mid(4, 2), stem.mid(6, 2), stem.mid(9, 2), stem.mid(11, 2),
                            stem.mid(13, 2));
    if (stem.size() > 15) when += QStringLiteral(" (%1)").arg(stem.mid(16));
    const auto end = journalFileEnd(journal);
    const QString state = !end                             ? QStringLiteral("未完成")
                          : *end == JobEnd::done      ? QStringLiteral("完成")
                          : *end == JobEnd::abandoned ? QStringLiteral("放弃")
                                                          : QStringLiteral("中止");
    QString caption = when + QStringLiteral("(") + state + QStringLiteral(")");
    const QString chain = chainOfJournal(journal);
    if (!chain.isEmpty()) caption += QStringLiteral("  ") + chain;
    return caption;
}

// The input box of a job opened from a file: the values the file gives are
// painted together, at the first box that opens (or when the job ends).
class PaintingBeforeBoxes final : public InputBox {
public:
    PaintingBeforeBoxes(InputBox& box, QtWindowFields& fields, bool fromFile) : box_(box), fields_(fields)
    {
        fields_.setDeferredPainting(fromFile);
    }
    ~PaintingBeforeBoxes() override { fields_.setDeferredPainting(false); }

    std::string ask(const std::string& prompt, const std::string& title) override
    {
        fields_.setDeferredPainting(false);
        return box_.ask(prompt, title);
    }
    bool warn(const std::string& message, bool canAbandon) override
    {
        fields_.setDeferredPainting(false);
        return box_.warn(message, canAbandon);
    }
    void answeredFromFile(const std::string& prompt, const std::string& title, const std::string& answer) override
    {
        box_.answeredFromFile(prompt, title, answer);
    }
    void concerning(std::optional<Field> field, bool valueShown) override { box_.concerning(field, valueShown); }

private:
    InputBox& box_;
    QtWindowFields& fields_;
};

// The one local file a drag carries, or an empty string.
QString droppedFile(const QMimeData* data)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1) return {};
    const QUrl url = data->urls().front();
    return url.isLocalFile() ? url.toLocalFile() : QString();
}

}  // namespace

JobFileActions::JobFileActions(MainWindow& window) : QObject(&window), window_(window), messages_(&window)
{
    messages_.openOver(window.client());
    addMenuEntries();
    window.setAcceptDrops(true);
    window.installEventFilter(this);
    refreshEntries();
}

QString JobFileActions::journalFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/journal");
}

void JobFileActions::addMenuEntries()
{
    QMenu* menu = window_.fileMenu();
    // The job files come first, 打印… and 退出 after them.
    QAction* before = menu->actions().value(0);
    const auto add = [&](const QString& text, const char* name, auto slot) {
        auto* action = new QAction(text, menu);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, slot);
        menu->insertAction(before, action);
        return action;
    };
    QAction* open = add(QStringLiteral("打开作业(&O)…"), "openJobAction", &JobFileActions::chooseAndOpen);
    open->setShortcut(QKeySequence::Open);
    continueAction_ = add(QStringLiteral("继续未完成的计算(&C)"), "continueJobAction",
                          [this] { continueUnfinishedJob(); });
    recentMenu_ = new QMenu(QStringLiteral("最近的作业(&R)"), menu);
    recentMenu_->setObjectName(QStringLiteral("recentJobsMenu"));
    menu->insertMenu(before, recentMenu_);
    saveAction_ = add(QStringLiteral("保存作业(&S)…"), "saveJobAction", &JobFileActions::chooseAndSave);
    saveAction_->setShortcut(QKeySequence::Save);
    menu->insertSeparator(before);
    connect(menu, &QMenu::aboutToShow, this, &JobFileActions::refreshEntries);
}

void JobFileActions::refreshEntries()
{
    const auto newest = newestJournal(filePath(journalFolder()));
    continueAction_->setEnabled(!running_ && newest && !journalFileEnded(*newest));
    saveAction_->setEnabled(!running_ && !lastJobValues_.empty());
    fillRecentJobs();
}

void JobFileActions::fillRecentJobs()
{
    recentMenu_->clear();
    const auto journals = journalsNewestFirst(filePath(journalFolder()));
    for (std::size_t i = 0; i < journals.size() && i < static_cast<std::size_t>(recentJobsListed); ++i) {
        const QString path = QFile::decodeName(journals[i].c_str());
        QAction* entry = recentMenu_->addAction(journalCaption(journals[i]));
        entry->setToolTip(QDir::toNativeSeparators(path));
        entry->setData(path);
        connect(entry, &QAction::triggered, this, [this, path] { openJobFile(path, LastLine::dropUnfinished); });
    }
    recentMenu_->setEnabled(!running_ && !journals.empty());
}

void JobFileActions::runTypedJob()
{
    runJob(nullptr, QString());
}

bool JobFileActions::openJobFile(const QString& path, LastLine lastLine)
{
    if (running_) return false;
    JobFileReading reading = readJobFile(filePath(path), QDir::toNativeSeparators(path).toStdString(), lastLine);
    if (const auto* refusal = std::get_if<JobFileRefusal>(&reading)) {
        tell(refusal->message);
        return false;
    }
    const bool unfinishedJournal = isUnfinishedJournal(path);
    const JobEnd end = runJob(&std::get<JobFile>(reading), path);
    // A journal continued to its end has ended with the job that continued
    // it: it is listed as complete and offered for continuing no more.
    if (unfinishedJournal && end == JobEnd::done) markJournalEnded(path, end);
    return true;
}

bool JobFileActions::runHeldJob(JobFile& held)
{
    if (running_) return false;
    runJob(&held, QString::fromStdString(held.name()));
    return true;
}

bool JobFileActions::continueUnfinishedJob()
{
    const auto newest = newestJournal(filePath(journalFolder()));
    if (!newest || journalFileEnded(*newest)) return false;
    return openJobFile(QFile::decodeName(newest->c_str()), LastLine::dropUnfinished);
}

JobEnd JobFileActions::runJob(JobFile* file, const QString& source)
{
    running_ = true;
    refreshEntries();
    std::vector<JobFileEntry> unused;
    JobEnd end = JobEnd::stopped;
    MainWindow::JobOrigin origin{QDateTime::currentDateTime(), source};
    window_.runJob(
        [&](ChainSurvey& job, InputBox& windowBox, QtWindowFields& fields) {
            PaintingBeforeBoxes box(windowBox, fields, file != nullptr);
            JobRecording recording =
                recordingInto(box, startJournalInFolder(filePath(journalFolder()), JobFileClock::now()));
            const RecordedJobOutcome run = runRecordedJob(job, box, fields, file, recording, grade_);
            // A job abandoned before it took any value leaves the values of
            // the job before it to be saved: a stray press of the data-input
            // button costs nothing.
            std::vector<JobValue> values = recording.values();
            if (!values.empty() || run.outcome.end == JobEnd::done) lastJobValues_ = std::move(values);
            grade_ = run.grade;
            unused = run.unused;
            end = run.outcome.end;
            return end;
        },
        origin);
    running_ = false;
    if (!unused.empty()) tell(unusedValuesMessage(file->name(), unused));
    refreshEntries();
    return end;
}

bool JobFileActions::isUnfinishedJournal(const QString& path) const
{
    const QFileInfo file(path);
    return QFileInfo(file.absolutePath()) == QFileInfo(journalFolder()) &&
           isJournalFileName(file.fileName().toStdString()) && !journalFileEnded(filePath(path));
}

void JobFileActions::markJournalEnded(const QString& path, JobEnd end)
{
    if (const auto failure = endContinuedJournal(filePath(path), end)) tell(failure->message);
}

bool JobFileActions::saveJobFile(const QString& path)
{
    if (lastJobValues_.empty()) return false;
    // The grade as it stands now: it may have been chosen after the job.
    std::vector<JobValue> values;
    for (const JobValue& value : lastJobValues_) {
        const auto key = parseKey(value.key);
        if (!key || !isGradeKey(key->family)) values.push_back(value);
    }
    if (grade_)
        for (const JobValue& value : gradeValues(*grade_)) values.push_back(value);
    if (const auto failure = kestrane::saveJobFile(filePath(path), values)) {
        tell(failure->message);
        return false;
    }
    return true;
}

void JobFileActions::chooseAndOpen()
{
    const QString path = QFileDialog::getOpenFileName(&window_, QStringLiteral("打开作业"), QString(), jobFileFilter);
    if (!path.isEmpty()) openJobFile(path);
}

void JobFileActions::chooseAndSave()
{
    if (lastJobValues_.empty()) return;
    QFileDialog dialog(&window_, QStringLiteral("保存作业"), QString(), jobFileFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(jobFileSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    saveJobFile(dialog.selectedFiles().front());
}

void JobFileActions::tell(const std::string& message)
{
    messages_.warn(message, false);
}

bool JobFileActions::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &window_) return false;
    if (event->type() == QEvent::DragEnter) {
        auto* drag = static_cast<QDragEnterEvent*>(event);
        if (!running_ && !droppedFile(drag->mimeData()).isEmpty()) drag->acceptProposedAction();
        return true;
    }
    if (event->type() == QEvent::Drop) {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString path = droppedFile(drop->mimeData());
        if (path.isEmpty() || running_) return true;
        drop->acceptProposedAction();
        // The job runs its modal prompts once the drop has finished.
        QTimer::singleShot(0, this, [this, path] { openJobFile(path); });
        return true;
    }
    return false;
}

}  // namespace kestrane
