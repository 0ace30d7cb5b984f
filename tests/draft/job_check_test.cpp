// kestrane-replay --check: clean job files pass; faults planted on known lines
// of generated chains (values a prompt refuses, a line left out, a key given
// again below, a point with one zero coordinate) are found, each with its
// line and key and nothing else; the hostile files of the job-file tests are
// refused on their planted line; and the tool's exit status.
#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <set>
#include <sstream>

#include "golden_files.h"
#include "job_file_runs.h"
#include "job_file_samples.h"
#include "synthetic_chain.h"
#include "tools/replay/job_check.h"

namespace kestrane::replay {
namespace {

namespace fs = std::filesystem;

struct Checked {
    int status = -1;
    std::vector<std::string> lines;
};

Checked checked(const fs::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
    std::ostringstream out;
    Checked result;
    result.status = checkJobFile(path.string(), out);
    std::istringstream lines(out.str());
    for (std::string line; std::getline(lines, line);) result.lines.push_back(line);
    return result;
}

// A finding: the line (0 for none) and the keys it names.
using Finding = std::pair<int, std::string>;

std::set<Finding> findingsOf(const Checked& run, const std::string& path)
{
    std::set<Finding> findings;
    for (std::size_t i = 0; i + 1 < run.lines.size(); ++i) {  // the last line counts
        std::string rest = run.lines[i].substr(path.size());
        int line = 0;
        if (rest.front() == ':' && std::isdigit(static_cast<unsigned char>(rest[1]))) {
            std::size_t digits = 0;
            line = std::stoi(rest.substr(1), &digits);
            rest.erase(0, 1 + digits);
        }
        EXPECT_EQ(rest.compare(0, 2, ": "), 0) << run.lines[i];
        findings.insert({line, rest.substr(2, rest.find(": ", 2) - 2)});
    }
    return findings;
}

// The saved job file of a generated chain.
std::string chainFile(const testing::ChainPlan& plan, const fs::path& scratch)
{
    const fs::path journal = scratch / "chain.kjob";
    testing::replayed("@data\n" + testing::joinedLines(testing::makeChain(plan).answers),
                      {.job = {}, .saveJob = journal.string()});
    return testing::readFile(journal);
}

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}

// Values that the prompt of the key's family refuses.
std::string refusedValueFor(const JobKey& key, std::mt19937& random)
{
    const auto pick = [&](std::initializer_list<const char*> values) {
        return std::string(values.begin()[random() % values.size()]);
    };
    switch (key.family) {
    case KeyFamily::side: return pick({"-5", "0", "abc", "12,5", ""});
    case KeyFamily::angleA:
    case KeyFamily::angleB:
    case KeyFamily::angleC:
    case KeyFamily::orientationQa:
    case KeyFamily::orientationQb:
    case KeyFamily::typedTa:
    case KeyFamily::typedTb: return pick({"45.6012", "-45.5960", "x", "1e400", "１２,３"});
    case KeyFamily::pointName: return pick({"\"  \"", ""});
    default: return pick({"abc", "1,5", ""});
    }
}

TEST(JobCheck, FindsEveryPlantedFaultOnItsLine)
{
    testing::FastScratchFolder scratch("check");
    const fs::path path = scratch.path / "planted.kjob";
    std::mt19937 random(2027);
    std::vector<std::string> clean;
    for (unsigned seed = 1; seed <= 9; ++seed)
        clean.push_back(chainFile({.triangles = 2 + static_cast<int>(seed % 5),
                                   .arrangement = static_cast<ChainCase>(1 + seed % 3),
                                   .seed = seed,
                                   .angleNoise = 2,
                                   .sideNoise = 0.004,
                                   .typedAzimuths = seed % 2 == 0,
                                   .tolerance = "30"},
                                  scratch.path));
    for (const std::string& file : clean) {
        const Checked run = checked(path, file);
        EXPECT_EQ(run.status, 0) << run.lines.front();
        EXPECT_EQ(run.lines.size(), 1u) << run.lines.front();
    }

    int planted = 0;
    for (int trial = 0; trial < 300; ++trial) {
        std::vector<std::string> lines = linesOf(clean[random() % clean.size()]);
        std::set<Finding> expected;
        // Faulty values on some value lines (the count and the coordinates,
        // which would change the ties, left alone).
        for (int k = 1 + random() % 4; k > 0; --k) {
            const std::size_t at = random() % lines.size();
            const std::size_t equals = lines[at].find(" = ");
            const auto parsed = equals == std::string::npos ? std::nullopt : parseKey(lines[at].substr(0, equals));
            if (!parsed) continue;
            const JobKey key = *parsed;
            if (key.family <= KeyFamily::yf || expected.count({static_cast<int>(at) + 1, key.text()})) continue;
            const std::string value = refusedValueFor(key, random);
            if (random() % 5 == 0) {
                // Given again below: the last line counts, the first passes.
                lines.push_back(key.text() + " = " + value);
                expected.insert({static_cast<int>(lines.size()), key.text()});
            } else if (random() % 6 == 0) {
                lines[at] = "# " + lines[at];  // left out: asked, with no line
                expected.insert({0, key.text()});
            } else {
                lines[at] = key.text() + " = " + value;
                expected.insert({static_cast<int>(at) + 1, key.text()});
            }
        }
        // C with one zero coordinate, where C is absent.
        const auto xc = std::find(lines.begin(), lines.end(), "xc = 0");
        if (xc != lines.end() && random() % 3 == 0) {
            *xc = "xc = 100";
            expected.insert({static_cast<int>(xc - lines.begin()) + 1, "xc,yc"});
        }
        if (expected.empty()) continue;
        // A key planted twice counts at its last line only.
        for (auto i = expected.begin(); i != expected.end();) {
            const auto later = std::find_if(std::next(i), expected.end(),
                                            [&](const Finding& f) { return f.second == i->second; });
            i = later != expected.end() ? expected.erase(i) : std::next(i);
        }
        std::string text;
        for (const std::string& line : lines) text += line + "\n";
        const Checked run = checked(path, text);
        SCOPED_TRACE(text);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(findingsOf(run, path.string()), expected);
        planted += static_cast<int>(expected.size());
    }
    EXPECT_GT(planted, 400);
}

TEST(JobCheck, HostileFilesAreRefusedOnThePlantedLine)
{
    testing::FastScratchFolder scratch("check-hostile");
    const fs::path path = scratch.path / "hostile.kjob";
    std::mt19937 random(4711);
    for (int i = 0; i < 300; ++i) {
        std::string text = jobFileText(testing::generatedJob(random, 12), JobFileClock::now());
        const int line = testing::plantFault(text, random);
        const Checked run = checked(path, text);
        EXPECT_EQ(run.status, 1);
        ASSERT_EQ(run.lines.size(), 1u);
        EXPECT_EQ(run.lines[0].rfind(path.string() + ":" + std::to_string(line) + ": ", 0), 0u) << run.lines[0];
    }
}

TEST(JobCheck, ExitStatusOfTheTool)
{
    testing::FastScratchFolder scratch("check-tool");
    const std::string good = (scratch.path / "good.kjob").string(), bad = (scratch.path / "bad.kjob").string();
    const std::string guide = chainFile({.triangles = 3}, scratch.path);
    std::ofstream(good, std::ios::binary) << guide;
    std::ofstream(bad, std::ios::binary) << guide << "S2 = -1\n";
    const auto run = testing::runCommand;
    const std::string tool = REPLAY_EXECUTABLE;
    std::string passed, failed, missing, usage;
    EXPECT_EQ(run(tool + " --check " + good, passed), 0);
    EXPECT_EQ(passed, good + ": 错误 0 处,缺少 0 个数值,闭合差超过限差的三角形 0 个,不会用到的数值 0 个\n");
    EXPECT_EQ(run(tool + " --check " + bad, failed), 1);
    EXPECT_NE(failed.find(bad + ":" + std::to_string(testing::lineCount(guide)) + ": S2: 边长须大于 0"), std::string::npos)
        << failed;
    EXPECT_EQ(run(tool + " --check " + good + "x", missing), 1);
    EXPECT_NE(missing.find(": 无法读取:文件不存在。"), std::string::npos) << missing;
    EXPECT_EQ(run(tool + " --check " + good + " extra 2>&1", usage), 1);
    EXPECT_NE(usage.find("kestrane-replay --check FILE"), std::string::npos);
}

}  // namespace
}  // namespace kestrane::replay
