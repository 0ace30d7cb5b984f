#include "jobfile/job_file_values.h"

namespace kestrane {

std::optional<std::string> JobFileValues::valueFor(const std::string& key)
{
    file_.markUsed(key);
    if (const JobFileEntry* entry = file_.find(key)) return entry->value;
    return std::nullopt;
}

}  // namespace kestrane
