// The folder of journals: one file a job, named by the local time the job
// started, "YYYYMMDD-hhmmss.kjob"; a second job started in the same second is
// "YYYYMMDD-hhmmss_02.kjob", and so on to _99. The names sort as the jobs
// started (for the time the clock gives), so the newest is the last name.
// Files of other names in the folder are neither counted nor touched.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "jobfile/journal.h"

namespace kestrane {

// How many journals the folder keeps: those of the last 50 jobs.
inline constexpr int journalsKept = 50;

// The file name of the journal of a job started at that time; sequence 1 is
// the first job of that second.
std::string journalFileName(JobFileClock::time_point startedAt, int sequence = 1);

bool isJournalFileName(std::string_view name);

// The journals in the folder, newest first.
std::vector<std::filesystem::path> journalsNewestFirst(const std::filesystem::path& folder);

std::optional<std::filesystem::path> newestJournal(const std::filesystem::path& folder);

// Deletes all but the newest `kept` journals; a file that cannot be deleted
// is left.
void keepNewestJournals(const std::filesystem::path& folder, int kept = journalsKept);

// Starts the journal of a job begun at startedAt in the folder (created when
// missing) under a name no other journal has, then keeps the newest
// journalsKept journals, the new one among them.
JournalStart startJournalInFolder(const std::filesystem::path& folder, JobFileClock::time_point startedAt);

// Ends the journal at path, whose job did not end, with the line of how the
// job that continued it ended: a journal continued to its end is no longer
// unfinished. On the disk before it returns; a journal that has ended
// already is left as it is.
std::optional<WriteFailure> endContinuedJournal(const std::filesystem::path& path, JobEnd how);

}  // namespace kestrane
