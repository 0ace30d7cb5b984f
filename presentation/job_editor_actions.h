// The job editor in the main window's 文件 menu: 新建作业表… (Ctrl+N) opens an
// empty table, 编辑作业表… (Ctrl+E) a job file or a journal chosen in a file
// dialog that starts at the journal of the last job. Each opens a window of
// its own; when the program ends, each window with changes not yet saved
// asks about them first, and cancelling there keeps the program running.
#pragma once

#include <QObject>
#include <QString>

namespace kestrane {

class JobEditorWindow;
class MainWindow;

class JobEditorActions : public QObject {
    Q_OBJECT

public:
    explicit JobEditorActions(MainWindow& window);

    JobEditorWindow* newJobTable();

    // Opens a job file or a journal (one of the journal folder's, whose last
    // unfinished line is left out) in an editor, telling of values the table
    // does not show as the file has them; a file that cannot be read is told
    // of, and nothing opens (nullptr).
    JobEditorWindow* editJobFile(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void chooseAndEdit();
    JobEditorWindow* shown(JobEditorWindow* editor);

    MainWindow& window_;
};

}  // namespace kestrane
