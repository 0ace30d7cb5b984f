#include "presentation/draft_document.h"

#include <filesystem>

#include <QFile>
#include <QUndoCommand>

#include "jobfile/job_file_writer.h"

namespace kestrane {

// One step of the history: the edits applied the first time, the change they
// made reverted and reapplied after.
class DraftEditCommand : public QUndoCommand {
public:
    DraftEditCommand(DraftDocument& document, std::vector<DraftEdit> edits, const QString& what)
        : QUndoCommand(what), document_(document), edits_(std::move(edits))
    {
    }

    void redo() override
    {
        if (!applied_) {
            change_ = document_.draft_.apply(edits_);
            edits_.clear();
            applied_ = true;
            setObsolete(change_.empty());
        } else {
            document_.draft_.reapply(change_);
        }
        if (!change_.empty()) document_.applied(change_);
    }

    void undo() override
    {
        document_.draft_.revert(change_);
        document_.applied(change_);
    }

private:
    DraftDocument& document_;
    std::vector<DraftEdit> edits_;
    DraftChange change_;
    bool applied_ = false;
};

DraftDocument::DraftDocument(JobDraft draft, QString path, QObject* parent)
    : QObject(parent), draft_(std::move(draft)), path_(std::move(path))
{
}

void DraftDocument::edit(const std::vector<DraftEdit>& edits, const QString& what)
{
    history_.push(new DraftEditCommand(*this, edits, what));
}

std::string DraftDocument::saveTo(const QString& path)
{
    std::vector<JobValue> values;
    for (const JobFileEntry& entry : draft_.entries()) values.push_back({entry.key, entry.value});
    const auto failure = saveJobFile(std::filesystem::path(QFile::encodeName(path).toStdString()), values);
    if (failure) return failure->message;
    path_ = path;
    history_.setClean();
    return {};
}

}  // namespace kestrane
