// The job editor in the window: a job typed at the keyboard and five
// triangles pasted from a spreadsheet, undone and redone, then adjusted in
// the main window with no prompt, to the fields the typed job shows; a job
// file with an unused value opened, its known points imported from a CSV,
// saved, and closed with a question about changes not saved. With
// KESTRANE_SCREENSHOT_DIR set, the editor is kept there as the user guide's
// screenshot.
#include <gtest/gtest.h>

#include <fstream>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "golden_files.h"
#include "input_box_driver.h"
#include "input/input_messages.h"
#include "job_file_runs.h"
#include "own_data_window.h"
#include "presentation/analysis_window.h"
#include "presentation/draft_document.h"
#include "presentation/job_editor_actions.h"
#include "presentation/job_editor_window.h"
#include "presentation/job_file_actions.h"
#include "presentation/known_points_dialog.h"
#include "presentation/main_window.h"
#include "presentation/triangle_table_model.h"
#include "presentation/triangle_table_view.h"
#include "synthetic_chain.h"

namespace kestrane::guitest {
namespace {

namespace fs = std::filesystem;

class JobEditorTest : public OwnDataWindow {
protected:
    void TearDown() override
    {
        // Changes left unsaved on purpose are not asked about.
        for (auto* editor : window->findChildren<JobEditorWindow*>()) editor->document().history()->setClean();
        OwnDataWindow::TearDown();
    }

    // The values of a generated job of five triangles, and the fields its
    // typed job shows at the end.
    std::map<std::string, std::string> chainValues(std::map<int, std::string>& fields)
    {
        const auto chain = testing::makeChain(
            {.triangles = 5, .seed = 3, .angleNoise = 2, .sideNoise = 0.004, .tolerance = "20"});
        const fs::path journal = scratch("typed.kjob");
        std::string transcript = "@data\n" + testing::joinedLines(chain.answers);
        const auto typed = testing::replayed(transcript, {.job = {}, .saveJob = journal.string()});
        EXPECT_EQ(typed.status, 0);
        // The window typing the same job shows the same fields.
        {
            InputBoxDriver driver(chain.answers);
            commandButton(*window, 1)->click();
            EXPECT_EQ(driver.remaining(), 0u);
        }
        fields = shownFields(*window);
        return testing::lastValuesOf(testing::journalEntries(journal));
    }
};

// Types the text where the focus is, as a surveyor does: into the table, the
// first key opens the cell's editor and the rest go there; then Enter, or
// the key given.
void typeInto(QWidget* widget, const std::string& text, Qt::Key then = Qt::Key_Return)
{
    const auto focused = [widget] { return QApplication::focusWidget() ? QApplication::focusWidget() : widget; };
    for (const QChar c : QString::fromStdString(text)) QTest::keyClicks(focused(), QString(c));
    QTest::keyClick(focused(), then);
}

TEST_F(JobEditorTest, PastedTrianglesAreAdjustedInTheMainWindow)
{
    std::map<int, std::string> typedFields;
    auto values = chainValues(typedFields);
    window->findChild<QAction*>(QStringLiteral("newJobTableAction"))->trigger();
    JobEditorWindow* editor = window->findChild<JobEditorWindow*>();
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(editor));
    EXPECT_TRUE(editor->isVisible() && window->isEnabled() && !editor->isModal()) << "beside the main window";

    // The control data at the keyboard, Enter moving on to the next field.
    editor->field(KeyFamily::triangleCount)->setFocus();
    for (const JobKey& key : plainKeysInOrder()) {
        if (!values.count(key.text())) continue;
        QLineEdit* field = editor->field(key.family);
        ASSERT_TRUE(field->hasFocus()) << key.text();
        typeInto(field, values[key.text()]);
    }
    EXPECT_FALSE(editor->field(KeyFamily::typedTa)->isEnabled()) << "E is given";
    EXPECT_FALSE(editor->field(KeyFamily::typedTa)->toolTip().isEmpty());
    TriangleTableView* table = editor->table();
    ASSERT_EQ(editor->tableModel()->rowCount(), 7);
    EXPECT_TRUE(table->hasFocus()) << "after the last field, the table";

    // The names down the first column, each taken by the arrow key that
    // moves on; a wrong one typed over.
    const auto cellAt = [&](int row, int column) { return editor->tableModel()->index(row, column); };
    table->setCurrentIndex(cellAt(0, 0));
    for (int i = 0; i <= 6; ++i) {
        EXPECT_EQ(table->currentIndex(), cellAt(i, 0));
        typeInto(table, i == 2 ? "wrong" : values["N" + std::to_string(i)], Qt::Key_Down);
    }
    table->setCurrentIndex(cellAt(2, 0));
    typeInto(table, values["N2"]);
    EXPECT_EQ(cellAt(2, 0).data().toString().toStdString(), values["N2"]);
    EXPECT_EQ(table->currentIndex(), cellAt(2, 1)) << "Enter moves on to A2";

    // Five triangles from a spreadsheet: A B C and the row's two sides, the
    // first angle in full-width digits.
    QString block;
    for (int i = 1; i <= 5; ++i) {
        QStringList row;
        for (const std::string key : {"A", "B", "C"}) row << QString::fromStdString(values[key + std::to_string(i)]);
        row << QString::fromStdString(values["S" + std::to_string(2 * i - 1)])
            << QString::fromStdString(values["S" + std::to_string(2 * i)]);
        block += row.join(QLatin1Char('\t')) + QStringLiteral("\r\n");
    }
    block.replace(0, 1, QChar(0xFF10 + block[0].digitValue()));
    QApplication::clipboard()->setText(block);
    table->setFocus();
    table->setCurrentIndex(cellAt(1, 1));
    QTest::keyClick(table, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(cellAt(1, 1).data().toString().toStdString(), values["A1"]);
    EXPECT_EQ(cellAt(5, 5).data().toString().toStdString(), values["S10"]);
    EXPECT_FALSE(cellAt(3, TriangleTableModel::misclosureColumn).data().toString().isEmpty());
    EXPECT_EQ(editor->summary()->text(), QStringLiteral("还缺 S11"));

    // Undone and done again, as one step.
    QTest::keyClick(table, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(cellAt(1, 1).data().toString().isEmpty());
    QTest::keyClick(table, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(cellAt(4, 3).data().toString().toStdString(), values["C4"]);

    table->setCurrentIndex(cellAt(6, 4));
    typeInto(table, values["S11"]);
    EXPECT_EQ(editor->summary()->text(), QStringLiteral("数值齐全,没有错误"));
    EXPECT_NE(editor->meanSide()->text().indexOf(QStringLiteral("平均边长")), -1);

    // 开始平差: the job runs in the main window from the table, asking nothing.
    InputBoxDriver driver({});
    QTest::keyClick(editor, Qt::Key_F5);
    EXPECT_TRUE(driver.seen().empty()) << driver.seen().front().ask.prompt;
    EXPECT_TRUE(window->hasCompleteJob());
    EXPECT_EQ(shownFields(*window), typedFields);
}

TEST_F(JobEditorTest, FileOpenedImportedSavedAndClosed)
{
    // The user guide's job with a value that C's being known leaves unused.
    const fs::path file = scratch("guide.kjob");
    testing::replayed(testing::readFile(testing::goldenPath("user_guide_example", ".transcript")),
                      {.job = {}, .saveJob = file.string()});
    std::ofstream(file, std::ios::app) << "Tb = 12.3\n";
    JobEditorWindow* editor = nullptr;
    {
        InputBoxDriver driver({});
        editor = window->jobEditorActions()->editJobFile(QString::fromStdString(file.string()));
        ASSERT_NE(editor, nullptr);
        ASSERT_EQ(driver.warnings().size(), 1u);
        EXPECT_NE(driver.warnings()[0].message.find("Tb = 12.3(第 "), std::string::npos) << driver.warnings()[0].message;
    }
    EXPECT_EQ(editor->field(KeyFamily::typedTb)->text(), QStringLiteral("12.3"));
    EXPECT_FALSE(editor->field(KeyFamily::typedTb)->isEnabled());

    // A and B from the CSV the program exports, C as a point that is not known.
    const fs::path csv = scratch("points.csv");
    std::ofstream(csv, std::ios::binary) << "\xEF\xBB\xBF点名,X,Y\r\n王家山,9959.794,20022.772\r\n东岭,11076.173,20601.495\r\n";
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<KnownPointsDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->choice(0)->setCurrentIndex(1);  // 王家山 for A
        dialog->choice(3)->setCurrentIndex(2);  // 东岭 for B
        dialog->choice(1)->setCurrentIndex(1);  // C not known
        dialog->accept();
    });
    ASSERT_TRUE(editor->importKnownPoints(QString::fromStdString(csv.string())));
    const QAbstractItemModel& table = *editor->tableModel();
    EXPECT_EQ(table.index(0, 0).data().toString(), QStringLiteral("王家山"));
    EXPECT_EQ(table.index(3, 0).data().toString(), QStringLiteral("东岭"));
    EXPECT_EQ(editor->field(KeyFamily::xb)->text(), QStringLiteral("11076.173"));
    EXPECT_TRUE(editor->isWindowModified());

    // Saved and read back; then a change, and closing asks about it.
    const QString saved = QString::fromStdString(scratch("saved.kjob").string());
    ASSERT_TRUE(editor->saveAs(saved));
    EXPECT_FALSE(editor->isWindowModified());
    const auto values = testing::lastValuesOf(testing::journalEntries(saved.toStdString()));
    EXPECT_EQ(values.at("N0"), "王家山");
    EXPECT_EQ(values.at("Tb"), "12.3") << "kept, not dropped";

    // A mistyped angle: its cell tinted, its fault in brief at the end of the
    // row, the prompt's own warning at the foot of the window.
    editor->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(editor));
    TriangleTableView* view = editor->table();
    view->setFocus();
    view->setCurrentIndex(table.index(2, 1));
    typeInto(view, "18.6309");
    view->setCurrentIndex(table.index(2, 1));
    EXPECT_EQ(table.index(2, TriangleTableModel::notesColumn).data().toString(), QStringLiteral("A2 的分为 63"));
    EXPECT_EQ(table.index(2, 1).data(Qt::BackgroundRole).value<QColor>(), refusedCellColour);
    EXPECT_EQ(editor->warning()->text().toStdString(),
              "A2:" + input_messages::minutesOrSecondsOf60("18.6309", "18°63′09″"));
    editor->field(KeyFamily::tolerance)->setText(QStringLiteral("5"));
    emit editor->field(KeyFamily::tolerance)->editingFinished();
    QString asked;
    const auto cancelQuestion = [&asked] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        asked = box->text();
        for (QAbstractButton* button : box->buttons())
            if (button->text() == QStringLiteral("取消")) button->click();
    };
    QTimer::singleShot(0, cancelQuestion);
    EXPECT_FALSE(editor->close());
    EXPECT_NE(asked.indexOf(QStringLiteral("尚未保存的修改")), -1);
    EXPECT_TRUE(editor->isVisible());
    // Ending the program asks the same, and 取消 keeps it running.
    asked.clear();
    QTimer::singleShot(0, cancelQuestion);
    EXPECT_FALSE(window->close());
    EXPECT_NE(asked.indexOf(QStringLiteral("尚未保存的修改")), -1);
    EXPECT_TRUE(window->isVisible() && editor->isVisible());

    if (const char* dir = std::getenv("KESTRANE_SCREENSHOT_DIR")) {
        // The mistyped angle, a side not yet typed and a tolerance that the
        // first triangle exceeds.
        editor->field(KeyFamily::tolerance)->setText(QStringLiteral("1"));
        emit editor->field(KeyFamily::tolerance)->editingFinished();
        editor->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(editor));
        view->setFocus();
        view->setCurrentIndex(table.index(3, 4));
        QTest::keyClick(view, Qt::Key_Delete);
        view->setCurrentIndex(table.index(2, 1));
        editor->resize(1000, 700);
        QApplication::processEvents();
        EXPECT_TRUE(editor->grab().save(QString::fromUtf8(dir) + QStringLiteral("/job-editor.png")));
    }
}

// The grade goes with the job: the editor shows the file's and saves the
// one chosen; the job opened from that file takes it into the analysis
// window, and a grade chosen there goes into the next save.
TEST_F(JobEditorTest, TheGradeGoesWithTheJob)
{
    const fs::path file = scratch("graded.kjob");
    testing::replayed(testing::readFile(testing::goldenPath("user_guide_example", ".transcript")),
                      {.job = {}, .saveJob = file.string()});
    std::ofstream(file, std::ios::app) << "grade = 三等\n";
    JobEditorWindow* editor = nullptr;
    {
        InputBoxDriver driver({});  // the notice of the names asked twice in a chain of two
        editor = window->jobEditorActions()->editJobFile(QString::fromStdString(file.string()));
        for (const auto& warning : driver.warnings()) EXPECT_EQ(warning.message.find("检核等级"), std::string::npos);
    }
    ASSERT_NE(editor, nullptr);
    auto* chooser = editor->findChild<QComboBox*>(QStringLiteral("gradeChooser"));
    ASSERT_NE(chooser, nullptr);
    EXPECT_EQ(chooser->currentText(), QStringLiteral("三等"));
    chooser->setCurrentIndex(chooser->findText(QStringLiteral("一级")));
    emit chooser->activated(chooser->currentIndex());
    EXPECT_TRUE(editor->isWindowModified());
    const QString saved = QString::fromStdString(scratch("saved.kjob").string());
    ASSERT_TRUE(editor->saveAs(saved));
    EXPECT_EQ(testing::lastValuesOf(testing::journalEntries(saved.toStdString())).at("grade"), "一级");
    editor->document().history()->undo();
    EXPECT_EQ(chooser->currentText(), QStringLiteral("三等"));
    editor->document().history()->setClean();
    editor->close();

    {
        InputBoxDriver driver({});
        ASSERT_TRUE(window->jobFileActions()->openJobFile(saved));
        for (const auto& warning : driver.warnings()) ADD_FAILURE() << warning.message;
    }
    ASSERT_TRUE(window->jobFileActions()->grade());
    EXPECT_EQ(window->jobFileActions()->grade()->name, "一级");
    window->findChild<QAction*>(QStringLiteral("analysisAction"))->trigger();
    auto* analysis = window->findChild<AnalysisWindow*>();
    ASSERT_NE(analysis, nullptr);
    EXPECT_EQ(analysis->gradeChooser()->currentText(), QStringLiteral("一级"));
    analysis->gradeChooser()->setCurrentIndex(analysis->gradeChooser()->findText(QStringLiteral("二等")));
    EXPECT_EQ(window->jobFileActions()->grade()->name, "二等");
    const QString again = QString::fromStdString(scratch("again.kjob").string());
    ASSERT_TRUE(window->jobFileActions()->saveJobFile(again));
    EXPECT_EQ(testing::lastValuesOf(testing::journalEntries(again.toStdString())).at("grade"), "二等");
    analysis->close();
}

}  // namespace
}  // namespace kestrane::guitest
