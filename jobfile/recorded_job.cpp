#include "jobfile/recorded_job.h"

#include <optional>

#include "jobfile/job_file_values.h"
#include "jobfile/job_keys.h"
#include "chain/utf8.h"

namespace kestrane {
namespace {

// More lines than this are summed up in one line: the message must fit a screen.
constexpr std::size_t unusedLinesListed = 15;

}  // namespace

RecordedJobOutcome runRecordedJob(ChainSurvey& job, InputBox& inputBox, WindowFields& fields, JobFile* file,
                                  JobRecording& recording, const std::optional<Grade>& grade)
{
    std::optional<Grade> jobGrade = grade;
    if (file) {
        jobGrade = gradeOf(*file);
        markGradeUsed(*file);
    }
    if (jobGrade)
        for (const JobValue& value : gradeValues(*jobGrade)) recording.accepted(value.key, value.value, ValueOrigin::file);
    std::optional<JobFileValues> values;
    if (file) values.emplace(*file);
    const JobOutcome outcome =
        runDataInputJob(job, inputBox, fields, {values ? &*values : nullptr, &recording});
    recording.ended(outcome.end);
    RecordedJobOutcome recorded{outcome, {}, jobGrade};
    if (file) recorded.unused = file->unusedEntries();
    return recorded;
}

std::string unusedValuesMessage(const std::string& fileName, const std::vector<JobFileEntry>& unused)
{
    std::string message = "作业文件 " + fileName + " 中有 " + std::to_string(unused.size()) +
                          " 行数值本次计算没有用到(计算没有询问这些数值):\n";
    for (std::size_t i = 0; i < unused.size() && i < unusedLinesListed; ++i) {
        const JobFileEntry& entry = unused[i];
        // A value typed into the job editor's table has no line.
        message += entry.line > 0 ? "  第 " + std::to_string(entry.line) + " 行:" : std::string("  ");
        message += entry.key + " = " + utf8::excerpt(entry.value, 24);
        if (const auto key = parseKey(entry.key)) message += "(" + keyMeaning(*key) + ")";
        message += "\n";
    }
    if (unused.size() > unusedLinesListed)
        message += "  ……另有 " + std::to_string(unused.size() - unusedLinesListed) + " 行。\n";
    return message + "请检查作业文件:这些数值也许写错了键,或者不属于这种布设的三角锁。";
}

}  // namespace kestrane
