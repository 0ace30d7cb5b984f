// What the window shows and where: flat buttons in their colours, every field
// text whole or in its tooltip, the input box off the fields, texts of an
// earlier job in grey, Qt's dialogs in Chinese, and a window that fits the
// screen.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include "golden_files.h"
#include "input_box_driver.h"
#include "presentation/analysis_window.h"
#include "presentation/client_area.h"
#include "presentation/main_window.h"
#include "presentation/qt_window_fields.h"
#include "presentation/window_layout.h"
#include "printed_report.h"
#include "window_probe.h"

namespace kestrane::guitest {
namespace {

class WindowItems : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    MainWindow window;
    ClientArea& client = *window.client();
};

TEST_F(WindowItems, ButtonsAreFlatInTheirColours)
{
    const std::pair<int, QColor> buttons[] = {
        {1, QColor(192, 255, 192)}, {2, QColor(192, 255, 192)}, {3, QColor(192, 192, 255)}};
    for (const auto& [number, colour] : buttons) {
        QPushButton* button = client.button(number);
        const QImage image = button->grab().toImage();
        // Left of the caption, across the button's height: one flat colour.
        for (int y = image.height() / 4; y <= 3 * image.height() / 4; ++y)
            EXPECT_EQ(image.pixelColor(image.width() / 10, y), colour) << "Command" << number << " at y " << y;
    }
}

// Every text a golden job writes into a field is shown whole, or whole in the
// field's tooltip; the name field's tooltip is always the whole name.
TEST_F(WindowItems, EveryFieldTextShowsWholeOrInItsTooltip)
{
    QtWindowFields fields(client);
    int fitted = 0, inTooltip = 0;
    for (const auto& path : kestrane::testing::goldenTranscripts()) {
        auto log = path;
        log.replace_extension(".log");
        std::istringstream lines(kestrane::testing::readFile(log));
        for (std::string line; std::getline(lines, line);) {
            const QJsonObject event = QJsonDocument::fromJson(QByteArray::fromStdString(line)).object();
            if (!event.contains(QLatin1String("set"))) continue;
            const int number = event.value(QLatin1String("set")).toString().mid(4).toInt();
            const QString text = event.value(QLatin1String("text")).toString();
            fields.setText(fieldNumbered(number), text.toStdString());
            QLineEdit* field = textField(client, number);
            const bool whole = field->fontMetrics().horizontalAdvance(text) <= field->contentsRect().width();
            const QString tooltipText = text.startsWith(QLatin1Char(' ')) ? text.mid(1) : text;
            if (whole) ++fitted;
            else ++inTooltip;
            EXPECT_TRUE(whole || field->toolTip() == tooltipText) << "Text" << number << " \"" << text.toStdString() << "\"";
            if (number == windowNumber(Field::pointName)) {
                EXPECT_EQ(field->toolTip(), tooltipText);
            }
        }
    }
    EXPECT_GT(fitted, 1000);
    // The figures of the 1215-twip fields show whole, not only in a tooltip.
    for (const char* figure : {" -245.89 毫米", "2478.81 毫米"}) {
        fields.setText(Field::weakestPointMx, figure);
        QLineEdit* field = textField(client, windowNumber(Field::weakestPointMx));
        EXPECT_LE(field->fontMetrics().horizontalAdvance(QString::fromUtf8(figure)), field->contentsRect().width()) << figure;
        EXPECT_TRUE(field->toolTip().isEmpty()) << figure;
    }
    std::cout << fitted << " field texts whole, " << inTooltip << " in their tooltips\n";
}

// The input box opens at one place, off the panel of fields, for every
// prompt of a whole job.
TEST_F(WindowItems, TheInputBoxNeverCoversAField)
{
    InputBoxDriver driver(kestrane::testing::goldenJobAnswers("user_guide_example"));
    client.button(1)->click();
    ASSERT_EQ(driver.remaining(), 0u);
    const QRect panel(client.mapToGlobal(QPoint(0, client.scale().px(panelTopTwips))),
                      client.mapToGlobal(QPoint(client.width(), client.height())));
    const QWidget* view = window.findChild<QScrollArea*>()->viewport();
    const QRect visiblePanel = panel.intersected(QRect(view->mapToGlobal(QPoint(0, 0)), view->size()));
    ASSERT_FALSE(visiblePanel.isEmpty());
    QPoint place;
    for (const AskSeen& ask : driver.asks()) {
        EXPECT_FALSE(ask.frame.intersects(visiblePanel)) << ask.prompt;
        if (place.isNull()) {
            place = ask.frame.topLeft();
            std::cout << "input box at " << ask.frame.x() << "," << ask.frame.y() << " " << ask.frame.width() << "x"
                      << ask.frame.height() << "; panel shown from y " << visiblePanel.top() << "\n";
        }
        EXPECT_EQ(ask.frame.topLeft(), place) << ask.prompt;  // one place the eye can learn
    }
}

// The texts of an earlier job are grey until this job writes their fields;
// an abandoned job leaves every text where it was.
TEST_F(WindowItems, TextsOfAnEarlierJobAreGreyUntilWrittenAgain)
{
    runJobThroughWindow(window, kestrane::testing::goldenJobAnswers("user_guide_example"));
    const QLineEdit* count = textField(client, windowNumber(Field::triangleCount));
    const QLineEdit* mb = textField(client, windowNumber(Field::mb));
    const QColor normal = mb->palette().color(QPalette::Text);
    const QString mbBefore = mb->text();
    // A second job: the count is typed, then the job is abandoned.
    runJobThroughWindow(window, {"3", "@cancel", "@abort"});
    EXPECT_EQ(count->text(), QStringLiteral(" 三角锁共有3个三角形"));
    EXPECT_EQ(count->palette().color(QPalette::Text), normal);
    EXPECT_EQ(mb->text(), mbBefore);
    EXPECT_NE(mb->palette().color(QPalette::Text), normal);
}

TEST_F(WindowItems, QtsOwnDialogsSpeakChinese)
{
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), QStringLiteral("取消"));
}

// On any screen the window fits it; on one too small for a legible client
// area (gui.ScreenFit.small) the area keeps its smallest legible size and
// scrolls, so that the three buttons can be reached.
TEST_F(WindowItems, TheWindowFitsTheScreenAndReachesItsButtons)
{
    const QRect available = window.screen()->availableGeometry();
    EXPECT_LE(window.width(), available.width());
    EXPECT_LE(window.height(), available.height());
    auto* view = window.findChild<QScrollArea*>();
    const double devicePixelsPerTwip = window.client()->scale().pxF(1) * window.devicePixelRatio();
    EXPECT_GE(devicePixelsPerTwip, MainWindow::legiblePixelsPerTwip - 1e-9);
    if (client.height() > available.height()) {
        EXPECT_NEAR(devicePixelsPerTwip, MainWindow::legiblePixelsPerTwip, 1e-9);
        EXPECT_TRUE(view->verticalScrollBar()->isVisible());
    }
    for (int number = 1; number <= 3; ++number) {
        view->ensureWidgetVisible(client.button(number));
        const QRect shown = QRect(view->viewport()->mapToGlobal(QPoint(0, 0)), view->viewport()->size());
        const QRect button(client.button(number)->mapToGlobal(QPoint(0, 0)), client.button(number)->size());
        EXPECT_TRUE(shown.contains(button)) << "Command" << number;
    }
}

// 分析 -> 平差分析… waits for a job that ran to its end, then opens the
// analysis of that job in a window of its own.
TEST_F(WindowItems, TheAnalysisMenuOpensTheLastCompleteJobsAnalysis)
{
    QAction* analyse = window.findChild<QAction*>(QStringLiteral("analysisAction"));
    ASSERT_NE(analyse, nullptr);
    EXPECT_FALSE(analyse->isEnabled());
    runJobThroughWindow(window, kestrane::testing::goldenJobAnswers("user_guide_example"));
    EXPECT_TRUE(analyse->isEnabled());
    analyse->trigger();
    auto* opened = window.findChild<AnalysisWindow*>();
    ASSERT_NE(opened, nullptr);
    EXPECT_TRUE(opened->isVisible());
    EXPECT_EQ(opened->analysis().points.size(), window.job().pointName.size());
}

}  // namespace
}  // namespace kestrane::guitest
