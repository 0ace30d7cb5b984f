// The job editor's draft and table: the keys open under every layout, the
// checks of a point and of the layout, a count changed and changed back, the
// summary line, pasted and copied blocks, and a file with values the table
// does not show as the file has them.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "adjustment/misclosures.h"
#include "chain/angles.h"
#include "draft/draft_table.h"
#include "draft/job_draft.h"
#include "input/input_messages.h"
#include "job_file_samples.h"

namespace kestrane {
namespace {

JobKey key(const std::string& text)
{
    return *parseKey(text);
}

DraftChange set(JobDraft& draft, const std::string& k, const std::string& text)
{
    return draft.apply({{key(k), text}});
}

// A draft of n triangles with every key of the layout given a value.
JobDraft filledDraft(int n, const ChainLayout& layout)
{
    JobDraft draft;
    const auto coordinate = [](bool given) { return given ? std::string("1000.5") : std::string("0"); };
    std::vector<DraftEdit> edits{{key("n"), std::to_string(n)}, {key("tolerance"), "10"},
                                 {key("xa"), "500"}, {key("ya"), "600"}, {key("xb"), "2500"}, {key("yb"), "600"},
                                 {key("xc"), coordinate(layout.cGiven)}, {key("yc"), coordinate(layout.cGiven)},
                                 {key("xd"), coordinate(layout.dGiven)}, {key("yd"), coordinate(layout.dGiven)},
                                 {key("xe"), coordinate(layout.eGiven)}, {key("ye"), coordinate(layout.eGiven)},
                                 {key("xf"), coordinate(layout.fGiven)}, {key("yf"), coordinate(layout.fGiven)}};
    for (const JobKey& asked : keysAsked(n, layout)) {
        std::string value = "100.5";
        if (asked.family == KeyFamily::pointName) value = "P" + std::to_string(asked.index);
        else if (asked.family == KeyFamily::angleA || asked.family == KeyFamily::angleB) value = "60.0001";
        else if (asked.family == KeyFamily::angleC) value = asked.index % 2 ? "-59.5958" : "59.5958";
        else if (asked.family == KeyFamily::typedTa || asked.family == KeyFamily::typedTb) value = "45.3";
        else if (asked.family == KeyFamily::orientationQa || asked.family == KeyFamily::orientationQb) value = "-12.3";
        else if (!isIndexed(asked.family)) continue;
        edits.push_back({asked, value});
    }
    draft.apply(edits);
    return draft;
}

TEST(JobDraft, OpenKeysAreThoseTheJobAsksUnderEveryLayout)
{
    for (int n : {1, 2, 3, 7}) {
        for (int bits = 0; bits < 16; ++bits) {
            const ChainLayout layout{(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0, (bits & 8) != 0};
            if (!layout.cGiven && layout.dGiven) continue;  // refused: no adjustment case
            SCOPED_TRACE("n " + std::to_string(n) + " layout " + std::to_string(bits));
            const JobDraft draft = filledDraft(n, layout);
            ASSERT_EQ(draft.triangles(), n);
            EXPECT_TRUE(draft.runsThrough()) << draft.summary();
            std::vector<JobKey> open;
            for (const JobFileEntry& entry : draft.entries()) {
                const JobKey held = key(entry.key);
                if (draft.isOpen(held)) open.push_back(held);
                else EXPECT_FALSE(draft.closedReason(held).empty()) << entry.key;
            }
            std::vector<JobKey> asked = keysAsked(n, layout);
            // The coordinates of E and F are held as 0 where the job does not ask them.
            std::sort(open.begin(), open.end(), asksBefore);
            EXPECT_EQ(open, asked);
            EXPECT_FALSE(draft.isOpen({KeyFamily::angleA, n + 1}));
        }
    }
}

TEST(JobDraft, PointAndLayoutAreCheckedAsThePromptsCheckThem)
{
    JobDraft draft = filledDraft(3, {});
    set(draft, "xc", "１００");  // full-width digits, as a Chinese input method types them
    EXPECT_EQ(draft.text(key("xc")), "100");
    const auto faults = draft.faults();
    ASSERT_EQ(faults.size(), 1u);
    EXPECT_EQ(faults[0].keys, (std::vector<JobKey>{key("xc"), key("yc")}));
    EXPECT_EQ(faults[0].refusal.warning, input_messages::oneZeroCoordinate("C"));
    EXPECT_EQ(draft.refusal(key("yc"))->warning, input_messages::oneZeroCoordinate("C"));
    // C with one zero coordinate is not given: the ties stay those of C absent.
    EXPECT_TRUE(draft.isOpen(key("S1")));

    set(draft, "xc", "0");
    set(draft, "xd", "800");
    set(draft, "yd", "900");
    ASSERT_EQ(draft.faults().size(), 1u);
    EXPECT_EQ(draft.faults()[0].phrase(), input_messages::startAbsentEndKnownBrief);
    EXPECT_EQ(draft.refusal(key("xc"))->warning, input_messages::startAbsentEndKnown);
    // D given closes S7, Tb and Qb; their values are kept, unused.
    EXPECT_FALSE(draft.isOpen(key("S7")));
    EXPECT_EQ(draft.text(key("S7")), "100.5");
    EXPECT_NE(std::find(draft.unusedKeys().begin(), draft.unusedKeys().end(), key("S7")), draft.unusedKeys().end());
}

TEST(JobDraft, SummaryNamesWhatIsMissingAndWrongInTableOrder)
{
    JobDraft draft = filledDraft(4, {});
    set(draft, "S7", "");
    set(draft, "S8", "");
    set(draft, "C3", "-59.6600");
    EXPECT_EQ(draft.summary(), "还缺 S7、S8;C3 的分为 66");
    EXPECT_FALSE(draft.runsThrough());
    EXPECT_EQ(draft.misclosure(3), std::nullopt);

    // The misclosure as the job computes it, over the tolerance of 10".
    set(draft, "C3", "59.5800");
    const float w = triangleMisclosure(packedToDegrees(60.0001), packedToDegrees(60.0001), packedToDegrees(59.58));
    EXPECT_EQ(draft.misclosure(3), w);
    EXPECT_TRUE(draft.overTolerance(3));
    EXPECT_EQ(draft.summary(), "还缺 S7、S8;w3 超过限差 10 秒");
    EXPECT_EQ(draft.meanSide(), std::nullopt);
    set(draft, "S7", "100.5");
    set(draft, "S8", "200.5");
    EXPECT_DOUBLE_EQ(*draft.meanSide(), (100.5 * 8 + 200.5) / 9);
}

TEST(JobDraft, ChangingTheCountKeepsTheRowsAndUndoes)
{
    JobDraft draft = filledDraft(4, {});
    set(draft, "N5", "东岭");
    const auto before = draft.entries();

    const DraftChange grown = set(draft, "n", "6");
    EXPECT_EQ(draft.triangles(), 6);
    EXPECT_EQ(draft.text(key("N7")), "东岭");  // B's name follows B
    EXPECT_EQ(draft.text(key("N5")), "");
    EXPECT_EQ(draft.text(key("S9")), "100.5");  // the last side stays with triangle 4
    EXPECT_EQ(draft.text(key("A4")), "60.0001");
    EXPECT_EQ(draft.missingKeys().front(), key("N5"));

    const DraftChange shrunk = set(draft, "n", "3");
    EXPECT_EQ(draft.triangles(), 3);
    EXPECT_EQ(draft.text(key("N4")), "东岭");
    EXPECT_FALSE(draft.holds(key("A4")));
    EXPECT_EQ(draft.text(key("S7")), "100.5");
    const auto after = draft.entries();

    // A count that is not one leaves the rows as they are.
    const DraftChange wrong = set(draft, "n", "abc");
    EXPECT_EQ(draft.triangles(), 3);
    EXPECT_EQ(draft.faults().front().phrase(), "n 不是一个数");

    draft.revert(wrong);
    draft.revert(shrunk);
    draft.revert(grown);
    const auto same = [](const std::vector<JobFileEntry>& a, const std::vector<JobFileEntry>& b) {
        ASSERT_EQ(a.size(), b.size());
        for (std::size_t i = 0; i < a.size(); ++i) {
            EXPECT_EQ(a[i].key, b[i].key);
            EXPECT_EQ(a[i].value, b[i].value) << a[i].key;
        }
    };
    same(draft.entries(), before);
    EXPECT_TRUE(draft.runsThrough());
    draft.reapply(grown);
    draft.reapply(shrunk);
    same(draft.entries(), after);
}

TEST(DraftTable, BlocksOfTextAndPasting)
{
    const auto block = [](std::string_view text) { return *blockOfText(text); };
    using Rows = TextBlock;
    EXPECT_EQ(block("1\t2\t\t4\r\n5\t6\n"), (Rows{{"1", "2", "", "4"}, {"5", "6"}}));
    EXPECT_EQ(block("1, 2 ,3\n4\uFF0C5"), (Rows{{"1", "2", "3"}, {"4", "5"}}));
    EXPECT_EQ(block("  \uFF11\uFF12.5\u3000 7  \n\n8"), (Rows{{"\uFF11\uFF12.5", "7"}, {}, {"8"}}));
    EXPECT_FALSE(blockOfText(std::string(maxBlockColumns + 1, '\t')));
    std::string tall;
    for (std::size_t i = 0; i <= maxBlockRows; ++i) tall += "1\n";
    EXPECT_FALSE(blockOfText(tall));

    JobDraft draft = filledDraft(3, {});
    // Five triangles A B C and their two sides from triangle 2 on: the table grows to 6.
    Rows triangles;
    for (int i = 0; i < 5; ++i) triangles.push_back({"50.0000", "60.0000", "-70.0000", "301.5", "302.5"});
    const auto edits = pasteEdits(draft, {2, static_cast<int>(TableColumn::angleA)}, triangles);
    ASSERT_FALSE(edits.empty());
    EXPECT_EQ(edits.front().key, key("n"));
    EXPECT_EQ(edits.front().text, "6");
    draft.apply(edits);
    EXPECT_EQ(draft.triangles(), 6);
    EXPECT_EQ(draft.text(key("C6")), "-70.0000");
    EXPECT_EQ(draft.text(key("S11")), "301.5");
    EXPECT_EQ(draft.text(key("S12")), "302.5");
    EXPECT_EQ(draft.text(key("N7")), "P4");  // B's name, moved with B
    EXPECT_EQ(draft.misclosure(4), 0.0f);

    // The sides column alone down to B's row: S(2n+1) is B's, no triangle is added.
    Rows sides(7, {"400.5"});
    draft.apply(pasteEdits(draft, {1, static_cast<int>(TableColumn::routeSide)}, sides));
    EXPECT_EQ(draft.triangles(), 6);
    EXPECT_EQ(draft.text(key("S13")), "400.5");

    // Copied out and read back, empty cells and all.
    const Rows copied{{"50.0000", "60.0000", "-70.0000", "400.5", "302.5"}, {"", "", "", "400.5", ""}};
    EXPECT_EQ(block(textOfBlock(copied)), copied);
}

TEST(DraftTable, KeyboardMovesInFieldBookOrderOverOpenCells)
{
    const JobDraft draft = filledDraft(2, {.cGiven = true});
    // From A's name to triangle 1: N1 A1 B1 C1, S1 (computed, closed) skipped, S2.
    std::vector<TablePosition> visited;
    for (auto at = nextOpenCell(draft, {0, 0}, true); at && visited.size() < 6; at = nextOpenCell(draft, *at, true))
        visited.push_back(*at);
    EXPECT_EQ(visited, (std::vector<TablePosition>{{1, 0}, {1, 1}, {1, 2}, {1, 3}, {1, 5}, {2, 0}}));
    EXPECT_EQ(nextOpenCell(draft, {1, 5}, false), (TablePosition{1, 3}));
    EXPECT_EQ(nextOpenCell(draft, {3, 4}, true), std::nullopt);
    for (int row = 0; row < tableRows(2); ++row)
        for (int column = 0; column < tableKeyColumns; ++column)
            if (const auto at = keyAt(row, column, 2)) {
                EXPECT_EQ(cellOf(*at), (TablePosition{row, column}));
            }
}

TEST(JobDraft, FileWithRepeatedAndUnusedValuesOpensWithANotice)
{
    const std::string text = testing::jobText(
        "n = abc\nxc = 100.5\nyc = 200.5\nxe = 5\nN1 = 甲\nA3 = 1\nN1 = 乙\nS9 = 1\n");
    const JobFile file = std::get<JobFile>(parseJobFile(text, "f.kjob"));
    const JobDraft draft = JobDraft::ofFile(file);
    EXPECT_EQ(draft.triangles(), 4);  // S9 is the last side of 4 triangles
    EXPECT_EQ(draft.text(key("N1")), "乙");
    EXPECT_EQ(draft.line(key("N1")), 8);
    const std::string notice = openingNotice(file, draft);
    EXPECT_NE(notice.find("不是三角形的个数;作业表按文件中的序号排出 4 个三角形"), std::string::npos) << notice;
    EXPECT_NE(notice.find("N1:第 6、8 行,用最后一行的数值"), std::string::npos) << notice;
    EXPECT_NE(notice.find("xe = 5(第 5 行):C 是已知点,由已知边起算:不用定向点 E。"), std::string::npos) << notice;
    // Kept: a save writes it again.
    const auto entries = draft.entries();
    EXPECT_TRUE(std::any_of(entries.begin(), entries.end(), [](const JobFileEntry& e) { return e.key == "xe"; }));
    EXPECT_TRUE(openingNotice(std::get<JobFile>(parseJobFile(testing::jobText("n = 2\n"), "g")), JobDraft()).empty());
}

// The grade goes with the draft: read from the file, neither missing nor
// unused nor a fault, set and cleared by one undoable edit, saved again.
TEST(JobDraft, KeepsTheGradeOfItsJob)
{
    const std::string text = testing::jobText(
        "n = 2\ngrade = 自定义\ngrade-angle = 6\ngrade-triangle = 20\ngrade-side = 30000\ngrade-weakest-side = 15000\n");
    JobDraft draft = JobDraft::ofFile(std::get<JobFile>(parseJobFile(text, "f.kjob")));
    ASSERT_TRUE(draft.grade());
    EXPECT_EQ(draft.grade()->name, "自定义");
    EXPECT_EQ(draft.grade()->triangle, 20);
    for (const JobKey& key : draft.unusedKeys()) EXPECT_FALSE(isGradeKey(key.family)) << key.text();
    for (const JobKey& key : draft.missingKeys()) EXPECT_FALSE(isGradeKey(key.family)) << key.text();
    for (const DraftFault& fault : draft.faults()) EXPECT_FALSE(isGradeKey(fault.keys.front().family));

    const DraftChange change = draft.apply(gradeEdits(standardGrade("三等")));
    EXPECT_EQ(draft.grade()->name, "三等");
    EXPECT_EQ(draft.text(JobKey{KeyFamily::gradeAngle, 0}), "");
    const auto entries = draft.entries();
    EXPECT_EQ(std::count_if(entries.begin(), entries.end(), [](const JobFileEntry& e) { return e.key.starts_with("grade"); }), 1);
    draft.revert(change);
    EXPECT_EQ(draft.grade()->name, "自定义");
    draft.apply(gradeEdits(std::nullopt));
    EXPECT_FALSE(draft.grade());
}

}  // namespace
}  // namespace kestrane
