#include "presentation/job_editor_actions.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>

#include "draft/job_draft.h"
#include "jobfile/journal_folder.h"
#include "presentation/job_editor_window.h"
#include "presentation/job_file_actions.h"
#include "presentation/main_window.h"
#include "presentation/qt_input_box.h"

namespace kestrane {
namespace {

const QString jobFileFilter = QStringLiteral("Kestrane 作业文件 (*.kjob);;所有文件 (*)");

std::filesystem::path filePath(const QString& path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

// A journal of the program's own folder: its last line may be one the
// program was writing when it stopped.
bool isJournal(const QString& path)
{
    const QFileInfo file(path);
    return QDir(file.absolutePath()) == QDir(JobFileActions::journalFolder()) &&
           isJournalFileName(file.fileName().toStdString());
}

}  // namespace

JobEditorActions::JobEditorActions(MainWindow& window) : QObject(&window), window_(window)
{
    QMenu* menu = window.fileMenu();
    // After 保存作业…, with the other entries of the job files.
    QAction* before = nullptr;
    const QList<QAction*> actions = menu->actions();
    for (qsizetype i = 0; i + 1 < actions.size(); ++i)
        if (actions[i]->objectName() == QLatin1String("saveJobAction")) before = actions[i + 1];
    const auto add = [&](const QString& text, const char* name, const QKeySequence& keys, auto slot) {
        auto* action = new QAction(text, menu);
        action->setObjectName(QLatin1String(name));
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, slot);
        menu->insertAction(before, action);
    };
    add(QStringLiteral("新建作业表(&N)…"), "newJobTableAction", QKeySequence(Qt::CTRL | Qt::Key_N),
        [this] { newJobTable(); });
    add(QStringLiteral("编辑作业表(&E)…"), "editJobTableAction", QKeySequence(Qt::CTRL | Qt::Key_E),
        &JobEditorActions::chooseAndEdit);
    window.installEventFilter(this);
}

JobEditorWindow* JobEditorActions::shown(JobEditorWindow* editor)
{
    editor->show();
    editor->raise();
    editor->activateWindow();
    return editor;
}

JobEditorWindow* JobEditorActions::newJobTable()
{
    return shown(new JobEditorWindow(window_, JobDraft(), QString(), QStringLiteral("新作业")));
}

JobEditorWindow* JobEditorActions::editJobFile(const QString& path)
{
    const bool journal = isJournal(path);
    const std::string name = QDir::toNativeSeparators(path).toStdString();
    const JobFileReading reading =
        readJobFile(filePath(path), name, journal ? LastLine::dropUnfinished : LastLine::read);
    if (const auto* refusal = std::get_if<JobFileRefusal>(&reading)) {
        QtInputBox(&window_).warn(refusal->message, false);
        return nullptr;
    }
    const JobFile& file = std::get<JobFile>(reading);
    JobDraft draft = JobDraft::ofFile(file);
    const std::string notice = openingNotice(file, draft);
    // A journal belongs to the program: the table is saved under a name of the surveyor's.
    const QString title = (journal ? QStringLiteral("作业日志 ") : QString()) + QFileInfo(path).fileName();
    JobEditorWindow* editor = shown(new JobEditorWindow(window_, std::move(draft), journal ? QString() : path, title));
    if (!notice.empty()) QtInputBox(editor).warn(notice, false);
    return editor;
}

void JobEditorActions::chooseAndEdit()
{
    QFileDialog dialog(&window_, QStringLiteral("编辑作业表"), JobFileActions::journalFolder(), jobFileFilter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (const auto newest = newestJournal(filePath(JobFileActions::journalFolder())))
        dialog.selectFile(QFile::decodeName(newest->c_str()));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        editJobFile(dialog.selectedFiles().front());
}

bool JobEditorActions::eventFilter(QObject* watched, QEvent* event)
{
    // The program ends with the main window: each editor asks about its
    // unsaved changes first, and one kept open keeps the program running.
    if (watched == &window_ && event->type() == QEvent::Close) {
        for (JobEditorWindow* editor : window_.findChildren<JobEditorWindow*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (!editor->close()) {
                event->ignore();
                return true;
            }
        }
    }
    return false;
}

}  // namespace kestrane
