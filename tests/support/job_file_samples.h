// Shared by the job-file tests: generated jobs whose values exercise every
// way of writing a value, the values a reader should give back, and short
// ways to parse a text and look at the result.
#pragma once

#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "jobfile/job_file.h"
#include "jobfile/job_file_writer.h"
#include "jobfile/job_keys.h"

namespace kestrane::testing {

// A random layout and n (1..maxTriangles), every key asked with a value:
// numbers for numbers, names from a pool of awkward texts (blanks at the
// ends, quotes, control characters, Chinese, empty, U+FEFF, invalid UTF-8).
// Some values are accepted twice, as after a re-entry.
std::vector<JobValue> generatedJob(std::mt19937& random, int maxTriangles = 6);

// What a reader gives back for the values: the last of each key.
std::map<std::string, std::string> lastValues(const std::vector<JobValue>& values);

// What a parsed file gives for every key it holds.
std::map<std::string, std::string> valuesOf(const JobFile& file);

// The same for bytes that must parse (std::bad_variant_access when refused).
std::map<std::string, std::string> valuesRead(std::string_view bytes, LastLine lastLine = LastLine::read);

// A line that spoils any valid file, whatever its n, inserted before a line
// after the format line of a file written by jobFileText; its line number.
int plantFault(std::string& text, std::mt19937& random);

int lineCount(const std::string& text);

// "kestrane-job 1\n" followed by the lines.
std::string jobText(const std::string& lines);

// A folder of its own under the system's temporary folder, removed at the end.
struct ScratchFolder {
    ScratchFolder();
    ~ScratchFolder();
    std::filesystem::path path;
};

}  // namespace kestrane::testing
