// The values a job accepts, as it accepts them: kept for "save" (the last
// job's values, complete or not) and appended to the job's journal on the
// disk when it has one. A journal that cannot be written (a full disk, a
// folder taken away) is given up with one warning; the job goes on, and its
// values can still be saved when it ends.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "dialogue/input_box.h"
#include "dialogue/value_sources.h"
#include "job/data_input_job.h"
#include "jobfile/journal.h"

namespace kestrane {

// What the surveyor is told when the journal cannot be started or written.
std::string journalFailureNotice(const WriteFailure& failure);

class JobRecording final : public ValueRecorder {
public:
    // Records into memory only (no journal), or into memory and journal;
    // warnings go to the surveyor through box.
    explicit JobRecording(InputBox& box, std::optional<Journal> journal = std::nullopt);

    // A value from a file is appended unforced: the next box, or the job's
    // end, forces it to the disk with those after it.
    void accepted(const std::string& key, const std::string& value, ValueOrigin origin) override;
    void beforeBox() override;

    // Writes the journal's end line: the job ran to its end, was abandoned or stopped.
    void ended(JobEnd end);

    // Every value accepted, in order, a value accepted again listed again.
    const std::vector<JobValue>& values() const { return values_; }

    // The journal still being written, if any.
    const Journal* journal() const { return journal_ ? &*journal_ : nullptr; }

private:
    void giveUpJournal(const WriteFailure& failure);

    InputBox& box_;
    std::optional<Journal> journal_;
    std::vector<JobValue> values_;
};

// The start of a job's journal, in the window and in the replay tool alike:
// what the job records into once its journal has been started (or could not
// be). The journal when it was started; memory only when not, and the
// surveyor is told so through box before the job's first prompt.
JobRecording recordingInto(InputBox& box, JournalStart started);

}  // namespace kestrane
