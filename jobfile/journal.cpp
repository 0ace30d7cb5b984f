#include "jobfile/journal.h"

#include <cerrno>
#include <fstream>
#include <stdexcept>

#include "chain/chain_survey.h"
#include "chain/text.h"
#include "jobfile/job_keys.h"

// POSIX: close.
#include <unistd.h>

namespace kestrane {
namespace {

const std::string writing = "写入作业日志";

// The end line is the last line; a few kilobytes hold it with room to spare.
constexpr std::streamoff endLineSearch = 4096;

constexpr std::string_view blanksAndLineEnds = " \t\r\n";

}  // namespace

std::string journalEndLine(JobEnd how)
{
    switch (how) {
    case JobEnd::done: return "# 作业结束:完成";
    case JobEnd::abandoned: return "# 作业结束:放弃";
    case JobEnd::stopped: return "# 作业结束:中止";
    }
    return {};
}

JournalStart Journal::start(const std::filesystem::path& path, JobFileClock::time_point startedAt,
                            ExistingFile existing)
{
    const std::string head = headerComment("作业开始于", startedAt) + "\nkestrane-job 1\n";
    auto started = startAppendedFile(path, head, writing, existing);
    if (auto* failure = std::get_if<WriteFailure>(&started)) return *failure;
    return Journal(path, std::get<int>(started), head.size());
}

Journal::Journal(Journal&& other) noexcept
    : path_(std::move(other.path_)), fd_(other.fd_), size_(other.size_), triangles_(other.triangles_),
      unforced_(other.unforced_)
{
    other.fd_ = -1;
}

Journal& Journal::operator=(Journal&& other) noexcept
{
    if (this != &other) {
        if (fd_ >= 0) close(fd_);
        path_ = std::move(other.path_);
        fd_ = other.fd_;
        size_ = other.size_;
        triangles_ = other.triangles_;
        unforced_ = other.unforced_;
        other.fd_ = -1;
    }
    return *this;
}

Journal::~Journal()
{
    if (fd_ >= 0) close(fd_);
}

// The failure of a journal that is no longer where it was written.
WriteFailure Journal::goneFailure() const
{
    return {"作业日志“" + path_.string() + "”在计算过程中被删除,或者被另一个文件替换了;"
            "程序不会写入取代它的文件。",
            ENOENT};
}

std::optional<WriteFailure> Journal::write(const std::string& lines, Forcing forcing)
{
    if (forcing == Forcing::now && !stillAtPath(fd_, path_)) return goneFailure();
    auto failure = forcing == Forcing::now ? writeDurably(fd_, lines, writing, path_) : writeAll(fd_, lines, writing, path_);
    if (failure) {
        cutBackTo(fd_, size_);
        return failure;
    }
    size_ += lines.size();
    unforced_ = forcing == Forcing::later;
    return std::nullopt;
}

std::optional<WriteFailure> Journal::force()
{
    if (!unforced_) return std::nullopt;
    unforced_ = false;
    if (!stillAtPath(fd_, path_)) return goneFailure();
    return forceToDisk(fd_, writing, path_);
}

std::optional<WriteFailure> Journal::append(std::string_view keyText, std::string_view value, Forcing forcing)
{
    const auto key = parseKey(keyText);
    if (!key || !fitsChain(*key, triangles_.value_or(maxTriangleCount)))
        throw std::invalid_argument("journal key unknown or outside the chain: " + std::string(keyText));
    if (key->family == KeyFamily::triangleCount) triangles_ = triangleCountOf(value);

    // One write for the comment and the value: a line is on the disk whole or not at all.
    std::string lines;
    if (key->family == KeyFamily::angleA) lines = triangleComment(key->index) + "\n";
    lines += valueLine(keyText, value) + "\n";
    return write(lines, forcing);
}

std::optional<WriteFailure> Journal::end(JobEnd how)
{
    return write(journalEndLine(how) + "\n", Forcing::now);
}

std::optional<JobEnd> journalEnd(std::string_view text)
{
    text = trimmed(text, blanksAndLineEnds);
    const std::size_t lineStart = text.rfind('\n');
    const std::string_view last =
        lineStart == std::string_view::npos ? text : trimmed(text.substr(lineStart + 1), blanksAndLineEnds);
    for (const JobEnd how : {JobEnd::done, JobEnd::abandoned, JobEnd::stopped})
        if (last == journalEndLine(how)) return how;
    return std::nullopt;
}

std::optional<JobEnd> journalFileEnd(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) return std::nullopt;
    const std::streamoff size = in.tellg();
    const std::streamoff from = size > endLineSearch ? size - endLineSearch : 0;
    in.seekg(from);
    std::string tail(static_cast<std::size_t>(size - from), '\0');
    in.read(tail.data(), static_cast<std::streamsize>(tail.size()));
    tail.resize(static_cast<std::size_t>(in.gcount()));
    return journalEnd(tail);
}

}  // namespace kestrane
