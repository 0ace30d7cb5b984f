#include "job_file_samples.h"

#include <algorithm>

#include <unistd.h>  // POSIX getpid: a scratch folder per test process

#include "chain/utf8.h"

namespace kestrane::testing {
namespace {

const char* const awkwardNames[] = {
    "P1",     " P2",      "P3 ",     "\tP4",        "\"P5\"",     "P\"6",   "a\\b",      "x\x01y",
    "行\n二", "回车\r",   "\x7f",    "\xC2\x85",    "三角点",     "",       "#7",        "= 8",
    "\xEF\xBB\xBF" "9",   "\xff\xfe", "\xe4\xb8",   "😀 10",      "\"",     "\\u0041",   "  ",
};

std::string randomNumber(std::mt19937& random)
{
    std::uniform_real_distribution<double> value(-50000, 50000);
    return std::to_string(value(random));
}

std::string valueFor(const JobKey& key, int n, std::mt19937& random)
{
    switch (key.family) {
    case KeyFamily::triangleCount: return std::to_string(n);
    case KeyFamily::pointName: return awkwardNames[random() % std::size(awkwardNames)];
    default: return randomNumber(random);
    }
}

// Lines that spoil any valid file, whatever its n.
const std::string plantedFaults[] = {"xz = 1", "A0 = 1", "S0 = 1", "N1 = \"open", "N1 = \"\\udfff\"", "N1 = \xc3",
                                     "\xEF\xBB\xBF# note", "just words", "= 1", "N1 = \"a\" b"};

}  // namespace

int lineCount(const std::string& text)
{
    return static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
}

int plantFault(std::string& text, std::mt19937& random)
{
    const int line = 3 + static_cast<int>(random() % (lineCount(text) - 3));
    std::size_t at = 0;
    for (int i = 1; i < line; ++i) at = text.find('\n', at) + 1;
    text.insert(at, plantedFaults[random() % std::size(plantedFaults)] + "\n");
    return line;
}

std::vector<JobValue> generatedJob(std::mt19937& random, int maxTriangles)
{
    const int n = 1 + static_cast<int>(random() % maxTriangles);
    const ChainLayout layout{random() % 2 == 0, random() % 2 == 0, random() % 2 == 0, random() % 2 == 0};
    std::vector<JobValue> values;
    for (const JobKey& key : keysAsked(n, layout)) {
        values.push_back({key.text(), valueFor(key, n, random)});
        if (key.family != KeyFamily::triangleCount && random() % 8 == 0)
            values.push_back({key.text(), valueFor(key, n, random)});
    }
    return values;
}

std::map<std::string, std::string> lastValues(const std::vector<JobValue>& values)
{
    std::map<std::string, std::string> last;
    for (const JobValue& value : values) last[value.key] = utf8::repaired(value.value);
    return last;
}

std::map<std::string, std::string> valuesOf(const JobFile& file)
{
    std::map<std::string, std::string> values;
    for (const JobFileEntry& entry : file.entries()) values[entry.key] = file.find(entry.key)->value;
    return values;
}

std::map<std::string, std::string> valuesRead(std::string_view bytes, LastLine lastLine)
{
    return valuesOf(std::get<JobFile>(parseJobFile(bytes, "values", lastLine)));
}

std::string jobText(const std::string& lines)
{
    return "kestrane-job 1\n" + lines;
}

ScratchFolder::ScratchFolder()
{
    static int count = 0;
    path = std::filesystem::temp_directory_path() /
           ("kestrane-jobfile-" + std::to_string(getpid()) + "-" + std::to_string(++count));
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
}

ScratchFolder::~ScratchFolder()
{
    std::error_code error;
    std::filesystem::remove_all(path, error);
}

}  // namespace kestrane::testing
