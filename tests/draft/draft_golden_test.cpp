// Every job of the golden transcripts entered into the job editor's draft,
// key by key in the order of the table as a surveyor types a field book,
// its whole history undone and redone, then saved and run: it ends as the
// typed job ended, with the same final fields and report, asking nothing;
// and the draft showed each triangle's misclosure and the mean side as the
// typed job showed them.
#include <gtest/gtest.h>

#include <algorithm>

#include "chain/display_format.h"
#include "draft/job_draft.h"
#include "golden_files.h"
#include "job_file_runs.h"
#include "jobfile/job_file_writer.h"
#include "tools/replay/replay.h"

namespace kestrane {
namespace {

namespace fs = std::filesystem;
using testing::eventLines;
using testing::replayed;

// The texts a field was set to, in order, leaving out the clearings.
std::vector<std::string> shownIn(const std::string& log, const std::string& field)
{
    std::vector<std::string> shown;
    const std::string prefix = R"({"set": ")" + field + R"(", "text": ")";
    for (const std::string& line : eventLines(log, prefix)) {
        const std::string text = line.substr(prefix.size(), line.size() - prefix.size() - 2);
        if (!text.empty()) shown.push_back(text);
    }
    return shown;
}

// The draft of the journal's values, typed one key at a time in field-book
// order; the history is then undone to the empty draft and redone.
JobDraft typedIntoDraft(const std::vector<JobFileEntry>& journal)
{
    std::vector<JobKey> keys;
    const auto values = testing::lastValuesOf(journal);
    for (const auto& [key, value] : values) keys.push_back(*parseKey(key));
    std::sort(keys.begin(), keys.end(), fieldBookBefore);
    JobDraft draft;
    std::vector<DraftChange> history;
    for (const JobKey& key : keys) history.push_back(draft.apply({{key, values.at(key.text())}}));
    for (auto change = history.rbegin(); change != history.rend(); ++change) draft.revert(*change);
    EXPECT_TRUE(draft.entries().empty());
    EXPECT_EQ(draft.triangles(), 0);
    for (const DraftChange& change : history) draft.reapply(change);
    return draft;
}

TEST(JobDraftGolden, EveryGoldenJobTypedIntoTheTableRunsToItsLog)
{
    testing::FastScratchFolder scratch("draft-golden");
    const fs::path journal = scratch.path / "typed.kjob", saved = scratch.path / "table.kjob";
    int jobs = 0, finished = 0;
    for (const fs::path& golden : testing::goldenTranscripts()) {
        for (const auto& lines : testing::jobsOf(testing::readFile(golden))) {
            SCOPED_TRACE(golden.stem().string() + ", job " + std::to_string(++jobs));
            const auto typed = replayed(testing::joinedLines(lines) + "@print\n", {.job = {}, .saveJob = journal.string()});
            const auto typedEnd = eventLines(typed.log, "{\"job\": ");
            if (typedEnd.front() == R"({"job": "abandoned"})") continue;
            ++finished;

            const JobDraft draft = typedIntoDraft(testing::journalEntries(journal));
            EXPECT_TRUE(draft.runsThrough()) << draft.summary();
            std::vector<JobValue> values;
            for (const JobFileEntry& entry : draft.entries()) values.push_back({entry.key, entry.value});
            ASSERT_FALSE(saveJobFile(saved, values));
            const auto opened = replayed("@print\n", {.job = saved.string(), .saveJob = {}});

            EXPECT_EQ(eventLines(opened.log, "{\"job\": "), typedEnd);
            EXPECT_EQ(opened.status, replay::statusDone);
            EXPECT_EQ(testing::finalFields(opened.log), testing::finalFields(typed.log));
            EXPECT_EQ(eventLines(opened.log, "{\"report\": "), eventLines(typed.log, "{\"report\": "));
            for (const auto& ask : eventLines(opened.log, "{\"ask\": "))
                EXPECT_TRUE(ask.ends_with(R"("from": "file"})")) << ask;

            const std::vector<std::string> misclosures = shownIn(typed.log, "Text31");
            ASSERT_LE(static_cast<int>(misclosures.size()), draft.triangles());
            for (std::size_t i = 0; i < misclosures.size(); ++i) {
                const auto w = draft.misclosure(static_cast<int>(i) + 1);
                ASSERT_TRUE(w) << i + 1;
                EXPECT_EQ(" " + formatRounded(*w, 2) + " 秒", misclosures[i]) << "triangle " << i + 1;
            }
            const std::vector<std::string> mean = shownIn(typed.log, "Text17");
            if (!mean.empty()) {
                ASSERT_TRUE(draft.meanSide());
                EXPECT_EQ(formatRounded(*draft.meanSide(), 2) + " 米", mean.back());
            }
        }
    }
    EXPECT_GE(jobs, 20);
    EXPECT_GE(finished, 15);
}

}  // namespace
}  // namespace kestrane
