// Writing a whole job file (save): a header comment with the program version
// and the date, "kestrane-job 1", then one "KEY = VALUE" a line in the order
// a job asks for the values, with "# 三角形 i" before the angles of triangle
// i. Values are written plain, or quoted where the plain form would not read
// back (see value_quoting.h).
#pragma once

#include <chrono>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/durable_file.h"

namespace kestrane {

// A value accepted by a job, under its key ("xa", "A3").
struct JobValue {
    std::string key;
    std::string value;
};

using JobFileClock = std::chrono::system_clock;

// The calendar date and time of day, local time.
std::tm localTimeOf(JobFileClock::time_point time);

// "YYYY-MM-DD hh:mm:ss" in local time.
std::string localTimeText(JobFileClock::time_point time);

// "# Kestrane 作业文件 — 程序版本 V,<event> <local time>".
std::string headerComment(const std::string& event, JobFileClock::time_point time);

// "KEY = VALUE", or "KEY =" for an empty value; no line end.
std::string valueLine(std::string_view key, std::string_view value);

// "# 三角形 i", written before the angles of triangle i.
std::string triangleComment(int triangle);

// The file text of a job's values, given in the order they were accepted:
// the last value of each key counts, and keys are written in the order of
// asking. Throws std::invalid_argument for a key that is unknown or outside
// the chain of the values' n, which no job accepts.
std::string jobFileText(const std::vector<JobValue>& values, JobFileClock::time_point savedAt);

// Saves the values to path, replacing any file there all at once; the failure
// when the file could not be written (then any former file is untouched).
std::optional<WriteFailure> saveJobFile(const std::filesystem::path& path, const std::vector<JobValue>& values,
                                        JobFileClock::time_point savedAt = JobFileClock::now());

}  // namespace kestrane
