#include "dialogue/dialogue.h"
#include "dialogue/job_signals.h"

#include <gtest/gtest.h>

#include "input/value_boxes.h"
#include "input/value_checks.h"
#include "dialogue/full_width.h"
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
    return dialogue.promptValue(xaTexts, coordinateBox(Field::xa), asNumber);
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

// The box of every ask, as the window is told of it: the field concerned,
// and whether that field shows the value being confirmed.
class ConcernedBoxes final : public InputBox {
public:
    explicit ConcernedBoxes(ScriptedIo& io) : io_(io) {}
    std::string ask(const std::string& prompt, const std::string& title) override
    {
        asks.push_back(field_ ? windowId(*field_) + (shown_ ? " shown" : " typing") : "none");
        return io_.ask(prompt, title);
    }
    bool warn(const std::string& message, bool canAbandon) override { return io_.warn(message, canAbandon); }
    void concerning(std::optional<Field> field, bool valueShown) override
    {
        field_ = field;
        shown_ = valueShown;
    }
    Events asks;

private:
    ScriptedIo& io_;
    std::optional<Field> field_;
    bool shown_ = false;
};

TEST(PromptValue, EveryBoxOfAValueConcernsItsField)
{
    ScriptedIo io({"5", "0", "6", "", "3"});
    ConcernedBoxes boxes(io);
    Dialogue dialogue(boxes, io);
    EXPECT_EQ(dialogue.promptValue(xaTexts, coordinateBox(Field::xa), asNumber), "6");
    // The entry, its confirmation, the re-entry and its confirmation.
    EXPECT_EQ(boxes.asks, (Events{"Text1 typing", "Text1 shown", "Text1 typing", "Text1 shown"}));
    // Past the value, a box concerns no field.
    EXPECT_EQ(dialogue.promptUnconfirmed("n", "输入三角形的个数 :", asNumber), "3");
    EXPECT_EQ(boxes.asks.back(), "none");
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

TEST(PromptValue, EnterCancelBlanksAndNonZeroNumbersAccept)
{
    for (const char* answer : {"", "@cancel", "1", "-2.5", "  ", "\u3000", "\uFF11"}) {
        ScriptedIo io({"100", answer});
        EXPECT_EQ(promptXa(io), "100") << answer;
        EXPECT_TRUE(io.allAnswered());
        EXPECT_EQ(io.warnings, 0) << answer;
        EXPECT_EQ(io.fields[Field::xa], " 100.000");
    }
}

// An answer that says neither right nor wrong is not guessed at: a warning
// tells how to answer, and the same question comes again.
TEST(PromptValue, UnclearConfirmationIsAskedAgain)
{
    for (const char* answer : {"n", "否", "no", "错", "y"}) {
        ScriptedIo io({"100", answer, "0", "200", ""});
        EXPECT_EQ(promptXa(io), "200") << answer;
        ASSERT_GE(io.events.size(), 5u);
        EXPECT_EQ(io.events[2], "ask " + xaTexts.firstConfirm + " -> " + answer);
        EXPECT_EQ(io.events[3].rfind(std::string("warn 无法确定 “") + answer + "”", 0), 0u) << io.events[3];
        EXPECT_EQ(io.events[4], "ask " + xaTexts.firstConfirm + " -> 0");  // the same question, not the later one
    }
}

// Full-width forms are read as the ASCII ones in numbers and answers, and
// the mapped text is what is stored and shown; a name keeps what was typed.
TEST(PromptValue, FullWidthFormsReadAsAscii)
{
    ScriptedIo io({"\uFF0D\uFF11\uFF12\u3002\uFF15\u3000", "\uFF10", "\u2212\uFF18\uFF0E\uFF15", ""});
    EXPECT_EQ(promptXa(io), "-8.5");
    EXPECT_EQ(io.events[1], "Text1 =  -12.500");
    EXPECT_EQ(io.events[3], "Text1 = ");  // the full-width zero rejected the first value
    EXPECT_EQ(mappedToAscii("\uFF0B\uFF11\uFF0C\uFF15"), "+1\uFF0C5");  // a comma stays a comma

    ScriptedIo names({"\uFF11\uFF12", ""});
    Dialogue dialogue(names, names);
    EXPECT_EQ(dialogue.promptValue(xaTexts, nameBox(Field::pointName), asName), "\uFF11\uFF12");
}

TEST(PromptValue, NonNumberWarnsAndAsksTheSamePromptAgain)
{
    ScriptedIo io({"12,5", "@cancel", "12.5", ""});
    EXPECT_EQ(promptXa(io), "12.5");
    ASSERT_EQ(io.events.size(), 8u);
    EXPECT_EQ(io.events[0], "ask 输入已知点 A 纵座标 : -> 12,5");
    EXPECT_EQ(io.events[1].rfind("warn “12,5” 不是一个数:小数点要用“.”", 0), 0u) << io.events[1];
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
    dialogue.promptValue(taTexts, packedAngleBox(Field::startAzimuth), asAngle,
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

TEST(PromptValue, EmptyNamesAreAskedAgain)
{
    ScriptedIo io({"", "@cancel", " \u3000 ", "0", ""});
    Dialogue dialogue(io, io);
    const ValueTexts texts{"N0", "name?", "ok?", "ok?", "again:", {}};
    EXPECT_EQ(dialogue.promptValue(texts, nameBox(Field::pointName), asName), "0");
    EXPECT_EQ(io.fields[Field::pointName], " 0");
    EXPECT_EQ(io.warnings, 3);
    EXPECT_EQ(io.events[0], "ask name? -> ");
    EXPECT_EQ(io.events[2], "ask name? -> ");  // the same name prompt again
}

}  // namespace
}  // namespace kestrane
