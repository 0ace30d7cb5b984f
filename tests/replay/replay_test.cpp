// Golden transcripts: every NAME.transcript in the golden folder is replayed
// and its log compared line by line with NAME.log; the exit status must be the
// number in NAME.exit, or 0 when there is none. KESTRANE_REGENERATE_GOLDEN=1
// writes them anew instead (golden_files.h).
#include "tools/replay/json_log.h"
#include "tools/replay/replay.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "chain/json_string.h"
#include "chain/text_encoding.h"
#include "golden_files.h"
#include "guide_texts.h"

namespace kestrane::replay {
namespace {

namespace fs = std::filesystem;
using testing::goldenTranscripts;
using testing::readFile;

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}

class GoldenTranscript : public ::testing::TestWithParam<fs::path> {};

TEST_P(GoldenTranscript, LogMatches)
{
    const fs::path transcript = GetParam();
    fs::path expectedLog = transcript;
    expectedLog.replace_extension(".log");
    fs::path expectedExit = transcript;
    expectedExit.replace_extension(".exit");
    ASSERT_TRUE(fs::exists(expectedLog)) << expectedLog;

    // In a scratch working folder, which ends up holding exactly the files
    // the log names as exported: nothing of a refused export.
    const testing::ScratchWorkingFolder folder("golden-" + transcript.stem().string());
    std::ostringstream log;
    const int status = replayTranscript(readFile(transcript), log);
    if (testing::regeneratingGolden()) {
        testing::writeGolden(transcript, log.str(), status);
        GTEST_SKIP() << "written anew for review: " << expectedLog;
    }
    std::set<std::string> exported, written;
    const std::string pathKey = R"(", "path": ")";
    for (const std::string& line : linesOf(log.str()))
        if (const auto at = line.find(pathKey); line.starts_with(R"({"export": ")") && at != std::string::npos)
            exported.insert(line.substr(at + pathKey.size(), line.size() - at - pathKey.size() - 2));  // to "}
    for (const auto& entry : fs::directory_iterator(folder.path())) written.insert(entry.path().filename());
    EXPECT_EQ(written, exported);

    const int wantedStatus = fs::exists(expectedExit) ? std::stoi(readFile(expectedExit)) : statusDone;
    EXPECT_EQ(status, wantedStatus);
    const auto actual = linesOf(log.str());
    const auto expected = linesOf(readFile(expectedLog));
    for (std::size_t i = 0; i < std::max(actual.size(), expected.size()); ++i) {
        const std::string got = i < actual.size() ? actual[i] : "<missing>";
        const std::string want = i < expected.size() ? expected[i] : "<missing>";
        ASSERT_EQ(got, want) << "first difference at log line " << i + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(Golden, GoldenTranscript, ::testing::ValuesIn(goldenTranscripts()),
                         [](const auto& info) {
                             std::string name = info.param.stem().string();
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             return name;
                         });

std::string lastLine(const std::string& log)
{
    const auto lines = linesOf(log);
    return lines.empty() ? "" : lines.back();
}

TEST(ReplayEntries, TranscriptEndingAtAnOpenBoxAbandonsTheJob)
{
    std::ostringstream log;
    EXPECT_EQ(replayTranscript("@data\n3\n", log), statusMisplaced);
    const auto lines = linesOf(log.str());
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], R"({"ask": "输入三角形的个数:", "title": "", "answer": "3", "cancel": false})");
    EXPECT_EQ(lines[1], R"({"set": "Text19", "text": " 三角锁共有3个三角形"})");
    EXPECT_EQ(lines[2], R"({"job": "abandoned"})");  // the unanswered tolerance box is not logged
    EXPECT_EQ(lines[3].rfind(R"({"fields": {"Text1": "", )", 0), 0u);
}

TEST(ReplayEntries, LinesThatCannotApply)
{
    for (const char* transcript : {"5\n", "@cancel\n", "@abort\n", "@@x\n", "@data\n@print\n",
                                   "@data\n@data\n", "@data\n4\n@abort\n", "@data\n@export csv x.csv\n", "@exports\n"}) {
        std::ostringstream log;
        EXPECT_EQ(replayTranscript(transcript, log), statusMisplaced) << transcript;
        EXPECT_EQ(lastLine(log.str()).rfind("{\"fields\": ", 0), 0u) << transcript;
    }
}

TEST(ReplayEntries, EscapesCancelsAndLineEnds)
{
    std::ostringstream log;
    EXPECT_EQ(replayTranscript("@data\r\n@@3\r\n2\r\n@cancel\n@abort", log), statusDone);
    const auto lines = linesOf(log.str());
    EXPECT_EQ(lines[0], R"({"ask": "输入三角形的个数:", "title": "", "answer": "@3", "cancel": false})");
    EXPECT_NE(lines[1].find(R"("warn": "“@3” 不是一个数。\n)"), std::string::npos);
    EXPECT_NE(lines[1].find(R"("canAbort": true, "abort": false})"), std::string::npos);
    EXPECT_NE(log.str().find(R"({"ask": "输入规范测角限差:", "title": "", "answer": "", "cancel": true})"),
              std::string::npos);
    EXPECT_NE(log.str().find(R"("canAbort": true, "abort": true})"), std::string::npos);
}

TEST(ReplayEntries, EmptyTranscriptWritesOnlyTheFields)
{
    std::ostringstream log;
    EXPECT_EQ(replayTranscript("", log), statusDone);
    const auto lines = linesOf(log.str());
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(lines[0].ends_with(
              R"("Text41": ""}, "captions": {"Label46": "  A", "Label47": "  B", "Label48": "  C", )"
              R"("Label49": "       w", "Label56": "   Ni", "Label66": "     ws"}})"))
        << lines[0];
}

// The executable: a named file, standard input, and a file it cannot read.
TEST(ReplayExecutable, FileStandardInputAndUnreadable)
{
    const fs::path dir = fs::temp_directory_path() / "kestrane-replay-test";
    fs::create_directories(dir);
    std::ofstream(dir / "job.transcript") << "@data\n4\n1.5\n";
    const std::string tool = REPLAY_EXECUTABLE;

    auto run = [](const std::string& command, std::string& output) {
        FILE* pipe = popen(command.c_str(), "r");
        char buffer[4096];
        std::size_t count;
        while ((count = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, count);
        return WEXITSTATUS(pclose(pipe));
    };
    std::string fromFile, fromInput, fromNothing, fromDirectory;
    EXPECT_EQ(run(tool + " " + (dir / "job.transcript").string(), fromFile), 2);  // the first coordinate waits
    EXPECT_EQ(run(tool + " < " + (dir / "job.transcript").string(), fromInput), 2);
    EXPECT_EQ(fromFile, fromInput);
    EXPECT_NE(fromFile.find(R"({"set": "Text18", "text": " 1.5 秒"})"), std::string::npos);
    EXPECT_EQ(run(tool + " " + (dir / "missing").string() + " 2>/dev/null", fromNothing), 1);
    EXPECT_EQ(fromNothing, "");
    EXPECT_EQ(run(tool + " " + dir.string() + " 2>/dev/null", fromDirectory), 1);
    EXPECT_EQ(fromDirectory, "");
}

}  // namespace
}  // namespace kestrane::replay

namespace kestrane::replay {
namespace {

// The worked example of the user guide: every figure that README.md and the
// guides list must be a text the window shows after the same job (which
// caption stands by which field is the window's, checked in its own tests),
// and the two guides list the same figures under the same captions.
TEST(UserGuide, WorkedExampleFiguresAreThoseOfTheJob)
{
    std::ostringstream log;
    ASSERT_EQ(replayTranscript(readFile(fs::path(GOLDEN_DIR) / "user_guide_example.transcript"), log), statusDone);
    const std::string fields = lastLine(log.str());
    for (const fs::path& document : testing::documentsWithFigures()) {
        const auto figures = testing::guideFigures(document);
        EXPECT_GE(figures.size(), 5u) << document;
        for (const testing::GuideFigure& figure : figures) {
            // A field's text begins with one blank, the mean side's does not.
            const bool shown = fields.find(": " + jsonStringLiteral(" " + figure.shown, JsonEscapes::required)) != std::string::npos ||
                               fields.find(": " + jsonStringLiteral(figure.shown, JsonEscapes::required)) != std::string::npos;
            EXPECT_TRUE(shown) << document.filename() << ": " << figure.caption << " " << figure.shown;
        }
    }
    const auto chinese = testing::guideFigures(testing::docsPath("user-guide.zh.md"));
    const auto english = testing::guideFigures(testing::docsPath("user-guide.en.md"));
    ASSERT_EQ(chinese.size(), english.size());
    for (std::size_t i = 0; i < chinese.size(); ++i) {
        EXPECT_EQ(chinese[i].caption, english[i].caption);
        EXPECT_EQ(chinese[i].shown, english[i].shown) << chinese[i].caption;
    }
}

// The export examples: every passage is found, whole, in the file of that
// name that the golden export job writes, in the file's own encoding and line
// ends.
TEST(UserGuide, ExportExamplesAreInTheFilesOfTheJob)
{
    const auto examples = testing::markedPassages(readFile(testing::docsPath("exports.md")), "<!-- export example ",
                                                  "<!-- end of export example -->");
    const testing::ScratchWorkingFolder folder("user-guide-exports");
    std::ostringstream log;
    ASSERT_EQ(replayTranscript(readFile(fs::path(GOLDEN_DIR) / "exports.transcript"), log), statusDone);

    for (const testing::MarkedPassage& example : examples) {
        const std::string file = readFile(example.name);
        ASSERT_FALSE(file.empty()) << example.name;
        const bool crlf = file.find("\r\n") != std::string::npos;
        std::string block;
        for (const std::string& line : linesOf(example.text))
            block += line.substr(4) + (crlf ? "\r\n" : "\n");  // an indented code block
        const char* encoding = example.name.ends_with(".dat")   ? gb18030Encoding
                               : example.name.ends_with(".dxf") ? gbkEncoding
                                                                : "UTF-8";
        EXPECT_NE(file.find(encodeUtf8As(block, encoding).value_or("?")), std::string::npos)
            << example.name << ":\n" << block;
    }
    EXPECT_GE(examples.size(), 8u);
}

}  // namespace
}  // namespace kestrane::replay
