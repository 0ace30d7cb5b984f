// Hostile transcripts: whole generated jobs mangled at random with garbage
// text, empty answers, cancels, zero answers at confirmations, absurd
// numbers, stray @abort, @print and @data, and bytes that are not text.
// Whatever is typed, the replay must end with status 0 or 2, every job must
// end as done, abandoned or stopped, no field may ever show "nan" or "inf",
// the log must stay UTF-8 text, a job that was done must print, and the
// closing @analysis is refused for want of a job only when none was done.
#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "analysis/analysis_texts.h"
#include "synthetic_chain.h"
#include "tools/replay/replay.h"

namespace kestrane::replay {
namespace {

const char* const hostileAnswers[] = {
    "",          "@cancel",   "@abort",   "@print",  "@data",   "0",        "00",       "-0",
    "0.0",       "1e308",     "-1e308",   "1e-320",  "1e400",   "359.5999", "6553",     "6552",
    "-3",        "abc",       "12,5",     "1..2",    "--1",     "+",        ".",        "e5",
    "１２",      "四十五",    "@@data",   "@",       "  7  ",   "\t",       "1e-400",   "99999999",
    "0.0001",    "-180",      "360",      "45.3",    "1",       "2",        "3",        "-12.3456",
    "\xff\xfe",  "\xe4\xb8",  "a\"b\\c",  "x\x01y",  "1e5",     "2.5",      "180",      "-0.3",
};

std::string hostileTranscript(std::mt19937& random)
{
    std::uniform_int_distribution<int> pick(0, std::size(hostileAnswers) - 1);
    std::uniform_real_distribution<double> chance(0, 1);
    std::vector<std::string> lines{"@data"};
    if (chance(random) < 0.8) {
        // A real job, mangled here and there.
        const kestrane::testing::ChainPlan plan{
            .triangles = 1 + static_cast<int>(random() % 4),
            .arrangement = static_cast<ChainCase>(1 + random() % 3),
            .seed = static_cast<unsigned>(random()),
            .angleNoise = 2,
            .sideNoise = 0.004,
            .typedAzimuths = chance(random) < 0.3,
        };
        auto answers = kestrane::testing::makeChain(plan).answers;
        const double mangling = chance(random) * 0.08;
        for (auto& answer : answers) {
            const double roll = chance(random);
            if (roll < mangling) answer = hostileAnswers[pick(random)];
            else if (roll < mangling * 1.3) answer += hostileAnswers[pick(random)];
        }
        lines.insert(lines.end(), answers.begin(), answers.end());
    } else {
        const int count = random() % 60;
        for (int i = 0; i < count; ++i) lines.push_back(hostileAnswers[pick(random)]);
    }
    if (chance(random) < 0.2) lines.push_back("@data");
    lines.push_back("@print");
    lines.push_back("@analysis");
    std::string text;
    for (const auto& line : lines) text += line + (chance(random) < 0.05 ? "\r\n" : "\n");
    return text;
}

bool isUtf8(const std::string& text)
{
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char lead = text[i];
        const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
        if (length == 0 || i + length > text.size()) return false;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        i += length;
    }
    return true;
}

TEST(HostileTranscripts, NeverCrashOrShowNotANumber)
{
    std::mt19937 random(20261208);
    int done = 0, abandoned = 0, stopped = 0, reports = 0, analyses = 0;
    for (int run = 0; run < 2500; ++run) {
        const std::string transcript = hostileTranscript(random);
        std::ostringstream out;
        const int status = replayTranscript(transcript, out);
        const std::string log = out.str();
        SCOPED_TRACE("transcript " + std::to_string(run));
        ASSERT_TRUE(status == statusDone || status == statusMisplaced) << status;
        ASSERT_TRUE(isUtf8(log));

        std::istringstream lines(log);
        std::string line, lastLine, lastJob;
        int jobs = 0;
        bool anyDone = false;
        while (std::getline(lines, line)) {
            lastLine = line;
            ASSERT_EQ(line.find_first_of("\r\t"), std::string::npos) << line;
            if (line.rfind("{\"set\": ", 0) == 0 || line.rfind("{\"fields\": ", 0) == 0) {
                // Typed names may be anything but these words, which the generator never types.
                ASSERT_EQ(line.find("nan"), std::string::npos) << line;
                ASSERT_EQ(line.find("inf"), std::string::npos) << line;
            }
            if (line.rfind("{\"job\": ", 0) == 0) {
                ++jobs;
                lastJob = line;
                ASSERT_TRUE(line == R"({"job": "done"})" || line == R"({"job": "abandoned"})" ||
                            line.rfind(R"({"job": "stopped", "reason": ")", 0) == 0)
                    << line;
                done += line == R"({"job": "done"})";
                anyDone |= line == R"({"job": "done"})";
                abandoned += line == R"({"job": "abandoned"})";
                stopped += line.rfind(R"({"job": "stopped")", 0) == 0;
            }
            if (line.rfind("{\"report\": ", 0) == 0) {
                ASSERT_EQ(lastJob, R"({"job": "done"})");
                ++reports;
            }
            if (line.rfind("{\"print\": \"refused\"", 0) == 0) {
                ASSERT_NE(lastJob, R"({"job": "done"})");
            }
            // An analysis once any job has run to its end, a refusal before.
            if (line.rfind("{\"analysis\": ", 0) == 0) {
                const bool refused = line.rfind(R"({"analysis": "refused")", 0) == 0;
                ASSERT_EQ(refused && line.find(analysis_texts::noCompleteJob) != std::string::npos, !anyDone) << line;
                ASSERT_EQ(line.find("nan"), std::string::npos) << line;
                analyses += !refused;
            }
        }
        ASSERT_GE(jobs, 1);
        ASSERT_EQ(lastLine.rfind("{\"fields\": ", 0), 0u);
    }
    // The generator must reach every ending, or it tests too little.
    EXPECT_GT(done, 100);
    EXPECT_GT(abandoned, 100);
    EXPECT_GT(stopped, 5);
    EXPECT_GT(reports, 100);
    EXPECT_GT(analyses, 100);
    std::cout << "done " << done << ", abandoned " << abandoned << ", stopped " << stopped << ", reports " << reports
              << ", analyses " << analyses << '\n';
}

}  // namespace
}  // namespace kestrane::replay
