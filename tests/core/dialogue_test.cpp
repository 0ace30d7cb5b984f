#include "dialogue/dialogue.h"
#include "dialogue/job_signals.h"

#include <gtest/gtest.h>

#include "chain/chain_survey.h"
#include "chain/rounding.h"
#include "input/control_input.h"
#include "input/value_boxes.h"
#include "input/value_checks.h"
#include "scripted_io.h"

namespace kestrane {
namespace {

using testing::ScriptedIo;
using Events = std::vector<std::string>;

const ValueTexts xaTexts{
    "xa",
    "输入已知点 A 纵座标 :",
    "确认输入的纵座标是否正确  ?  输入正确单击 Enter 键 ;错误输入按 0 ( 即:0 )",
    "确认输入的纵座标是否正确  ?  输入正确单击 Enter 键 ;错误输入 0 ( 即:0 ) ",
    "输入正确的纵座标 :",
    {},
};

std::string promptXa(ScriptedIo& io)
{
    Dialogue dialogue(io, io);
    return dialogue.promptValue(xaTexts, coordinateBox(Field::xa), numberText);
}

TEST(PromptValue, ShowsAtOnceAndAgainAfterConfirmation)
{
    ScriptedIo io({"12.3456", ""});
    EXPECT_EQ(promptXa(io), "12.3456");
    EXPECT_EQ(io.events, (Events{
                             "ask 输入已知点 A 纵座标 : -> 12.3456",
                             "Text1 =  12.346",
                             "ask " + xaTexts.firstConfirm + " -> ",
                             "Text1 =  12.346",
                         }));
}

TEST(PromptValue, ZeroAnswersClearTheBoxAndReask)
{
    for (const char* zero : {"0", "0.0", "00", "-0", " 0 "}) {
        ScriptedIo io({"5", zero, "6", zero, "7", "1"});
        EXPECT_EQ(promptXa(io), "7") << zero;
        EXPECT_EQ(io.events, (Events{
                                 "ask 输入已知点 A 纵座标 : -> 5",
                                 "Text1 =  5.000",
                                 "ask " + xaTexts.firstConfirm + " -> " + zero,
                                 "Text1 = ",
                                 "ask 输入正确的纵座标 : -> 6",
                                 "Text1 =  6.000",
                                 "ask " + xaTexts.laterConfirm + " -> " + zero,
                                 "Text1 = ",
                                 "ask 输入正确的纵座标 : -> 7",
                                 "Text1 =  7.000",
                                 "ask " + xaTexts.laterConfirm + " -> 1",
                                 "Text1 =  7.000",
                             }));
    }
}

TEST(PromptValue, AnyOtherConfirmationAccepts)
{
    for (const char* answer : {"", "@cancel", "1", "-2.5", "y", "否"}) {
        ScriptedIo io({"100", answer});
        EXPECT_EQ(promptXa(io), "100") << answer;
        EXPECT_TRUE(io.allAnswered());
        EXPECT_EQ(io.fields[Field::xa], " 100.000");
    }
}

TEST(PromptValue, NonNumberWarnsAndAsksTheSamePromptAgain)
{
    ScriptedIo io({"12,5", "@cancel", "12.5", ""});
    EXPECT_EQ(promptXa(io), "12.5");
    ASSERT_EQ(io.events.size(), 8u);
    EXPECT_EQ(io.events[0], "ask 输入已知点 A 纵座标 : -> 12,5");
    EXPECT_EQ(io.events[1], "warn “12,5” 不是一个数。\n此处需要输入一个数,例如 123.456 或 -0.3015。");
    EXPECT_EQ(io.events[2], "ask 输入已知点 A 纵座标 : -> ");
    EXPECT_EQ(io.events[3].rfind("warn 没有输入数值", 0), 0u);
    EXPECT_EQ(io.events[4], "ask 输入已知点 A 纵座标 : -> 12.5");
    EXPECT_EQ(io.events[5], "Text1 =  12.500");  // nothing was shown for the refused texts
}

TEST(PromptValue, NonNumberAtReentryIsRefusedToo)
{
    ScriptedIo io({"5", "0", "x", "8", ""});
    EXPECT_EQ(promptXa(io), "8");
    EXPECT_EQ(io.warnings, 1);
    EXPECT_EQ(io.events[4], "ask 输入正确的纵座标 : -> x");
    EXPECT_EQ(io.events[6], "ask 输入正确的纵座标 : -> 8");
}

TEST(PromptValue, AbandoningAtAWarningEndsTheJob)
{
    ScriptedIo io({"abc", "@abort"});
    EXPECT_THROW(promptXa(io), JobAbandoned);
    EXPECT_TRUE(io.allAnswered());
    EXPECT_EQ(io.fields.count(Field::xa), 0u);
}

TEST(PromptValue, ConfirmationTitleAndHooks)
{
    const ValueTexts taTexts{"Ta", "输入起始外方位角 :", "first", "later", "输入正确的方位角 :", "起始方位角"};
    ScriptedIo io({"45.3", "0", "45.30", ""});
    Dialogue dialogue(io, io);
    dialogue.promptValue(taTexts, packedAngleBox(Field::startAzimuth), numberText,
                         {[&] { io.setCaption(Label::angleBRow, "after answer"); }, [&] { io.setText(Field::angleB, ""); }});
    EXPECT_EQ(io.events, (Events{
                             "ask 输入起始外方位角 : -> 45.3",
                             "Label47 = after answer",
                             "Text13 =  45.30000",
                             "Text29 = ",
                             "ask first [起始方位角] -> 0",
                             "Text13 = ",
                             "ask 输入正确的方位角 : -> 45.30",
                             "Text13 =  45.30000",
                             "ask later [起始方位角] -> ",
                             "Text13 =  45.30000",
                         }));
}

TEST(PromptValue, NamesTakeAnyText)
{
    ScriptedIo io({"", "@cancel"});
    Dialogue dialogue(io, io);
    const ValueTexts texts{"N0", "name?", "ok?", "ok?", "again:", {}};
    EXPECT_EQ(dialogue.promptValue(texts, nameBox(Field::pointName), anyText), "");
    EXPECT_EQ(io.fields[Field::pointName], " ");
    EXPECT_EQ(io.warnings, 0);
}

TEST(RoundHalfEven, Integers)
{
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(3.5), 4);
    EXPECT_EQ(roundHalfEven(4.5), 4);
    EXPECT_EQ(roundHalfEven(5.5), 6);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(roundHalfEven(2.4999999), 2);
    EXPECT_EQ(roundHalfEven(2.5000001), 3);
}

TEST(ChainSize, CountAndToleranceShownOnceWithoutConfirmation)
{
    ScriptedIo io({"5", "2.5"});
    ChainSurvey job;
    Dialogue dialogue(io, io);
    inputChainSize(job, dialogue);
    EXPECT_EQ(io.events, (Events{
                             "ask 输入三角形的个数: -> 5",
                             "Text19 =  三角锁共有5个三角形",
                             "ask 输入规范测角限差: -> 2.5",
                             "Text18 =  2.5 秒",
                         }));
    EXPECT_EQ(job.triangleCount, 5);
    EXPECT_EQ(job.angleTolerance.value, 2.5);
    EXPECT_EQ(job.pointName.size(), 7u);
}

TEST(ChainSize, CountRoundsHalvesToEven)
{
    for (const auto& [typed, count] : std::vector<std::pair<std::string, int>>{{"4.5", 4}, {"5.5", 6}, {"0.6", 1}}) {
        ScriptedIo io({typed, "1"});
        ChainSurvey job;
        Dialogue dialogue(io, io);
        inputChainSize(job, dialogue);
        EXPECT_EQ(job.triangleCount, count) << typed;
        EXPECT_EQ(io.fields[Field::triangleCount], " 三角锁共有" + std::to_string(count) + "个三角形");
    }
}

TEST(ChainSize, CountOutsideTheRecordIsRefused)
{
    ScriptedIo io({"0", "-3", "6553", "0.5", "1e308", "abc", "6.4", "1"});
    ChainSurvey job;
    Dialogue dialogue(io, io);
    inputChainSize(job, dialogue);
    EXPECT_EQ(io.warnings, 6);
    EXPECT_EQ(job.triangleCount, 6);
    EXPECT_EQ(io.events[3], "warn 三角形的个数须为 1 到 6552 之间的整数;输入的 “-3” 取整后为 -3。");
    EXPECT_EQ(io.events[5], "warn 三角形的个数须为 1 到 6552 之间的整数;输入的 “6553” 取整后为 6553。");
    EXPECT_EQ(io.events[7], "warn 三角形的个数须为 1 到 6552 之间的整数;输入的 “0.5” 取整后为 0。");
}

TEST(ChainSize, ToleranceMustBeANumber)
{
    ScriptedIo io({"3", "", "秒", "0"});
    ChainSurvey job;
    Dialogue dialogue(io, io);
    inputChainSize(job, dialogue);
    EXPECT_EQ(io.warnings, 2);
    EXPECT_EQ(io.fields[Field::tolerance], " 0 秒");
}

}  // namespace
}  // namespace kestrane
