// The Qt input box and warning box behind the job's InputBox, the window's
// fields behind WindowFields, and the driver that answers them in tests.
#include <gtest/gtest.h>

#include <functional>

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "input_box_driver.h"
#include "presentation/main_window.h"
#include "presentation/qt_input_box.h"
#include "presentation/qt_window_fields.h"
#include "window_probe.h"

namespace kestrane::guitest {
namespace {

const std::string startOrientationPrompt =
    "输入起始定向角 : 由外方位角起始顺时针旋转为正 ( 即:+Qa );  反时针旋转为负 ( 即:-Qa )";
const std::string confirmPrompt =
    "确认输入的纵座标是否正确  ?  输入正确单击 Enter 键 ;错误输入按 0 ( 即:0 )";

TEST(QtInputBox, ReturnsTheTypedTextAsUtf8)
{
    QtInputBox box(nullptr);
    InputBoxDriver driver({"王家山 12", "-0.3015", "@@5"});
    EXPECT_EQ(box.ask("输入起始点 A 的点名 :", ""), "王家山 12");
    EXPECT_EQ(box.ask("输入已知点 A 纵座标 :", ""), "-0.3015");
    EXPECT_EQ(box.ask("输入正确的点名 :", ""), "@5");
    EXPECT_EQ(driver.remaining(), 0u);
    EXPECT_TRUE(driver.problems().empty());
}

TEST(QtInputBox, CancelAndAnEmptyEnterBothReturnTheEmptyText)
{
    QtInputBox box(nullptr);
    InputBoxDriver driver({"@cancel", ""});
    EXPECT_EQ(box.ask(confirmPrompt, ""), "");
    EXPECT_EQ(box.ask(confirmPrompt, ""), "");
    const auto asks = driver.asks();
    ASSERT_EQ(asks.size(), 2u);
    EXPECT_TRUE(asks[0].cancel);
    EXPECT_FALSE(asks[1].cancel);
    EXPECT_EQ(asks[1].answer, "");
}

TEST(QtInputBox, OpensEmptyWithThePromptAndOnlyTheTitleGiven)
{
    QtInputBox box(nullptr);
    InputBoxDriver driver({"12.5", "", "1"});
    box.ask("输入规范测角限差:", "");
    box.ask("确认输入的方位角是否正确  ?  输入正确单击 Enter 键 ;错误输入 0 ( 即:0 )", "起始方位角");
    // A second box after an answer starts empty again.
    box.ask("输入规范测角限差:", "");

    const auto asks = driver.asks();
    ASSERT_EQ(asks.size(), 3u);
    EXPECT_EQ(asks[0].prompt, "输入规范测角限差:");
    EXPECT_EQ(asks[0].title, "");
    EXPECT_EQ(asks[1].title, "起始方位角");
    EXPECT_EQ(asks[2].title, "");
    for (const AskSeen& ask : asks) EXPECT_TRUE(ask.fieldEmptyAtOpen) << ask.prompt;
}

TEST(QtInputBox, ShowsALongPromptWholeAndStaysOnTheScreen)
{
    QtInputBox box(nullptr);
    std::string longest = startOrientationPrompt;
    for (int i = 0; i < 4; ++i) longest += " " + startOrientationPrompt;  // longer than any screen is wide

    QSize seenSize;
    QTimer measure;
    QObject::connect(&measure, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget()))
            seenSize = dialog->frameGeometry().size();
    });
    measure.start(5);
    InputBoxDriver driver({"1", "2", "3"});
    box.ask(startOrientationPrompt, "");
    box.ask(confirmPrompt, "");
    box.ask(longest, "");
    measure.stop();

    const auto asks = driver.asks();
    ASSERT_EQ(asks.size(), 3u);
    for (const AskSeen& ask : asks) EXPECT_TRUE(ask.promptShownWhole) << ask.prompt;
    ASSERT_TRUE(seenSize.isValid());
    EXPECT_LE(seenSize.width(), QGuiApplication::primaryScreen()->availableGeometry().width());
}

TEST(QtInputBox, WarningOffersToAbandonWhenAsked)
{
    QtInputBox box(nullptr);
    InputBoxDriver driver({"abc", "@abort"});
    // "abc" answers the box that follows the warning: go on with the input.
    EXPECT_FALSE(box.warn("“abc” 不是一个数。", true));
    EXPECT_EQ(box.ask("输入三角形的个数:", ""), "abc");
    EXPECT_TRUE(box.warn("“abc” 不是一个数。", true));
    EXPECT_FALSE(box.warn("法方程无法求解。", false));

    const auto warnings = driver.warnings();
    ASSERT_EQ(warnings.size(), 3u);
    EXPECT_EQ(warnings[0].message, "“abc” 不是一个数。");
    EXPECT_TRUE(warnings[0].canAbandon);
    EXPECT_FALSE(warnings[0].abandoned);
    EXPECT_TRUE(warnings[1].abandoned);
    EXPECT_FALSE(warnings[2].canAbandon);
    EXPECT_TRUE(driver.problems().empty());
}

// Runs action on the next visible modal dialog of type Dialog, once.
template <typename Dialog>
class NextDialog {
public:
    explicit NextDialog(std::function<void(Dialog*)> action) : action_(std::move(action))
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible() || done_) return;
            done_ = true;
            texts_.clear();
            for (QAbstractButton* button : dialog->template findChildren<QAbstractButton*>()) texts_.push_back(button->text());
            icon_ = dialog->property("icon").toInt();
            action_(dialog);
        });
        timer_.start(10);
    }
    QStringList buttonTexts() const { return texts_; }
    int icon() const { return icon_; }

private:
    std::function<void(Dialog*)> action_;
    QTimer timer_;
    bool done_ = false;
    QStringList texts_;
    int icon_ = -1;
};

TEST(QtInputBox, EscapeAndEnterAtAWarningGoOnWithTheInput)
{
    QtInputBox box(nullptr);
    {
        NextDialog<QMessageBox> escape([](QMessageBox* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
        EXPECT_FALSE(box.warn("没有输入数值。", true));
        EXPECT_EQ(escape.icon(), static_cast<int>(QMessageBox::Warning));
        EXPECT_TRUE(escape.buttonTexts().contains(QStringLiteral("继续输入")));
        EXPECT_TRUE(escape.buttonTexts().contains(QStringLiteral("放弃本次计算")));
    }
    {
        NextDialog<QMessageBox> enter([](QMessageBox* dialog) { QTest::keyClick(dialog, Qt::Key_Return); });
        EXPECT_FALSE(box.warn("没有输入数值。", true));
    }
    {
        NextDialog<QMessageBox> escape([](QMessageBox* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
        EXPECT_FALSE(box.warn("法方程无法求解。", false));
        EXPECT_EQ(escape.buttonTexts(), QStringList{QStringLiteral("确定")});
    }
}

TEST(QtInputBox, EscapeInTheInputBoxCancels)
{
    QtInputBox box(nullptr);
    NextDialog<QInputDialog> typeThenEscape([](QInputDialog* dialog) {
        QWidget* entry = dialog->findChild<QLineEdit*>();
        QTest::keyClicks(entry, QStringLiteral("123"));
        QTest::keyClick(entry, Qt::Key_Escape);
    });
    EXPECT_EQ(box.ask("输入三角形的个数:", ""), "");
}

TEST(InputBoxDriver, ReportsAnswersItCouldNotApply)
{
    QtInputBox box(nullptr);
    InputBoxDriver driver({"@abort", "@abort"});
    EXPECT_EQ(box.ask("输入三角形的个数:", ""), "");  // wound down with Cancel
    EXPECT_TRUE(driver.ranOut());
    EXPECT_EQ(driver.problems().size(), 1u);
    EXPECT_EQ(driver.remaining(), 1u);
}

TEST(InputBoxDriver, WindsDownWhenItRunsOutOfAnswers)
{
    QtInputBox box(nullptr);
    InputBoxDriver driver({"7"});
    EXPECT_EQ(box.ask("输入三角形的个数:", ""), "7");
    EXPECT_EQ(box.ask("输入规范测角限差:", ""), "");
    EXPECT_TRUE(box.warn("没有输入数值。", true));  // abandons, ending the job
    EXPECT_TRUE(driver.ranOut());
    EXPECT_EQ(driver.unansweredPrompt(), "输入规范测角限差:");
    EXPECT_EQ(driver.seen().size(), 1u);
}

TEST(QtWindowFields, WritesFieldsAndCaptionsOfTheWindow)
{
    MainWindow window;
    QtWindowFields fields(window);
    fields.setText(Field::triangleCount, " 三角锁共有4个三角形");
    fields.setText(Field::sideAngleMisclosure, " -3.25 毫米");
    fields.setCaption(Label::sideAngleRow, "ws(3)");
    fields.setCaption(Label::pointNameRow, "  A点");
    EXPECT_EQ(fieldText(window, 19).toStdString(), " 三角锁共有4个三角形");
    EXPECT_EQ(fieldText(window, 41).toStdString(), " -3.25 毫米");
    EXPECT_EQ(namedLabel(window, 66)->text().toStdString(), "ws(3)");
    EXPECT_EQ(namedLabel(window, 56)->text().toStdString(), "  A点");

    // Other fields and labels are not touched.
    EXPECT_TRUE(fieldText(window, 18).isEmpty());
    EXPECT_EQ(namedLabel(window, 49)->text().toStdString(), "       w");

    fields.setText(Field::triangleCount, "");
    EXPECT_TRUE(fieldText(window, 19).isEmpty());
}

}  // namespace
}  // namespace kestrane::guitest
