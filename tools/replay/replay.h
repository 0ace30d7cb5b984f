// The replay tool: a job driven by a transcript instead of a surveyor.
//
// Each transcript line is one entry: "@data" presses the data-input button,
// "@print" the print button, "@export FORMAT PATH" the export menu's entry,
// "@cancel" cancels the open input box, "@abort" abandons the job at a
// warning that offers it, "@@text" types "@text", and any other line (the
// empty one too) is typed into the open input box. The
// log is JSON Lines: every input box, field, caption, warning and job end as
// it happens, and last the final text of every field.
#pragma once

#include <cstddef>
#include <ostream>
#include <string_view>

#include "tools/replay/job_file_options.h"

namespace kestrane::replay {

// Exit statuses of the tool.
inline constexpr int statusDone = 0;         // transcript used up, no input box waiting
inline constexpr int statusMisplaced = 2;    // ran out with a box open, or a line that cannot apply
inline constexpr int statusUnreadable = 1;   // the transcript file cannot be read

// Larger transcripts are refused unread: the largest job takes some 40 000
// entries, half a megabyte.
inline constexpr std::size_t maxTranscriptBytes = 16u << 20;

// Replays the transcript, writes the log and returns statusDone or
// statusMisplaced; options name the job file to open first and the journal
// to write.
int replayTranscript(std::string_view transcript, std::ostream& log, const JobFileOptions& options = {});

}  // namespace kestrane::replay
