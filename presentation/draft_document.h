// The job editor's document: the draft of one job, the history of its edits
// for undo and redo, and the file it is saved to. Every edit, a paste or an
// import included, is one step of the history.
#pragma once

#include <vector>

#include <QObject>
#include <QString>
#include <QUndoStack>

#include "draft/job_draft.h"

namespace kestrane {

class DraftDocument : public QObject {
    Q_OBJECT

public:
    // path: the job file the draft was read from and is saved to; empty for
    // a new job or a journal, which are saved only under a name chosen.
    DraftDocument(JobDraft draft, QString path, QObject* parent = nullptr);

    const JobDraft& draft() const { return draft_; }
    QUndoStack* history() { return &history_; }
    const QString& path() const { return path_; }
    bool hasUnsavedChanges() const { return !history_.isClean(); }

    // Applies the edits as one step of the history, named what; a step that
    // changes nothing is not kept.
    void edit(const std::vector<DraftEdit>& edits, const QString& what);

    // Writes the draft's values to path, replacing any file there all at
    // once; from then on the document is saved to path. The failure message,
    // or empty.
    std::string saveTo(const QString& path);

signals:
    // After an edit, an undo or a redo.
    void changed(const DraftChange& change);

private:
    friend class DraftEditCommand;
    void applied(const DraftChange& change) { emit changed(change); }

    JobDraft draft_;
    QUndoStack history_;
    QString path_;
};

}  // namespace kestrane
