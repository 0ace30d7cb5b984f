// Every input kept for a fuzz target (its seed corpus and every input that
// once broke its reader) through the reader's check, in the builds without
// libFuzzer too: a fault fixed stays fixed under g++ as under clang.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "checks/reader_checks.h"

namespace kestrane::fuzz {
namespace {

using Check = std::string (*)(std::string_view);

struct Target {
    const char* name;
    Check check;
};

void PrintTo(const Target& target, std::ostream* out) { *out << target.name; }

const Target targets[] = {
    {"job_file", checkJobFile},       {"journal_resume", checkJournalResume},
    {"transcript", checkTranscript},  {"coordinate_file", checkCoordinateFile},
    {"pasted_block", checkPastedBlock},
    {"numbers", checkNumbers},        {"utf8", checkUtf8},
    {"gb18030", checkGb18030},
};

class KeptInputs : public ::testing::TestWithParam<Target> {};

TEST_P(KeptInputs, KeepTheirReadersProperties)
{
    const std::filesystem::path root = FUZZ_DIR;
    int inputs = 0;
    for (const char* kind : {"corpus", "regressions"}) {
        const std::filesystem::path folder = root / kind / GetParam().name;
        if (!std::filesystem::exists(folder)) continue;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            if (!entry.is_regular_file() || entry.path().filename().string().starts_with(".")) continue;
            std::ifstream in(entry.path(), std::ios::binary);
            const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            EXPECT_EQ(GetParam().check(bytes), "") << entry.path();
            ++inputs;
        }
    }
    // A target without seeds would be fuzzed from nothing.
    EXPECT_GE(inputs, 3) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Fuzz, KeptInputs, ::testing::ValuesIn(targets),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kestrane::fuzz
