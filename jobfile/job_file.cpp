#include "jobfile/job_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>

#include "chain/chain_survey.h"
#include "chain/text.h"
#include "chain/utf8.h"
#include "jobfile/job_file_grade.h"
#include "jobfile/job_keys.h"
#include "jobfile/value_quoting.h"

namespace kestrane {
namespace {

constexpr std::string_view formatLine = "kestrane-job 1";
constexpr std::string_view formatName = "kestrane-job";

std::string quoted(std::string_view text)
{
    return "“" + utf8::excerpt(text) + "”";
}

// The reading of a file that is not one: the first line that is neither blank
// nor a comment, at the place of the format line.
std::string notAJobFile(std::string_view line)
{
    const std::string notOurs = "此处应为 “kestrane-job 1”,却是 " + quoted(line) + ":这不是 Kestrane 作业文件。";
    // A file whose lines end in a bare CR reads as one long line.
    if (line.find('\r') != std::string_view::npos)
        return notOurs + "(该文件的行尾似乎是单独的回车符 CR;作业文件的行尾须为 LF 或 CRLF。)";
    const std::string_view first = line.substr(0, formatName.size());
    if (first == formatName && line.size() > formatName.size() && isBlank(line[formatName.size()]))
        return "作业文件格式 " + quoted(line) + " 不受支持,本程序只读取 “kestrane-job 1” 格式的作业文件。";
    return notOurs;
}

std::string outOfRange(const JobKey& key, std::optional<int> triangles)
{
    const int n = triangles.value_or(maxTriangleCount);
    const IndexRange range = indexRange(key.family, n);
    const char letter = key.text().front();
    const std::string allowed = std::string(1, letter) + std::to_string(range.first) + " 到 " + letter +
                                std::to_string(range.last);
    const std::string index = key.index == indexLimit ? "过大" : std::to_string(key.index);
    if (triangles) {
        return "键 “" + key.text() + "” 的序号 " + index + " 超出范围:本文件 n = " + std::to_string(n) +
               ",只能有 " + allowed + "。";
    }
    return "键 “" + key.text() + "” 的序号 " + index + " 超出范围:三角形最多 " + std::to_string(n) +
           " 个,只能有 " + allowed + "。";
}

}  // namespace

// One pass over the lines, stopping at the first fault; the index check
// follows, against the n of the lines read (index faults therefore always lie
// before a syntax fault).
class JobFileParser {
public:
    JobFileParser(std::string_view bytes, const std::string& name, LastLine lastLine)
        : bytes_(bytes), lastLine_(lastLine)
    {
        file_.name_ = name;
    }

    JobFileReading parse()
    {
        if (bytes_.substr(0, utf8::byteOrderMark.size()) == utf8::byteOrderMark) at_ = utf8::byteOrderMark.size();
        std::string fault;
        while (fault.empty() && nextLine()) fault = readLine();
        if (fault.empty() && !formatSeen_)
            fault = "文件到此结束,却没有 “kestrane-job 1” 这一行:这不是 Kestrane 作业文件。";
        const int faultLine = std::max(line_, 1);

        file_.settleKeys();
        for (const JobFileEntry& entry : file_.entries_) {
            const JobKey key = *parseKey(entry.key);
            if (!fitsChain(key, file_.triangleCount_.value_or(maxTriangleCount)))
                return refusal(entry.line, outOfRange(key, file_.triangleCount_));
        }
        if (!fault.empty()) return refusal(faultLine, fault);
        if (auto grade = gradeFault(file_)) return *grade;
        return std::move(file_);
    }

private:
    JobFileRefusal refusal(int line, const std::string& what) const
    {
        return {line, "作业文件 " + file_.name_ + ":第 " + std::to_string(line) + " 行:" + what};
    }

    // Moves to the next line; false at the end of the bytes.
    bool nextLine()
    {
        if (at_ >= bytes_.size()) return false;
        std::size_t end = bytes_.find('\n', at_);
        const bool finished = end != std::string_view::npos;
        if (!finished) {
            if (lastLine_ == LastLine::dropUnfinished) return false;
            end = bytes_.size();
        }
        current_ = bytes_.substr(at_, end - at_);
        if (!current_.empty() && current_.back() == '\r') current_.remove_suffix(1);
        at_ = finished ? end + 1 : end;
        ++line_;
        return true;
    }

    // Reads the current line; the fault, or empty when the line is sound.
    std::string readLine()
    {
        if (const std::size_t bad = utf8::firstInvalidByte(current_); bad != std::string_view::npos)
            return "含有不是 UTF-8 编码的字节(第 " + std::to_string(bad + 1) +
                   " 个字节起);作业文件须以 UTF-8 编码保存。";
        if (current_.find(utf8::byteOrderMark) != std::string_view::npos)
            return "字节顺序标记(BOM,U+FEFF)只能出现在文件的最开头。";

        const std::string_view text = trimmedBlanks(current_);
        if (text.empty() || text.front() == '#') return {};
        if (!formatSeen_) {
            if (text != formatLine) return notAJobFile(text);
            formatSeen_ = true;
            return {};
        }
        return readValueLine(text);
    }

    std::string readValueLine(std::string_view text)
    {
        const std::size_t equals = text.find('=');
        if (equals == std::string_view::npos)
            return "这一行既不是注释,也不是 “键 = 值” 的形式:" + quoted(text) + "。";
        const std::string_view key = trimmedBlanks(text.substr(0, equals));
        if (key.empty()) return "“=” 前面缺少键:" + quoted(text) + "。";
        if (!parseKey(key)) {
            if (const auto meant = intendedKey(key))
                return "未知的键 " + quoted(key) + "(序号不能以 0 开头,应写作 “" + *meant + "”)。";
            return "未知的键 " + quoted(key) + "。";
        }

        if (file_.entries_.size() == maxValueLines)
            return "数值行超过 " + std::to_string(maxValueLines) + " 行:一个作业最多约有 4 万个数值,这不是一个作业的文件。";

        const std::string_view value = trimmedBlanks(text.substr(equals + 1));
        JobFileEntry entry{std::string(key), {}, line_};
        if (!value.empty() && value.front() == '"') {
            DecodedValue decoded = decodeQuotedValue(value);
            if (!decoded.fault.empty())
                return "键 " + quoted(key) + " 的值以引号开头,但不是完整的带引号字符串:" + decoded.fault + "。";
            entry.value = std::move(decoded.text);
        } else {
            entry.value = value;
        }
        file_.entries_.push_back(std::move(entry));
        return {};
    }

    std::string_view bytes_;
    LastLine lastLine_;
    JobFile file_;
    std::size_t at_ = 0;
    std::string_view current_;
    int line_ = 0;
    bool formatSeen_ = false;
};

void JobFile::settleKeys()
{
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        auto [state, inserted] = keys_.try_emplace(entries_[i].key);
        state->second.last = i;
    }
    if (const JobFileEntry* count = find("n")) triangleCount_ = triangleCountOf(count->value);
}

JobFile JobFile::ofEntries(std::string name, std::vector<JobFileEntry> entries)
{
    JobFile file;
    file.name_ = std::move(name);
    file.entries_ = std::move(entries);
    file.settleKeys();
    return file;
}

const JobFileEntry* JobFile::find(std::string_view key) const
{
    const auto state = keys_.find(key);
    return state == keys_.end() ? nullptr : &entries_[state->second.last];
}

void JobFile::markUsed(std::string_view key)
{
    if (const auto state = keys_.find(key); state != keys_.end()) state->second.used = true;
}

std::vector<JobFileEntry> JobFile::unusedEntries() const
{
    std::vector<JobFileEntry> unused;
    for (const JobFileEntry& entry : entries_)
        if (!keys_.find(entry.key)->second.used) unused.push_back(entry);
    return unused;
}

JobFileReading parseJobFile(std::string_view bytes, const std::string& name, LastLine lastLine)
{
    return JobFileParser(bytes, name, lastLine).parse();
}

JobFileReading readJobFile(const std::filesystem::path& path, const std::string& name, LastLine lastLine)
{
    const auto refused = [&](const std::string& why) {
        return JobFileRefusal{0, "作业文件 " + name + ":无法读取:" + why + "。"};
    };
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (!std::filesystem::exists(status)) return refused("文件不存在");
    if (!std::filesystem::is_regular_file(status)) return refused("这不是一个普通文件");
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error) return refused(error.message());
    if (size > maxJobFileBytes)
        return refused("文件太大(" + std::to_string(size >> 20) + " MB;作业文件最大 " +
                       std::to_string(maxJobFileBytes >> 20) + " MB)");

    std::ifstream in(path, std::ios::binary);
    if (!in) return refused(errno == EACCES ? "没有读取权限" : std::strerror(errno));
    std::string bytes(static_cast<std::size_t>(size), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(size));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    if (in.bad()) return refused("读取时出错");
    return parseJobFile(bytes, name, lastLine);
}

}  // namespace kestrane
