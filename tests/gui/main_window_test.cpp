// The window as it opens: its controls, captions, fonts, colours and places,
// and the exit button.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTest>
#include <QTimer>

#include "chain/version.h"
#include "presentation/client_area.h"
#include "presentation/main_window.h"
#include "input_box_driver.h"
#include "window_probe.h"

namespace kestrane::guitest {
namespace {

const QColor lightYellow(255, 255, 192);

std::string str(const QString& text)
{
    return text.toStdString();
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    MainWindow window;
    // The client area below the menu bar, where every control stands in twips.
    const QWidget& client = *window.client();
};

// The fields with the caption beside each and the heading above the column,
// as the surveyor reads them.
struct FieldCaption {
    int field;
    const char* caption;
    const char* heading;  // "" for none
};

const FieldCaption fieldCaptions[] = {
    {1, " A 点纵座标", ""}, {2, " A 点横座标", ""}, {5, " C 点纵座标", ""}, {6, " C 点横座标", ""},
    {7, " D 点纵座标", ""}, {8, " D 点横座标", ""}, {3, " B 点纵座标", ""}, {4, " B 点横座标", ""},
    {9, "定向点 E 纵座标", ""}, {10, "定向点 E 横座标", ""}, {11, "定向点 F 纵座标", ""},
    {12, "定向点 F 横座标", ""}, {13, "起算方位角", ""}, {14, "起始定向角", ""}, {15, "闭合方位角", ""},
    {16, "闭合定向角", ""}, {19, " 图形个数说明 ", ""}, {18, "规范测角限差", ""}, {17, "平均边长", ""},
    {20, " mb", "单位权测角中误差"}, {21, " ms", "单位权测边中误差"},
    {22, "1/px", ""}, {23, "1/py", ""}, {24, " mx", ""}, {25, " my", ""}, {26, " md", ""}, {27, " 1/m", ""},
    {38, " wb", "方位角闭合差"}, {39, " wx", "纵座标闭合差"}, {40, " wy", "横座标闭合差"},
    {28, "  A", " 求距角"}, {29, "  B", " 前进角"}, {30, "  C", " 间隔角"}, {31, "       w", "三角形闭合差"},
    {32, "边长输入说明", ""}, {33, " 奇数边", ""}, {34, "偶数边", ""}, {41, "     ws", "边条件闭合差"},
    {35, "   Ni", "点  名"}, {36, " Xp", "纵 座 标"}, {37, " Yp", "横 座 标"},
};

const char* const schematicCaptions[] = {
    "A", "B", "C", "D", "E", "F", "Ta", "Tb", "Qa", "Qb",
    "[xa,ya]", "[xb,yb]", "[xc,yc]", "[xd,yd]", "[xe,ye]", "[xf,yf]",
    "a(1)", "b(1)", "c(1)", "a(2)", "b(2)", "c(2)", "a(3)", "b(3)", "c(3)", "a(n)", "b(n)", "c(n)",
    "S(1)", "S(2)", "S(3)", "S(4)", "S(5)", "S(6)", "S(7)", "S(2n)", "S(2n+1)",
    "1", "2", "3", "4",
    "注记说明 :", "Ta ,Tb 为外方位角", "Qa ,Qb 为定向角", "当 C,D,E,F 点为已知点时输入其点的座标  ",
};

const char* const sectionCaptions[] = {"精度统计:", "观测数据:", "平差结果:"};

TEST_F(MainWindowTest, IsForm1WithItsTitleBackgroundAndSize)
{
    EXPECT_EQ(str(window.objectName()), "Form1");
    EXPECT_EQ(str(window.windowTitle()), "Kestrane");
    EXPECT_TRUE(client.autoFillBackground());
    EXPECT_EQ(client.palette().color(QPalette::Window), lightYellow);

    // The client area is about 13200 x 10700 twips at the screen's logical
    // resolution; the window adds its menu bar above it.
    const double pixelsPerTwip = window.logicalDpiX() / 1440.0;
    EXPECT_NEAR(client.width(), 13200 * pixelsPerTwip, 1.0);
    EXPECT_NEAR(client.height(), 10700 * pixelsPerTwip, 1.0);
    EXPECT_EQ(client.mapTo(&window, QPoint(0, 0)).y(), window.menuBar()->height());
}

TEST_F(MainWindowTest, HasFortyOneEmptyReadOnlyFieldsInBoldSong)
{
    EXPECT_EQ(window.findChildren<QLineEdit*>().size(), 41);
    for (int n = 1; n <= 41; ++n) {
        SCOPED_TRACE("Text" + std::to_string(n));
        QLineEdit* field = textField(window, n);
        ASSERT_NE(field, nullptr);
        EXPECT_TRUE(field->isVisible());
        EXPECT_TRUE(field->text().isEmpty());
        EXPECT_TRUE(field->isReadOnly());
        EXPECT_EQ(str(field->font().family()), "宋体");
        EXPECT_TRUE(field->font().bold());
        EXPECT_DOUBLE_EQ(field->font().pointSizeF(), 9.0);
        // 285 twips high.
        EXPECT_NEAR(field->height(), 285 * window.logicalDpiY() / 1440.0, 1.0);
    }
}

TEST_F(MainWindowTest, ShowsEveryStaticCaptionOnceOnTheYellowGround)
{
    std::vector<std::string> expected(std::begin(schematicCaptions), std::end(schematicCaptions));
    expected.insert(expected.end(), std::begin(sectionCaptions), std::end(sectionCaptions));
    // The captions beside Text28..Text31, Text35 and Text41 change during a job.
    const std::set<int> changeable = {28, 29, 30, 31, 35, 41};
    for (const FieldCaption& f : fieldCaptions) {
        if (!changeable.count(f.field)) expected.push_back(f.caption);
        if (*f.heading) expected.push_back(f.heading);
    }
    ASSERT_EQ(expected.size(), 45u + 3u + 35u + 13u);

    for (const std::string& caption : expected) {
        SCOPED_TRACE("caption \"" + caption + "\"");
        const QList<QLabel*> labels = labelsCaptioned(client, QString::fromStdString(caption));
        ASSERT_EQ(labels.size(), 1);
        QLabel* label = labels.front();
        EXPECT_TRUE(label->isVisible());
        EXPECT_TRUE(client.rect().contains(label->geometry()));
        EXPECT_TRUE(label->autoFillBackground());
        EXPECT_EQ(label->palette().color(QPalette::Window), lightYellow);
    }
}

TEST_F(MainWindowTest, ChangeableLabelsStartWithTheirFirstCaptions)
{
    const std::map<int, std::string> initial = {
        {46, "  A"}, {47, "  B"}, {48, "  C"}, {49, "       w"}, {56, "   Ni"}, {66, "     ws"},
        {57, " Xp"}, {58, " Yp"},
    };
    for (const auto& [number, caption] : initial) {
        SCOPED_TRACE("Label" + std::to_string(number));
        QLabel* label = namedLabel(window, number);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(str(label->text()), caption);
        EXPECT_TRUE(label->isVisible());
    }
}

TEST_F(MainWindowTest, EveryFieldHasItsCaptionBesideItAndItsHeadingAbove)
{
    for (const FieldCaption& f : fieldCaptions) {
        SCOPED_TRACE("Text" + std::to_string(f.field) + " \"" + f.caption + "\"");
        QLineEdit* field = textField(window, f.field);
        ASSERT_NE(field, nullptr);
        QLabel* caption = nullptr;
        for (QLabel* label : labelsCaptioned(client, QString::fromUtf8(f.caption)))
            if (label->buddy() == field) caption = label;
        ASSERT_NE(caption, nullptr) << "no caption with this field as its buddy";

        const QRect c = caption->geometry();
        const QRect t = field->geometry();
        const bool onTheLeft = c.right() < t.left() && t.left() - c.right() <= 4 &&
                               std::abs(c.center().y() - t.center().y()) <= 2;
        const bool onTheLineAbove = c.bottom() < t.top() && t.top() - c.bottom() <= 6 &&
                                    c.left() >= t.left() - 2 && c.left() < t.right();
        EXPECT_TRUE(onTheLeft || onTheLineAbove) << "caption at " << c.x() << "," << c.y() << " field at "
                                                 << t.x() << "," << t.y();

        if (!*f.heading) continue;
        const QList<QLabel*> headings = labelsCaptioned(client, QString::fromUtf8(f.heading));
        ASSERT_EQ(headings.size(), 1);
        const QRect h = headings.front()->geometry();
        const QRect column = c.united(t);
        EXPECT_LT(h.bottom(), column.top());
        EXPECT_LE(column.top() - h.bottom(), 6);
        EXPECT_TRUE(h.left() < column.right() && h.right() > column.left()) << "heading not over its column";
    }
}

TEST_F(MainWindowTest, CaptionsHaveTheFontsOfTheirKind)
{
    auto fontOf = [&](const char* caption) { return labelsCaptioned(client, QString::fromUtf8(caption)).value(0)->font(); };

    for (const char* section : sectionCaptions) {
        SCOPED_TRACE(section);
        EXPECT_EQ(str(fontOf(section).family()), "宋体");
        EXPECT_DOUBLE_EQ(fontOf(section).pointSizeF(), 10.5);
        EXPECT_TRUE(fontOf(section).bold());
    }
    for (const char* letter : {"A", "B", "C", "D", "E", "F", "1", "2", "3", "4"}) {
        SCOPED_TRACE(letter);
        EXPECT_EQ(str(fontOf(letter).families().value(0)), "MS Sans Serif");
        EXPECT_DOUBLE_EQ(fontOf(letter).pointSizeF(), 12.0);
        EXPECT_TRUE(fontOf(letter).bold());
    }
    for (const char* azimuth : {"Ta", "Tb"}) EXPECT_DOUBLE_EQ(fontOf(azimuth).pointSizeF(), 9.75);
    for (const char* symbol : {"Qa", "[xa,ya]", "a(n)", "S(2n+1)", " mb", "1/px"}) {
        SCOPED_TRACE(symbol);
        EXPECT_EQ(str(fontOf(symbol).families().value(0)), "MS Sans Serif");
        EXPECT_DOUBLE_EQ(fontOf(symbol).pointSizeF(), 8.25);
    }
    for (const char* chinese : {"注记说明 :", " A 点纵座标", "单位权测角中误差", "点  名"}) {
        SCOPED_TRACE(chinese);
        EXPECT_EQ(str(fontOf(chinese).family()), "宋体");
        EXPECT_DOUBLE_EQ(fontOf(chinese).pointSizeF(), 9.0);
        EXPECT_TRUE(fontOf(chinese).bold());
    }
}

TEST_F(MainWindowTest, HasTheThreeButtonsInTheBottomRow)
{
    const struct {
        int number;
        const char* caption;
        QColor background;
    } buttons[] = {
        {1, "数据输入", QColor(192, 255, 192)},
        {2, "退出计算", QColor(192, 255, 192)},
        {3, "打 印", QColor(192, 192, 255)},
    };
    EXPECT_EQ(window.findChildren<QPushButton*>().size(), 3);
    int previousRight = 0;
    for (const auto& b : buttons) {
        SCOPED_TRACE("Command" + std::to_string(b.number));
        QPushButton* button = commandButton(window, b.number);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(str(button->text()), b.caption);
        EXPECT_EQ(button->palette().color(QPalette::Button), b.background);
        EXPECT_TRUE(button->isEnabled());
        EXPECT_EQ(str(button->font().family()), "宋体");
        EXPECT_GT(button->x(), previousRight);
        previousRight = button->geometry().right();
        // Below every field.
        for (QLineEdit* field : window.findChildren<QLineEdit*>()) EXPECT_GT(button->y(), field->geometry().bottom());
    }
}

// The captions stay as they are; Alt+D, Alt+X and Alt+P are their keys.
TEST_F(MainWindowTest, ButtonsHaveShortcutsAndTheWindowItsIcon)
{
    const char* captions[] = {"数据输入", "退出计算", "打 印"};
    const QKeySequence keys[] = {QKeySequence(Qt::ALT | Qt::Key_D), QKeySequence(Qt::ALT | Qt::Key_X),
                                 QKeySequence(Qt::ALT | Qt::Key_P)};
    for (int number = 1; number <= 3; ++number) {
        SCOPED_TRACE(number);
        const QPushButton* button = commandButton(client, number);
        EXPECT_EQ(str(button->text()), captions[number - 1]);
        EXPECT_EQ(button->shortcut(), keys[number - 1]);
        EXPECT_TRUE(button->toolTip().contains(keys[number - 1].toString(QKeySequence::NativeText)));
    }
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    InputBoxDriver driver({"@cancel", "@abort"});
    QTest::keyClick(&window, Qt::Key_D, Qt::AltModifier);
    // The shortcut presses the button as a click of the mouse would, a moment later.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window.statusText().isEmpty(); }, 5000));
    ASSERT_FALSE(driver.asks().empty()) << "Alt+D starts a job";
    EXPECT_EQ(str(window.statusText()), "上次作业:放弃(手工输入)");

    ASSERT_FALSE(window.windowIcon().isNull());
    EXPECT_FALSE(window.windowIcon().availableSizes().isEmpty());
    const QImage icon = window.windowIcon().pixmap(64, 64).toImage();
    EXPECT_NE(icon.pixelColor(32, 32).alpha() + icon.pixelColor(16, 16).alpha(), 0) << "the drawing is painted";
}

TEST_F(MainWindowTest, ExitButtonEndsTheProgramWithoutAQuestion)
{
    QTimer failSafe;
    failSafe.setSingleShot(true);
    QObject::connect(&failSafe, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    failSafe.start(5000);
    QTimer::singleShot(0, commandButton(window, 2), &QPushButton::click);

    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// The layout, checked in whatever fonts this machine substitutes.

std::vector<QWidget*> panelControls(const QWidget& window)
{
    std::vector<QWidget*> controls;
    for (QWidget* child : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        auto* label = qobject_cast<QLabel*>(child);
        // The captions of the drawing stand on its lines by design.
        if (label && label->y() < 2520 * window.logicalDpiY() / 1440) continue;
        controls.push_back(child);
    }
    return controls;
}

TEST_F(MainWindowTest, NoControlOfThePanelCoversAnother)
{
    const std::vector<QWidget*> controls = panelControls(client);
    ASSERT_GT(controls.size(), 41u + 3u + 41u);
    for (std::size_t i = 0; i < controls.size(); ++i) {
        EXPECT_TRUE(client.rect().contains(controls[i]->geometry()));
        for (std::size_t j = i + 1; j < controls.size(); ++j) {
            const QRect overlap = controls[i]->geometry().intersected(controls[j]->geometry());
            EXPECT_TRUE(overlap.isEmpty()) << str(controls[i]->objectName()) << " \""
                                           << str(controls[i]->property("text").toString()) << "\" and "
                                           << str(controls[j]->objectName()) << " \""
                                           << str(controls[j]->property("text").toString()) << "\"";
        }
    }
}

bool captionFits(const QLabel* label, const QString& text)
{
    const QFontMetrics metrics(label->font());
    return metrics.horizontalAdvance(text) <= label->contentsRect().width() &&
           metrics.capHeight() <= label->contentsRect().height();
}

TEST_F(MainWindowTest, EveryCaptionShowsWhole)
{
    for (QLabel* label : window.findChildren<QLabel*>()) {
        SCOPED_TRACE(str(label->text()));
        EXPECT_TRUE(captionFits(label, label->text()));
    }
    // The captions a job of up to 12 triangles gives the changeable labels.
    const std::map<int, std::vector<const char*>> jobCaptions = {
        {46, {"A(12)"}}, {47, {"B(12)"}}, {48, {"C(12)"}}, {49, {"wb(12)"}},
        {66, {"ws(24)"}}, {56, {"  A点", "  B点", " C点", " D点", " N(12)", " N(12 )"}},
    };
    for (const auto& [number, captions] : jobCaptions)
        for (const char* caption : captions) {
            SCOPED_TRACE(caption);
            EXPECT_TRUE(captionFits(namedLabel(window, number), QString::fromUtf8(caption)));
        }
}

// The width inside a field's frame and margins.
int textRoom(const QLineEdit* field)
{
    QStyleOptionFrame option;
    option.initFrom(field);
    option.rect = field->rect();
    option.lineWidth = field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, field);
    const QRect contents = field->style()->subElementRect(QStyle::SE_LineEditContents, &option, field);
    const QMargins margins = field->textMargins();
    return contents.width() - margins.left() - margins.right() - 2 * 2;  // QLineEdit's own margin
}

TEST_F(MainWindowTest, FieldsShowTheTextsAJobWritesWhole)
{
    const std::map<int, std::vector<const char*>> typical = {
        {1, {" 3456789.123"}}, {5, {"不是已知边起算"}}, {7, {"不在已知边闭合"}}, {9, {"由已知边起算"}},
        {11, {"由外定向点定向", "由已知边闭合"}}, {13, {" 359.59599"}}, {19, {" 三角锁共有12个三角形"}},
        {18, {" 10.5 秒"}}, {17, {"1234.57 米"}}, {28, {" 359.59599"}}, {29, {" 359.59599"}},
        {30, {" 359.59599"}}, {31, {" -12.34 秒"}}, {32, {"现在输入第 25 条边"}}, {33, {"s25=1234.567"}},
        {34, {"s24=1234.567"}}, {41, {" -45.67 毫米"}}, {38, {" -12.34 秒"}}, {39, {" -45.67 毫米"}},
        {40, {" -45.67 毫米"}}, {35, {" 王家山"}}, {36, {" 3456789.123"}}, {37, {" 3456789.123"}},
    };
    for (const auto& [number, texts] : typical)
        for (const char* text : texts) {
            SCOPED_TRACE("Text" + std::to_string(number) + " \"" + text + "\"");
            const QLineEdit* field = textField(window, number);
            EXPECT_LE(field->fontMetrics().horizontalAdvance(QString::fromUtf8(text)), textRoom(field));
        }
}

// 帮助 -> 关于 Kestrane: a box that names the program, its version and what it
// does, and closes with its one button.
TEST_F(MainWindowTest, AboutBoxNamesTheProgramAndItsVersion)
{
    const QMenu* help = window.findChild<QMenu*>(QStringLiteral("helpMenu"));
    QAction* about = window.findChild<QAction*>(QStringLiteral("aboutAction"));
    ASSERT_NE(help, nullptr);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(str(help->title()), "帮助(&H)");
    EXPECT_TRUE(window.menuBar()->actions().contains(help->menuAction()));
    EXPECT_TRUE(help->actions().contains(about));
    EXPECT_EQ(str(about->text()), "关于 Kestrane(&A)");

    QString title, text;
    int polls = 0;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box && ++polls < 500) return;
        poll.stop();
        if (!box) return;
        title = box->windowTitle();
        text = box->text();
        box->accept();
    });
    poll.start(10);
    about->trigger();
    EXPECT_EQ(str(title), "关于 Kestrane");
    EXPECT_TRUE(text.startsWith(QStringLiteral("Kestrane ") + QString::fromUtf8(programVersion) + QLatin1Char('\n')))
        << str(text);
    EXPECT_TRUE(text.contains(QStringLiteral("三角锁"))) << str(text);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
}  // namespace kestrane::guitest
