#include "jobfile/journal_folder.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fstream>

#include "chain/text.h"
#include "files/durable_file.h"

#include <fcntl.h>
#include <unistd.h>

namespace kestrane {
namespace {

constexpr std::string_view journalExtension = ".kjob";
constexpr int lastSequence = 99;

bool digitsAt(std::string_view name, std::size_t at, std::size_t count)
{
    return name.size() >= at + count && allDigits(name.substr(at, count));
}

}  // namespace

std::string journalFileName(JobFileClock::time_point startedAt, int sequence)
{
    const std::tm local = localTimeOf(startedAt);
    char stem[64];
    std::snprintf(stem, sizeof stem, "%04d%02d%02d-%02d%02d%02d", local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    std::string name = stem;
    if (sequence > 1) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, "_%02d", sequence);
        name += suffix;
    }
    return name + std::string(journalExtension);
}

// "YYYYMMDD-hhmmss.kjob" or "YYYYMMDD-hhmmss_NN.kjob".
bool isJournalFileName(std::string_view name)
{
    if (name.size() < journalExtension.size() ||
        name.substr(name.size() - journalExtension.size()) != journalExtension)
        return false;
    const std::string_view stem = name.substr(0, name.size() - journalExtension.size());
    const bool time = digitsAt(stem, 0, 8) && stem.size() >= 15 && stem[8] == '-' && digitsAt(stem, 9, 6);
    if (!time) return false;
    return stem.size() == 15 || (stem.size() == 18 && stem[15] == '_' && digitsAt(stem, 16, 2));
}

std::vector<std::filesystem::path> journalsNewestFirst(const std::filesystem::path& folder)
{
    std::vector<std::filesystem::path> journals;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (entry.is_regular_file(error) && isJournalFileName(entry.path().filename().string()))
            journals.push_back(entry.path());
    }
    std::sort(journals.begin(), journals.end(),
              [](const auto& a, const auto& b) { return a.filename().string() > b.filename().string(); });
    return journals;
}

std::optional<std::filesystem::path> newestJournal(const std::filesystem::path& folder)
{
    const auto journals = journalsNewestFirst(folder);
    if (journals.empty()) return std::nullopt;
    return journals.front();
}

void keepNewestJournals(const std::filesystem::path& folder, int kept)
{
    const auto journals = journalsNewestFirst(folder);
    std::error_code error;
    for (std::size_t i = static_cast<std::size_t>(std::max(kept, 0)); i < journals.size(); ++i)
        std::filesystem::remove(journals[i], error);
}

JournalStart startJournalInFolder(const std::filesystem::path& folder, JobFileClock::time_point startedAt)
{
    if (auto failure = createFolders(folder, "创建作业日志文件夹")) return *failure;

    for (int sequence = 1;; ++sequence) {
        const std::filesystem::path path = folder / journalFileName(startedAt, sequence);
        JournalStart started = Journal::start(path, startedAt, ExistingFile::keep);
        const auto* failure = std::get_if<WriteFailure>(&started);
        if (failure && failure->error == EEXIST && sequence < lastSequence) continue;
        if (!failure) keepNewestJournals(folder, journalsKept);
        return started;
    }
}

std::optional<WriteFailure> endContinuedJournal(const std::filesystem::path& path, JobEnd how)
{
    if (journalFileEnded(path)) return std::nullopt;
    // A job killed half way may have left its last line without its end.
    std::string bytes = journalEndLine(how) + "\n";
    {
        std::ifstream journal(path, std::ios::binary | std::ios::ate);
        if (journal && journal.tellg() > 0) {
            journal.seekg(-1, std::ios::end);
            if (journal.get() != '\n') bytes.insert(bytes.begin(), '\n');
        }
    }
    const std::string doing = "写入作业日志";
    const int fd = open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (fd < 0) return writeFailure(doing, path, errno);
    auto failure = writeDurably(fd, bytes, doing, path);
    close(fd);
    return failure;
}

}  // namespace kestrane
