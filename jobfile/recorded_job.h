// One job of the data-input button with the job files around it, as the
// window and the replay tool both run it: the values taken from an opened
// job file where it holds them, every accepted value recorded (and
// journaled), the journal ended with the way the job ended, and the file's
// lines the job never asked for gathered for the surveyor.
#pragma once

#include <string>
#include <vector>

#include "chain/chain_survey.h"
#include "job/data_input_job.h"
#include "jobfile/job_file.h"
#include "jobfile/job_recording.h"

namespace kestrane {

struct RecordedJobOutcome {
    JobOutcome outcome;
    std::vector<JobFileEntry> unused;  // the opened file's lines whose keys were never asked, in file order
};

// file: the job file opened for the job, or nullptr for a job typed whole.
RecordedJobOutcome runRecordedJob(ChainSurvey& job, InputBox& inputBox, WindowFields& fields, JobFile* file,
                                  JobRecording& recording);

// The message that names the unused lines, at most a screenful of them.
std::string unusedValuesMessage(const std::string& fileName, const std::vector<JobFileEntry>& unused);

}  // namespace kestrane
