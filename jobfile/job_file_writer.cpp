#include "jobfile/job_file_writer.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <map>
#include <stdexcept>

#include "chain/chain_survey.h"
#include "chain/version.h"
#include "jobfile/job_keys.h"
#include "jobfile/value_quoting.h"

namespace kestrane {
namespace {

struct KeyedValue {
    JobKey key;
    std::string value;
};

// The last value of every key, checked against the chain of the values' n as
// a reader checks it, so that every file written here reads back.
std::vector<KeyedValue> lastValues(const std::vector<JobValue>& values)
{
    std::map<std::string, const std::string*> last;
    for (const JobValue& value : values) last[value.key] = &value.value;

    const auto count = last.count("n") ? triangleCountOf(*last["n"]) : std::nullopt;
    std::vector<KeyedValue> keyed;
    for (const auto& [text, value] : last) {
        const auto key = parseKey(text);
        if (!key) throw std::invalid_argument("job file key unknown: " + text);
        if (!fitsChain(*key, count.value_or(maxTriangleCount)))
            throw std::invalid_argument("job file key outside the chain: " + text);
        keyed.push_back({*key, *value});
    }
    std::sort(keyed.begin(), keyed.end(),
              [](const KeyedValue& a, const KeyedValue& b) { return asksBefore(a.key, b.key); });
    return keyed;
}

bool isAngle(KeyFamily family)
{
    return family == KeyFamily::angleA || family == KeyFamily::angleB || family == KeyFamily::angleC;
}

}  // namespace

std::tm localTimeOf(JobFileClock::time_point time)
{
    const std::time_t seconds = JobFileClock::to_time_t(time);
    std::tm local{};
    localtime_r(&seconds, &local);  // POSIX: the thread-safe form of std::localtime
    return local;
}

std::string localTimeText(JobFileClock::time_point time)
{
    const std::tm local = localTimeOf(time);
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    return text;
}

std::string headerComment(const std::string& event, JobFileClock::time_point time)
{
    return std::string("# Kestrane 作业文件 — 程序版本 ") + programVersion + "," + event + " " + localTimeText(time);
}

std::string valueLine(std::string_view key, std::string_view value)
{
    const std::string written = writtenValue(value);
    return std::string(key) + (written.empty() ? " =" : " = " + written);
}

std::string triangleComment(int triangle)
{
    return "# 三角形 " + std::to_string(triangle);
}

std::string jobFileText(const std::vector<JobValue>& values, JobFileClock::time_point savedAt)
{
    std::string text = headerComment("保存于", savedAt) + "\nkestrane-job 1\n";
    int triangle = 0;  // the triangle whose comment was written last
    for (const KeyedValue& keyed : lastValues(values)) {
        if (isAngle(keyed.key.family) && keyed.key.index != triangle) {
            triangle = keyed.key.index;
            text += triangleComment(triangle) + "\n";
        }
        text += valueLine(keyed.key.text(), keyed.value) + "\n";
    }
    return text;
}

std::optional<WriteFailure> saveJobFile(const std::filesystem::path& path, const std::vector<JobValue>& values,
                                        JobFileClock::time_point savedAt)
{
    return replaceFile(path, jobFileText(values, savedAt), "保存作业文件");
}

}  // namespace kestrane
