#include "jobfile/job_recording.h"

namespace kestrane {

std::string journalFailureNotice(const WriteFailure& failure)
{
    return failure.message +
           "\n本次计算照常进行,但此后输入的数值不再记入作业日志;"
           "计算结束后可以用“文件 → 保存作业…”把本次计算的全部数值保存到别处。";
}

JobRecording::JobRecording(InputBox& box, std::optional<Journal> journal) : box_(box), journal_(std::move(journal)) {}

JobRecording recordingInto(InputBox& box, JournalStart started)
{
    if (auto* journal = std::get_if<Journal>(&started)) return JobRecording(box, std::move(*journal));
    box.warn(journalFailureNotice(std::get<WriteFailure>(started)), false);
    return JobRecording(box);
}

void JobRecording::accepted(const std::string& key, const std::string& value, ValueOrigin origin)
{
    values_.push_back({key, value});
    if (!journal_) return;
    const Forcing forcing = origin == ValueOrigin::file ? Forcing::later : Forcing::now;
    if (auto failure = journal_->append(key, value, forcing)) giveUpJournal(*failure);
}

void JobRecording::beforeBox()
{
    if (!journal_) return;
    if (auto failure = journal_->force()) giveUpJournal(*failure);
}

void JobRecording::ended(JobEnd end)
{
    if (!journal_) return;
    if (auto failure = journal_->end(end)) giveUpJournal(*failure);
    journal_.reset();
}

void JobRecording::giveUpJournal(const WriteFailure& failure)
{
    journal_.reset();
    box_.warn(journalFailureNotice(failure), false);
}

}  // namespace kestrane
