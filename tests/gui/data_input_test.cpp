// The data-input button drives a job through the window's real dialogs.
#include <gtest/gtest.h>

#include <QTest>

#include "input_box_driver.h"
#include "presentation/main_window.h"
#include "window_probe.h"

namespace kestrane::guitest {
namespace {

const std::string countPrompt = "输入三角形的个数:";
const std::string tolerancePrompt = "输入规范测角限差:";

class DataInputButton : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    // Presses Command1 and answers the job's dialogs; returns when the job ends.
    void runJob(InputBoxDriver& driver)
    {
        commandButton(window, 1)->click();
        EXPECT_TRUE(driver.problems().empty());
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }

    std::string text(int field) const { return fieldText(window, field).toStdString(); }

    MainWindow window;
};

// Cancel at the first coordinate brings the warning about a missing number,
// where the job is abandoned.
const std::vector<std::string> countToleranceThenAbandon = {"4", "1.5", "@cancel", "@abort"};

TEST_F(DataInputButton, ShowsTheTriangleCountAndTheTolerance)
{
    InputBoxDriver driver(countToleranceThenAbandon);
    runJob(driver);
    EXPECT_FALSE(driver.ranOut());
    EXPECT_EQ(driver.remaining(), 0u);

    EXPECT_EQ(text(19), " 三角锁共有4个三角形");
    EXPECT_EQ(text(18), " 1.5 秒");
    EXPECT_EQ(window.job().triangleCount, 4);

    const auto asks = driver.asks();
    ASSERT_EQ(asks.size(), 3u);
    EXPECT_EQ(asks[0].prompt, countPrompt);
    EXPECT_EQ(asks[1].prompt, tolerancePrompt);
    EXPECT_EQ(asks[2].prompt, "输入已知点 A 纵座标 :");
    ASSERT_EQ(driver.warnings().size(), 1u);
    EXPECT_TRUE(driver.warnings()[0].abandoned);
    for (const AskSeen& ask : asks) {
        SCOPED_TRACE(ask.prompt);
        EXPECT_EQ(ask.title, "");
        EXPECT_TRUE(ask.fieldEmptyAtOpen);
        EXPECT_TRUE(ask.promptShownWhole);
    }
}

TEST_F(DataInputButton, ACountThatIsNoNumberIsWarnedAboutAndAskedAgain)
{
    InputBoxDriver driver({"abc", "3", "2.0", "@cancel", "@abort"});
    runJob(driver);

    const auto& seen = driver.seen();
    ASSERT_EQ(seen.size(), 6u);
    EXPECT_FALSE(driver.ranOut());
    EXPECT_EQ(seen[0].kind, DialogSeen::Kind::ask);
    EXPECT_EQ(seen[0].ask.answer, "abc");
    ASSERT_EQ(seen[1].kind, DialogSeen::Kind::warning);
    EXPECT_TRUE(seen[1].warning.canAbandon);
    EXPECT_FALSE(seen[1].warning.abandoned);
    EXPECT_NE(seen[1].warning.message.find("abc"), std::string::npos) << seen[1].warning.message;
    ASSERT_EQ(seen[2].kind, DialogSeen::Kind::ask);
    EXPECT_EQ(seen[2].ask.prompt, countPrompt);
    EXPECT_TRUE(seen[2].ask.fieldEmptyAtOpen);
    EXPECT_EQ(text(19), " 三角锁共有3个三角形");
    EXPECT_EQ(text(18), " 2.0 秒");
}

TEST_F(DataInputButton, AbandoningAtTheWarningLeavesTheWindowAsItWas)
{
    {
        InputBoxDriver first(countToleranceThenAbandon);
        runJob(first);
    }
    ASSERT_EQ(text(19), " 三角锁共有4个三角形");

    InputBoxDriver second({"abc", "@abort"});
    runJob(second);

    ASSERT_EQ(second.seen().size(), 2u) << "the job went on after it was abandoned";
    EXPECT_TRUE(second.warnings().at(0).abandoned);
    EXPECT_EQ(second.remaining(), 0u);
    EXPECT_FALSE(second.ranOut());
    EXPECT_EQ(text(19), " 三角锁共有4个三角形");
    EXPECT_EQ(text(18), " 1.5 秒");
    EXPECT_EQ(window.job().triangleCount, 4);
}

TEST_F(DataInputButton, CancelAtTheCountIsWarnedAboutLikeAnEmptyAnswer)
{
    InputBoxDriver driver({"@cancel", "@abort"});
    runJob(driver);

    ASSERT_EQ(driver.seen().size(), 2u);
    EXPECT_TRUE(driver.asks().at(0).cancel);
    EXPECT_TRUE(driver.warnings().at(0).canAbandon);
    EXPECT_TRUE(driver.warnings().at(0).abandoned);
    EXPECT_TRUE(text(19).empty());
    EXPECT_TRUE(text(18).empty());
}

}  // namespace
}  // namespace kestrane::guitest
