// A job file as the source of a job's values: each prompt whose key the file
// holds is answered with the file's value (the last line that gives it), and
// every key the job asks counts as used, so that the lines it never asked
// for can be reported when it ends.
#pragma once

#include "dialogue/value_sources.h"
#include "jobfile/job_file.h"

namespace kestrane {

class JobFileValues final : public ValueSource {
public:
    explicit JobFileValues(JobFile& file) : file_(file) {}

    std::optional<std::string> valueFor(const std::string& key) override;

private:
    JobFile& file_;
};

}  // namespace kestrane
