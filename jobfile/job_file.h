// Reading a job file: the values of one job, one "KEY = VALUE" a line, after
// the line "kestrane-job 1".
//
// A file is read whole or refused whole. Refused: bytes that are not UTF-8, a
// byte-order mark anywhere but at the very start, no "kestrane-job 1" before
// the first value, a line that is neither blank, a comment ('#' first) nor
// "KEY = VALUE", an empty or unknown key, an indexed key outside the file's
// chain, a value that starts with '"' but is no sound JSON string literal.
// The refusal names the file, the first faulty line and the fault, in one
// message. Line ends are LF or CRLF, mixed as they come.
//
// The index check uses the file's own n: the last n line before the first
// faulty line, read as the job reads a count (rounded half to even). When the
// file has no n, or an n that is no count from 1 to maxTriangleCount, the
// check uses the largest chain the program takes: the job will ask for n, and
// values beyond the n it gets are reported unused at the end.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <variant>
#include <vector>

namespace kestrane {

// Larger files are refused unread; a job of the largest chain is some 1 MB.
inline constexpr std::uintmax_t maxJobFileBytes = 64u << 20;

// More value lines are refused at the first line beyond: a job of the largest
// chain asks some 40 000 values, and the limit keeps a hostile file of tiny
// lines from taking the memory of millions of values.
inline constexpr int maxValueLines = 2'000'000;

// One value line of the file.
struct JobFileEntry {
    std::string key;
    std::string value;  // decoded, blanks around it removed
    int line = 0;       // 1-based, as an editor counts
};

class JobFile {
public:
    // Values held in memory (the job editor's table) as a job file of that
    // name: the entries in order, the last of a key counting, each with the
    // line of the file it was read from (0 for a value typed, not read).
    static JobFile ofEntries(std::string name, std::vector<JobFileEntry> entries);

    // The name the messages give the file.
    const std::string& name() const { return name_; }

    // Every value line, in file order.
    const std::vector<JobFileEntry>& entries() const { return entries_; }

    // The value of a key: the last line that gives it; nullptr when none does.
    const JobFileEntry* find(std::string_view key) const;

    // Records that the job asked for the key (whether or not the file's value
    // was taken); a key the file lacks is ignored.
    void markUsed(std::string_view key);

    // The lines whose key the job never asked for, every line of such a key,
    // in file order.
    std::vector<JobFileEntry> unusedEntries() const;

    // The count the index check used: the file's n, when it is one.
    std::optional<int> triangleCount() const { return triangleCount_; }

private:
    friend class JobFileParser;

    // Indexes the entries by key and reads the file's n.
    void settleKeys();

    struct KeyState {
        std::size_t last = 0;  // entry of the line that counts
        bool used = false;
    };
    struct KeyHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view key) const { return std::hash<std::string_view>{}(key); }
    };

    std::string name_;
    std::vector<JobFileEntry> entries_;
    std::unordered_map<std::string, KeyState, KeyHash, std::equal_to<>> keys_;
    std::optional<int> triangleCount_;
};

struct JobFileRefusal {
    int line = 0;  // the faulty line; 0 when the file could not be read at all
    std::string message;
};

using JobFileReading = std::variant<JobFile, JobFileRefusal>;

// How a file's last line is taken when it lacks its line end. A journal is
// appended line by line, each line in one write; a last line without its end
// is a value the program was writing when it stopped, and is left out.
enum class LastLine { read, dropUnfinished };

// Parses the bytes of a job file; name is how the messages call it.
JobFileReading parseJobFile(std::string_view bytes, const std::string& name,
                            LastLine lastLine = LastLine::read);

// Reads and parses a file. A file that is missing, not a regular file,
// unreadable or larger than maxJobFileBytes is refused with line 0.
JobFileReading readJobFile(const std::filesystem::path& path, const std::string& name,
                           LastLine lastLine = LastLine::read);

}  // namespace kestrane
