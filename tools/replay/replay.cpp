#include "tools/replay/replay.h"

#include <array>
#include <map>
#include <string>
#include <vector>

#include "analysis/grades.h"
#include "chain/chain_survey.h"
#include "chain/text.h"
#include "dialogue/job_signals.h"
#include "job/data_input_job.h"
#include "job/last_complete_job.h"
#include "jobfile/recorded_job.h"
#include "job/print_texts.h"
#include "report/report.h"
#include "tools/replay/analysis_event.h"
#include "tools/replay/export_entry.h"
#include "tools/replay/job_file_options.h"
#include "tools/replay/json_log.h"
#include "tools/replay/transcript.h"

namespace kestrane::replay {
namespace {

const std::string_view dataEntry = "@data";
const std::string_view printEntry = "@print";
const std::string_view cancelEntry = "@cancel";
const std::string_view abortEntry = "@abort";
const std::string_view analysisEntry = "@analysis";

// "@analysis" or "@analysis GRADE".
bool isAnalysisEntry(std::string_view entry)
{
    return entry == analysisEntry ||
           (entry.rfind(analysisEntry, 0) == 0 && entry.size() > analysisEntry.size() &&
            entry[analysisEntry.size()] == ' ');
}

// What "@analysis GRADE" names after its blank; empty for "@analysis".
std::string_view analysisGradeName(std::string_view entry)
{
    return entry == analysisEntry ? std::string_view() : trimmedBlanks(entry.substr(analysisEntry.size()));
}

class Transcript {
public:
    explicit Transcript(std::string_view text) : lines_(transcriptLines(text)) {}

    bool atEnd() const { return next_ == lines_.size(); }
    std::string_view peek() const { return lines_[next_]; }
    std::string_view take() { return lines_[next_++]; }

private:
    std::vector<std::string_view> lines_;
    std::size_t next_ = 0;
};

const char* jobEndName(JobEnd end)
{
    switch (end) {
    case JobEnd::done: return "done";
    case JobEnd::abandoned: return "abandoned";
    case JobEnd::stopped: return "stopped";
    }
    return "";
}

// Plays the surveyor at the input box and stands in for the window's fields,
// logging everything that happens.
class ReplaySession final : public InputBox, public WindowFields {
public:
    ReplaySession(Transcript& transcript, std::ostream& log) : transcript_(transcript), log_(log)
    {
        for (const Label label : changeableLabels) captions_[label] = initialCaption(label);
    }

    // Set when the job had to be given up because of the transcript.
    bool misplaced() const { return misplaced_; }

    std::string ask(const std::string& prompt, const std::string& title) override
    {
        if (transcript_.atEnd()) giveUpJob();
        const std::string_view entry = transcript_.peek();
        if (entry == dataEntry || entry == printEntry || isAnalysisEntry(entry) || isExportEntry(entry) ||
            entry == abortEntry)
            giveUpJob();
        transcript_.take();

        const bool cancel = entry == cancelEntry;
        std::string answer;
        if (!cancel) answer = entry.substr(entry.rfind("@@", 0) == 0 ? 1 : 0);
        write(JsonObject().add("ask", prompt).add("title", title).add("answer", answer).add("cancel", cancel));
        return answer;
    }

    void answeredFromFile(const std::string& prompt, const std::string& title, const std::string& answer) override
    {
        write(JsonObject().add("ask", prompt).add("title", title).add("answer", answer).add("cancel", false).add(
            "from", "file"));
    }

    bool warn(const std::string& message, bool canAbandon) override
    {
        const bool abandon = canAbandon && !transcript_.atEnd() && transcript_.peek() == abortEntry;
        if (abandon) transcript_.take();
        write(JsonObject().add("warn", message).add("canAbort", canAbandon).add("abort", abandon));
        return abandon;
    }

    void setText(Field field, const std::string& text) override
    {
        fields_[windowNumber(field)] = text;
        write(JsonObject().add("set", windowId(field)).add("text", text));
    }

    void setCaption(Label label, const std::string& caption) override
    {
        captions_[label] = caption;
        write(JsonObject().add("caption", windowId(label)).add("text", caption));
    }

    void write(const JsonObject& event) { log_ << event.str() << '\n'; }

    void writeFinalFields()
    {
        JsonObject fields;
        for (int number = 1; number <= fieldCount; ++number) fields.add(windowId(fieldNumbered(number)), fields_[number]);
        JsonObject captions;
        for (const Label label : changeableLabels) captions.add(windowId(label), captions_[label]);
        write(JsonObject().addRaw("fields", fields.str()).addRaw("captions", captions.str()));
    }

private:
    [[noreturn]] void giveUpJob()
    {
        misplaced_ = true;
        throw JobAbandoned{};
    }

    Transcript& transcript_;
    std::ostream& log_;
    std::array<std::string, fieldCount + 1> fields_;
    std::map<Label, std::string> captions_;
    bool misplaced_ = false;
};

std::string reportJson(const std::vector<ReportLine>& lines)
{
    std::string json = "[";
    for (const ReportLine& line : lines) {
        if (json.size() > 1) json += ", ";
        std::string items = "[";
        for (const ReportItem& item : line.items) {
            if (items.size() > 1) items += ", ";
            switch (item.kind) {
            case ReportItem::Kind::column: items += JsonObject().add("col", item.column).str(); break;
            case ReportItem::Kind::text: items += JsonObject().add("text", item.text).str(); break;
            case ReportItem::Kind::number: items += JsonObject().add("number", static_cast<long long>(item.number)).str(); break;
            }
        }
        json += JsonObject().add("size", line.pointSize).addRaw("items", items + "]").str();
    }
    return json + "]";
}

}  // namespace

int replayTranscript(std::string_view text, std::ostream& log, const JobFileOptions& options)
{
    Transcript transcript(text);
    ReplaySession session(transcript, log);
    ChainSurvey job;
    LastCompleteJob lastComplete;
    std::optional<Grade> lastCompleteGrade;  // the job file's grade of the last complete job
    int status = statusDone;
    const JobFileReplay jobFiles(options, session);

    // One job, typed (file is null) or opened from a job file, journaled
    // when --save-job asks for it.
    const auto runJob = [&](JobFile* file) {
        JobRecording recording = jobFiles.startRecording();
        const RecordedJobOutcome run = runRecordedJob(job, session, session, file, recording);
        const JobOutcome& outcome = run.outcome;
        if (!run.unused.empty()) log << unusedEvent(run.unused) << '\n';
        JsonObject event;
        event.add("job", jobEndName(outcome.end));
        if (outcome.end == JobEnd::stopped) event.add("reason", outcome.reason);
        session.write(event);
        lastComplete.jobEnded(job, outcome.end);
        if (outcome.end == JobEnd::done) lastCompleteGrade = run.grade;
        if (session.misplaced()) status = statusMisplaced;
    };

    if (!options.job.empty()) {
        JobFileReading opened = jobFiles.openJob();
        if (auto* file = std::get_if<JobFile>(&opened)) runJob(file);
        else log << openRefusedEvent(std::get<JobFileRefusal>(opened)) << '\n';
    }

    while (!transcript.atEnd() && status == statusDone) {
        const std::string_view entry = transcript.take();
        if (entry == dataEntry) {
            runJob(nullptr);
        } else if (entry == printEntry) {
            if (const ChainSurvey* printed = jobToPrint(lastComplete, session))
                session.write(JsonObject().addRaw("report", reportJson(buildReport(*printed))));
            else
                session.write(JsonObject().add("print", "refused").add("reason", print_texts::refusal));
        } else if (isAnalysisEntry(entry)) {
            const std::string_view gradeName = analysisGradeName(entry);
            if (gradeName.empty()) {
                session.write(analysisEvent(analysisOfCompleteJob(lastComplete.job(), lastCompleteGrade)));
            } else if (const auto grade = standardGrade(gradeName)) {
                session.write(analysisEvent(analysisOfCompleteJob(lastComplete.job(), grade)));
            } else {
                session.write(analysisEvent({std::nullopt, unknownGradeReason(gradeName)}));
            }
        } else if (isExportEntry(entry)) {
            session.write(exportEvent(entry, lastComplete.job(), lastCompleteGrade));
        } else {
            // An answer, a cancel or an abort with no input box or warning open.
            status = statusMisplaced;
        }
    }
    session.writeFinalFields();
    return status;
}

}  // namespace kestrane::replay
