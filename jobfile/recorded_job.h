// One job of the data-input button with the job files around it, as the
// window and the replay tool both run it: the values taken from an opened
// job file where it holds them, every accepted value recorded (and
// journaled), the journal ended with the way the job ended, and the file's
// lines the job never asked for gathered for the surveyor.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "chain/chain_survey.h"
#include "job/data_input_job.h"
#include "jobfile/job_file.h"
#include "jobfile/job_file_grade.h"
#include "jobfile/job_recording.h"

namespace kestrane {

struct RecordedJobOutcome {
    JobOutcome outcome;
    std::vector<JobFileEntry> unused;  // the opened file's lines whose keys were never asked, in file order
    std::optional<Grade> grade;        // the grade the job went with: the opened file's, else the one given
};

// file: the job file opened for the job, or nullptr for a job typed whole.
// The job goes with the opened file's grade, or for a typed job with grade;
// it is recorded (and journaled) before the job's first value.
RecordedJobOutcome runRecordedJob(ChainSurvey& job, InputBox& inputBox, WindowFields& fields, JobFile* file,
                                  JobRecording& recording, const std::optional<Grade>& grade = std::nullopt);

// The message that names the unused lines, at most a screenful of them.
std::string unusedValuesMessage(const std::string& fileName, const std::vector<JobFileEntry>& unused);

}  // namespace kestrane
