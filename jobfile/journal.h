// The journal of a job: a job file written while the job is typed, one value
// appended and forced to the disk the moment it is accepted, so that killing
// the program loses at most the value being typed. A value asked again is
// appended again (the last line counts when the journal is read).
//
// When the job ends (done, abandoned or stopped) the journal gets one last
// comment line, "# 作业结束:完成", "# 作业结束:放弃" or "# 作业结束:中止".
//
// Values a job takes from a job file may be appended without forcing each
// one (no box opens between them, and the file they came from is on the disk
// already); force() puts them on the disk before the next box opens.
// A journal whose last line is not one of these belongs to a job that did not
// end: the job can be continued by opening the journal.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "files/durable_file.h"
#include "job/job_end.h"
#include "jobfile/job_file_writer.h"

namespace kestrane {

class Journal;

// When an appended value goes to the disk: before append returns, or at the
// next force() (or end()).
enum class Forcing { now, later };

// What starting a journal gives: the journal, or why it could not be written.
using JournalStart = std::variant<Journal, WriteFailure>;

// A journal is written through the durable writer (files/durable_file.h):
// a symbolic link at its path is followed; a folder, a device, a named pipe
// or a socket there is refused; a file there is replaced only once the new
// journal's first lines are on the disk. A write the disk refuses halfway is
// cut back, so that the journal never ends in half a line; a journal removed
// or replaced by another file while its job runs is noticed at the next
// value and given up with a failure that says so.
class Journal {
public:
    // Starts a journal at path (existing: what to do with a file there, as
    // the durable writer has it) with its header comment and
    // "kestrane-job 1", on the disk before it returns.
    static JournalStart start(const std::filesystem::path& path, JobFileClock::time_point startedAt,
                              ExistingFile existing = ExistingFile::replace);

    Journal(Journal&& other) noexcept;
    Journal& operator=(Journal&& other) noexcept;
    Journal(const Journal&) = delete;
    Journal& operator=(const Journal&) = delete;
    ~Journal();

    // Appends an accepted value, preceded by "# 三角形 i" when it is the
    // angle A of triangle i, and forces it to the disk unless told later.
    // Throws std::invalid_argument for a key no job asks.
    std::optional<WriteFailure> append(std::string_view key, std::string_view value, Forcing forcing = Forcing::now);

    // Forces the values appended with Forcing::later to the disk.
    std::optional<WriteFailure> force();

    // Appends the line that says how the job ended, forced to the disk with
    // everything before it.
    std::optional<WriteFailure> end(JobEnd how);

    const std::filesystem::path& path() const { return path_; }

private:
    Journal(std::filesystem::path path, int fd, std::uintmax_t size) : path_(std::move(path)), fd_(fd), size_(size) {}
    std::optional<WriteFailure> write(const std::string& lines, Forcing forcing);
    WriteFailure goneFailure() const;

    std::filesystem::path path_;
    int fd_ = -1;
    std::uintmax_t size_ = 0;       // bytes of the whole lines written
    std::optional<int> triangles_;  // the n appended, for the check of indexed keys
    bool unforced_ = false;         // values appended with Forcing::later since the last fsync
};

// The comment line that ends a journal.
std::string journalEndLine(JobEnd how);

// How the journal's job ended, when the text ends with the end line (blank
// lines after it aside); nothing for a job that did not end.
std::optional<JobEnd> journalEnd(std::string_view text);

// The same for a file, read from its last few kilobytes; nothing (not ended)
// when the file cannot be read.
std::optional<JobEnd> journalFileEnd(const std::filesystem::path& path);
inline bool journalFileEnded(const std::filesystem::path& path) { return journalFileEnd(path).has_value(); }

}  // namespace kestrane
