#include <algorithm>
#include <map>
#include <stdexcept>

#include "chain/utf8.h"
#include "checks/reader_checks.h"
#include "draft/job_draft.h"
#include "jobfile/job_keys.h"
#include "jobfile/job_file.h"
#include "jobfile/job_file_writer.h"
#include "jobfile/journal.h"

namespace kestrane::fuzz {
namespace {

const std::string fileName = "fuzz.kjob";

constexpr int draftTrianglesChecked = 12;

int linesIn(std::string_view bytes)
{
    return static_cast<int>(std::count(bytes.begin(), bytes.end(), '\n')) + 1;
}

std::map<std::string, std::string> valuesOf(const JobFile& file)
{
    std::map<std::string, std::string> values;
    for (const JobFileEntry& entry : file.entries()) values[entry.key] = file.find(entry.key)->value;
    return values;
}

// A refusal names a line of the file (the line after the last line break at
// most, where a file that ends early is found wanting), in its message too.
std::string checkRefusal(const JobFileRefusal& refusal, std::string_view bytes)
{
    if (refusal.line < 1 || refusal.line > linesIn(bytes))
        return "refusal at line " + std::to_string(refusal.line) + " of a file of " +
               std::to_string(linesIn(bytes)) + " lines";
    if (refusal.message.find("第 " + std::to_string(refusal.line) + " 行") == std::string::npos)
        return "refusal message does not name its line: " + refusal.message;
    if (!utf8::isWellFormed(refusal.message)) return "refusal message is not UTF-8";
    return {};
}

// A file that is read is saved, and the saved text reads back to the same
// value of every key.
std::string checkSavedAgain(const JobFile& file)
{
    std::vector<JobValue> values;
    for (const JobFileEntry& entry : file.entries()) values.push_back({entry.key, entry.value});
    std::string saved;
    try {
        saved = jobFileText(values, JobFileClock::time_point{});
    } catch (const std::invalid_argument& error) {
        return std::string("a file read cannot be saved: ") + error.what();
    }
    const JobFileReading again = parseJobFile(saved, fileName);
    if (const auto* refusal = std::get_if<JobFileRefusal>(&again))
        return "the saved file is refused: " + refusal->message;
    if (valuesOf(std::get<JobFile>(again)) != valuesOf(file)) return "the saved file reads back to other values";
    return {};
}

// The job editor opens the file as a draft: every value it holds comes from
// the last line of its key, and its checks run on whatever the file gives.
std::string checkDraft(const JobFile& file)
{
    // A draft is laid out for every triangle of its chain: the long chains
    // would slow the fuzzing thirtyfold and reach no branch of the reader.
    int reach = file.triangleCount().value_or(0);
    for (const JobFileEntry& entry : file.entries()) reach = std::max(reach, parseKey(entry.key)->index);
    if (reach > draftTrianglesChecked) return {};
    const JobDraft draft = JobDraft::ofFile(file);
    for (const JobFileEntry& entry : file.entries()) {
        const JobKey key = *parseKey(entry.key);
        if (draft.holds(key) && draft.line(key) != file.find(entry.key)->line)
            return "the draft takes " + entry.key + " from another line than the last";
    }
    (void)draft.faults();
    (void)draft.missingKeys();
    (void)openingNotice(file, draft);
    return {};
}

std::string checkReading(std::string_view bytes, LastLine lastLine)
{
    const JobFileReading reading = parseJobFile(bytes, fileName, lastLine);
    if (const auto* refusal = std::get_if<JobFileRefusal>(&reading)) return checkRefusal(*refusal, bytes);
    const JobFile& file = std::get<JobFile>(reading);
    for (const JobFileEntry& entry : file.entries())
        if (entry.line < 1 || entry.line > linesIn(bytes)) return "a value read from outside the file's lines";
    if (std::string fault = checkDraft(file); !fault.empty()) return fault;
    return checkSavedAgain(file);
}

}  // namespace

std::string checkJobFile(std::string_view bytes)
{
    if (std::string fault = checkReading(bytes, LastLine::read); !fault.empty()) return fault;
    return checkReading(bytes, LastLine::dropUnfinished);
}

std::string checkJournalResume(std::string_view bytes)
{
    // Resuming leaves out a last line without its line end, and reads the
    // rest exactly as a finished file of those lines.
    const std::size_t lastBreak = bytes.rfind('\n');
    const std::string_view finished = lastBreak == std::string_view::npos ? std::string_view() : bytes.substr(0, lastBreak + 1);
    const JobFileReading resumed = parseJobFile(bytes, fileName, LastLine::dropUnfinished);
    const JobFileReading whole = parseJobFile(finished, fileName, LastLine::read);
    if (resumed.index() != whole.index()) return "an unfinished last line changes whether the journal is read";
    if (const auto* refusal = std::get_if<JobFileRefusal>(&resumed)) {
        if (refusal->message != std::get<JobFileRefusal>(whole).message)
            return "an unfinished last line changes the refusal";
    } else if (valuesOf(std::get<JobFile>(resumed)) != valuesOf(std::get<JobFile>(whole))) {
        return "an unfinished last line changes the values";
    }

    // The end line is found where it is the last line, and only there.
    const std::optional<JobEnd> end = journalEnd(bytes);
    if (end && bytes.find(journalEndLine(*end)) == std::string_view::npos) return "a job end found without its line";
    std::string ended(bytes);
    ended += "\n" + journalEndLine(JobEnd::stopped) + "\n";
    if (journalEnd(ended) != JobEnd::stopped) return "an end line appended is not found";
    return {};
}

}  // namespace kestrane::fuzz
