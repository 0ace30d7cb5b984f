#include "tools/replay/job_check.h"

#include <algorithm>
#include <variant>

#include "chain/display_format.h"
#include "draft/job_draft.h"
#include "jobfile/job_file.h"

namespace kestrane::replay {
namespace {

constexpr int statusRuns = 0;
constexpr int statusAsks = 1;

std::string oneLine(std::string text)
{
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

std::string keysOf(const std::vector<JobKey>& keys)
{
    std::string text;
    for (const JobKey& key : keys) text += (text.empty() ? "" : ",") + key.text();
    return text;
}

// "FILE:LINE: " or "FILE: " for no line.
std::string at(const std::string& path, int line)
{
    return path + (line > 0 ? ":" + std::to_string(line) : std::string()) + ": ";
}

// The reader's refusal without the file and line it begins with, which the
// finding names already.
std::string refusalText(const JobFileRefusal& refusal, const std::string& path)
{
    std::string text = refusal.message;
    for (const std::string& prefix : {"作业文件 " + path + ":", "第 " + std::to_string(refusal.line) + " 行:"})
        if (text.rfind(prefix, 0) == 0) text.erase(0, prefix.size());
    return oneLine(text);
}

}  // namespace

int checkJobFile(const std::string& path, std::ostream& out)
{
    const JobFileReading reading = readJobFile(path, path);
    if (const auto* refusal = std::get_if<JobFileRefusal>(&reading)) {
        out << at(path, refusal->line) << refusalText(*refusal, path) << '\n';
        return statusAsks;
    }
    const JobDraft draft = JobDraft::ofFile(std::get<JobFile>(reading));

    std::vector<DraftFault> faults = draft.faults();
    std::vector<JobKey> missing;
    for (const JobKey& key : draft.missingKeys()) {
        // A line with an empty value: a job refuses it as it refuses an empty box.
        if (draft.line(key) > 0) faults.push_back({{key}, *readingOf(key.family).check("")});
        else missing.push_back(key);
    }
    std::stable_sort(faults.begin(), faults.end(), [](const DraftFault& a, const DraftFault& b) {
        return fieldBookBefore(a.keys.front(), b.keys.front());
    });
    for (const DraftFault& fault : faults) {
        int line = 0;
        for (const JobKey& key : fault.keys) line = line ? line : draft.line(key);
        out << at(path, line) << keysOf(fault.keys) << ": " << oneLine(fault.refusal.warning) << '\n';
    }
    for (const JobKey& key : missing)
        out << at(path, 0) << key.text() << ": 缺少数值(" << keyMeaning(key) << "),计算时将询问\n";
    const std::vector<int> over = draft.trianglesOverTolerance();
    for (const int i : over) {
        out << at(path, draft.line({KeyFamily::angleC, i})) << 'w' << i << ": 三角形 " << i << " 的闭合差 "
            << formatRounded(*draft.misclosure(i), 2) << " 秒,超过限差 " << draft.text({KeyFamily::tolerance, 0})
            << " 秒\n";
    }
    const std::vector<JobKey> unused = draft.unusedKeys();
    for (const JobKey& key : unused)
        out << at(path, draft.line(key)) << key.text() << ": 不会询问这个数值," << draft.closedReason(key) << '\n';

    out << at(path, 0) << "错误 " << faults.size() << " 处,缺少 " << missing.size() << " 个数值,闭合差超过限差的三角形 "
        << over.size() << " 个,不会用到的数值 " << unused.size() << " 个\n";
    return faults.empty() && missing.empty() ? statusRuns : statusAsks;
}

}  // namespace kestrane::replay
