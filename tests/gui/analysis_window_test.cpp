// The analysis window, offscreen: for the three arrangements its summary,
// tables and plot hold what the analysis holds; a planted blunder is named
// in the summary, sorted to the top of its table and marked on the plot; the
// plot zooms and pans; the report prints to PDF and the plot saves as PDF
// and SVG, read back with poppler's tools, xmllint and Qt's own SVG reader;
// the window keeps its figures when the record takes the next job; and with
// no analysis it says why instead of opening.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <map>

#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QGraphicsEllipseItem>
#include <QGraphicsItem>
#include <QGraphicsView>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QProcess>
#include <QScrollBar>
#include <QSvgRenderer>
#include <QTableView>
#include <QTemporaryDir>
#include <QWheelEvent>

#include "analysis/analysis_summary.h"
#include "analysis/analysis_texts.h"
#include "input_box_driver.h"
#include "presentation/analysis_table_model.h"
#include "presentation/analysis_window.h"
#include "presentation/network_view.h"
#include "printed_report.h"
#include "synthetic_chain.h"
#include "whole_job.h"

namespace kestrane::guitest {
namespace {

using testing::finishedRecord;

constexpr double millimetresPerMetre = 1000;

// The golden jobs of the three arrangements.
const char* const arrangementJobs[] = {"typical_n4_orientation_points", "names_n2_known_start",
                                       "known_sides_c_and_d_n4"};

std::unique_ptr<AnalysisWindow> openWindow(const ChainSurvey& job)
{
    auto window = std::make_unique<AnalysisWindow>(analyseChain(job), job);
    window->show();
    QApplication::processEvents();
    return window;
}

// The plot's scene items by kind.
std::map<PlotItemKind, std::vector<QGraphicsItem*>> itemsByKind(const NetworkView& view)
{
    std::map<PlotItemKind, std::vector<QGraphicsItem*>> items;
    for (QGraphicsItem* item : view.scene()->items()) {
        const QVariant kind = item->data(plotItemKindKey);
        if (kind.isValid()) items[static_cast<PlotItemKind>(kind.toInt())].push_back(item);
    }
    return items;
}

std::size_t count(const std::map<PlotItemKind, std::vector<QGraphicsItem*>>& items, PlotItemKind kind)
{
    const auto found = items.find(kind);
    return found == items.end() ? 0 : found->second.size();
}

// The texts of one column of a table as it is sorted now.
std::vector<std::string> column(const QTableView& table, int c)
{
    std::vector<std::string> texts;
    for (int r = 0; r < table.model()->rowCount(); ++r)
        texts.push_back(table.model()->index(r, c).data().toString().toStdString());
    return texts;
}

int runTool(const QString& program, const QStringList& arguments, QString* errors = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000)) return -1;
    if (errors) *errors = QString::fromUtf8(process.readAllStandardError());
    return process.exitCode();
}

class AnalysisOfArrangement : public ::testing::TestWithParam<const char*> {};

// Every figure of the analysis is in the window once: a row per observation
// and per point, an ellipse per free point as large and turned as the
// analysis says, a symbol per point, the weakest point ringed.
TEST_P(AnalysisOfArrangement, SummaryTablesAndPlotShowTheAnalysis)
{
    const auto job = finishedRecord(goldenJobAnswers(GetParam()));
    const ChainAnalysis analysis = analyseChain(*job);
    const auto window = openWindow(*job);

    EXPECT_TRUE(window->isWindow());
    EXPECT_FALSE(window->isModal());
    EXPECT_EQ(window->windowModality(), Qt::NonModal);
    const QString summary = window->summary()->text();
    for (const std::string& line : summaryLines(analysis))
        EXPECT_TRUE(summary.contains(QString::fromStdString(line))) << line;

    ASSERT_EQ(window->observationTable()->model()->rowCount(), static_cast<int>(analysis.observations.size()));
    ASSERT_EQ(window->pointTable()->model()->rowCount(), static_cast<int>(analysis.points.size()));
    EXPECT_EQ(window->observationTable()->model()->columnCount(), observationColumns);
    EXPECT_EQ(window->pointTable()->model()->columnCount(), pointColumns);
    std::vector<std::string> ids, names;
    for (const auto& test : analysis.observations) ids.push_back(observationText(test.id));
    for (const auto& point : analysis.points) names.push_back(point.name);
    EXPECT_EQ(column(*window->observationTable(), obsId), ids);
    EXPECT_EQ(column(*window->pointTable(), ptName), names);

    const auto items = itemsByKind(*window->plotView());
    const NetworkPlot& plot = window->plot();
    std::size_t free = 0;
    for (const auto& point : analysis.points) free += !point.known;
    ASSERT_EQ(count(items, PlotItemKind::ellipse), free);
    for (QGraphicsItem* item : items.at(PlotItemKind::ellipse)) {
        const auto* ellipse = static_cast<QGraphicsEllipseItem*>(item);
        const PointPrecision& point = analysis.points[item->data(plotItemPointKey).toInt()];
        EXPECT_NEAR(ellipse->rect().width() / 2, point.a / millimetresPerMetre * plot.enlargement(), 1e-9);
        EXPECT_NEAR(ellipse->rect().height() / 2, point.b / millimetresPerMetre * plot.enlargement(), 1e-9);
        EXPECT_NEAR(ellipse->rotation(), point.alpha - 90, 1e-9);
        EXPECT_EQ(ellipse->pos(), plot.scenePoint({point.x, point.y}));
    }
    EXPECT_EQ(count(items, PlotItemKind::knownPoint), analysis.points.size() - free);
    EXPECT_EQ(count(items, PlotItemKind::routePoint), free);
    EXPECT_EQ(count(items, PlotItemKind::side) + count(items, PlotItemKind::knownSide), 2 * analysis.triangles.size() + 1);
    EXPECT_EQ(count(items, PlotItemKind::knownSide), static_cast<std::size_t>(cGiven(*job) + dGiven(*job)));
    EXPECT_EQ(count(items, PlotItemKind::orientationPoint), static_cast<std::size_t>(eGiven(*job) + fGiven(*job)));
    EXPECT_EQ(count(items, PlotItemKind::orientationLine), static_cast<std::size_t>(!cGiven(*job) + !dGiven(*job)));
    ASSERT_EQ(count(items, PlotItemKind::weakestMark), 1u);
    EXPECT_EQ(static_cast<std::size_t>(items.at(PlotItemKind::weakestMark)[0]->data(plotItemPointKey).toInt()),
              *weakestPointOf(analysis));
    // The ellipses are enlarged to a round factor, the largest a quarter of a mean side at most.
    EXPECT_LE(plot.largestSemiAxis() / millimetresPerMetre * plot.enlargement(), job->meanSide / 4);
}

INSTANTIATE_TEST_SUITE_P(Arrangements, AnalysisOfArrangement, ::testing::ValuesIn(arrangementJobs));

struct BlunderCase {
    std::unique_ptr<ChainSurvey> clean, blunder;
};

// Chains of 12 triangles in each arrangement, observed with 1.5", and the
// same with 20" added to B7.
BlunderCase blunderCase(ChainCase arrangement)
{
    const int n = 12;
    const auto chain = testing::makeChain(testing::calibratedPlan(n, arrangement, 301, 1.5));
    return {finishedRecord(chain.answers), finishedRecord(testing::withForwardAngleBlunder(chain.answers, n, 7, 20))};
}

TEST(AnalysisWindow, PlantedBlunderIsNamedSortedFirstAndMarked)
{
    for (const ChainCase arrangement :
         {ChainCase::hangingOnA, ChainCase::knownStartSide, ChainCase::knownStartAndEndSide}) {
        SCOPED_TRACE(static_cast<int>(arrangement));
        const BlunderCase chains = blunderCase(arrangement);
        const auto window = openWindow(*chains.blunder);
        EXPECT_TRUE(window->summary()->text().contains(QStringLiteral("第 7 个三角形的前进角 B7 可能有粗差:请核对手簿")))
            << window->summary()->text().toStdString();

        QTableView& table = *window->observationTable();
        table.sortByColumn(obsW, Qt::DescendingOrder);
        EXPECT_EQ(column(table, obsId).front(), "B7");
        EXPECT_EQ(column(table, obsBlunder).front(), analysis_texts::mostLikelyBlunder);
        // Sorted by |w|: no row below has a larger one.
        const auto ws = column(table, obsW);
        for (std::size_t r = 1; r < ws.size(); ++r) {
            if (ws[r] == analysis_texts::noFigure) continue;
            EXPECT_LE(std::fabs(std::stod(ws[r])), std::fabs(std::stod(ws[0])));
        }

        // The wedge stands at B7's vertex, the forward vertex of triangle 7.
        const auto items = itemsByKind(*window->plotView());
        ASSERT_FALSE(items.at(PlotItemKind::suspectMark).empty());
        const NetworkGeometry geometry = networkGeometry(*chains.blunder);
        const QPointF vertex = window->plot().scenePoint(geometry.points[geometry.triangles[6].forwardVertex]);
        bool atVertex = false;
        for (const QGraphicsItem* mark : items.at(PlotItemKind::suspectMark)) atVertex |= mark->pos() == vertex;
        EXPECT_TRUE(atVertex);

        const auto cleanWindow = openWindow(*chains.clean);
        EXPECT_TRUE(cleanWindow->summary()->text().contains(QString::fromStdString(analysis_texts::noSuspect)));
        EXPECT_EQ(count(itemsByKind(*cleanWindow->plotView()), PlotItemKind::suspectMark), 0u);
    }
}

// The report on PDF: the summary sentence, every point name, the plot on a
// page of its own, in the Song face; the plot alone on PDF and as SVG.
TEST(AnalysisWindow, ReportPrintsAndThePlotSavesAsPdfAndSvg)
{
    const BlunderCase chains = blunderCase(ChainCase::hangingOnA);
    const auto window = openWindow(*chains.blunder);
    QTemporaryDir files;
    ASSERT_TRUE(files.isValid());

    const QString report = files.filePath(QStringLiteral("report.pdf"));
    ASSERT_TRUE(window->saveReportAsPdf(report));
    const std::string text = withoutBlanks(pdfText(report));
    EXPECT_NE(text.find(withoutBlanks(blunderSentence({ObservationKind::angleB, 7}))), std::string::npos) << text.substr(0, 2000);
    for (const auto& point : window->analysis().points)
        EXPECT_NE(text.find(point.name), std::string::npos) << point.name;
    EXPECT_NE(text.find(withoutBlanks(analysis_texts::plotTitle)), std::string::npos);
    EXPECT_GE(pdfPageCount(report), 2);
    EXPECT_NE(pdfFonts(report).find("UMing"), std::string::npos) << pdfFonts(report);

    const QString plotPdf = files.filePath(QStringLiteral("plot.pdf"));
    ASSERT_TRUE(window->savePlotAsPdf(plotPdf));
    EXPECT_EQ(pdfPageCount(plotPdf), 1);
    const std::string plotText = pdfText(plotPdf);
    for (const auto& point : window->analysis().points)
        EXPECT_NE(plotText.find(point.name), std::string::npos) << point.name;

    const QString svg = files.filePath(QStringLiteral("plot.svg"));
    ASSERT_TRUE(window->savePlotAsSvg(svg));
    QString errors;
    EXPECT_EQ(runTool(QStringLiteral("xmllint"), {QStringLiteral("--noout"), svg}, &errors), 0)
        << errors.toStdString();
    const QSvgRenderer renderer(svg);
    EXPECT_TRUE(renderer.isValid());
    const std::string content = testing::readFile(svg.toStdString());
    EXPECT_NE(content.find("<svg"), std::string::npos);
    EXPECT_NE(content.find(">P8<"), std::string::npos);  // a name, as text
    // A viewer without 宋体 falls back on a Song face, or at least a serif one.
    EXPECT_NE(content.find("font-family=\"宋体, 'AR PL UMing CN', 'Noto Serif CJK SC', 'SimSun', 'Songti SC', serif\""),
              std::string::npos);
    EXPECT_EQ(content.find("font-family=\"宋体\""), std::string::npos);

    // Where nothing can be written, the window says so.
    InputBoxDriver driver({});
    EXPECT_FALSE(window->savePlotAsSvg(files.filePath(QStringLiteral("no/such/folder/plot.svg"))));
    EXPECT_FALSE(window->saveReportAsPdf(files.filePath(QStringLiteral("no/such/folder/report.pdf"))));
    ASSERT_EQ(driver.warnings().size(), 2u);
    EXPECT_EQ(driver.warnings()[0].message.rfind("保存失败", 0), 0u);
}

// The wheel zooms about the cursor by a fixed step a notch, dragging pans,
// and the fit button brings the whole network back.
TEST(AnalysisWindow, PlotZoomsAndPans)
{
    const auto job = finishedRecord(goldenJobAnswers("typical_n4_orientation_points"));
    const auto window = openWindow(*job);
    NetworkView& view = *window->plotView();
    const double fitted = view.pixelsPerMetre();
    ASSERT_GT(fitted, 0);

    // Six notches in about a point off the centre: that point stays under the cursor.
    const QPointF cursor = QRectF(view.viewport()->rect()).center() + QPointF(40, -30);
    const QPointF under = view.mapToScene(cursor.toPoint());
    QWheelEvent wheel(cursor, view.viewport()->mapToGlobal(cursor), QPoint(), QPoint(0, 6 * 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view.viewport(), &wheel);
    EXPECT_NEAR(view.pixelsPerMetre(), fitted * std::pow(1.25, 6), 1e-9 * fitted);
    const double onePixel = 1 / view.pixelsPerMetre();
    EXPECT_NEAR(view.mapToScene(cursor.toPoint()).x(), under.x(), 2 * onePixel);
    EXPECT_NEAR(view.mapToScene(cursor.toPoint()).y(), under.y(), 2 * onePixel);

    // Dragged 60 pixels left and 40 up, the drawing follows the hand.
    const int across = view.horizontalScrollBar()->value(), down = view.verticalScrollBar()->value();
    auto mouse = [&view](QEvent::Type type, QPointF at, Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, view.viewport()->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(view.viewport(), &event);
    };
    mouse(QEvent::MouseButtonPress, cursor, Qt::LeftButton);
    mouse(QEvent::MouseMove, cursor + QPointF(-60, -40), Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, cursor + QPointF(-60, -40), Qt::NoButton);
    EXPECT_EQ(view.horizontalScrollBar()->value(), across + 60);
    EXPECT_EQ(view.verticalScrollBar()->value(), down + 40);

    view.fitNetwork();
    EXPECT_NEAR(view.pixelsPerMetre(), fitted, 1e-9 * fitted);
}

// The plot as shown: the ellipses in their blue, the suspect in red. With
// KESTRANE_SCREENSHOT_DIR set, the plot pane is kept there as the user
// guide's screenshot.
TEST(AnalysisWindow, PlotIsDrawnOnScreen)
{
    const BlunderCase chains = blunderCase(ChainCase::hangingOnA);
    const auto window = openWindow(*chains.blunder);
    window->resize(1400, 820);
    QApplication::processEvents();
    QWidget* pane = window->plotView()->parentWidget();
    const QImage image = pane->grab().toImage();
    int blue = 0, red = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            blue += c.blue() > 120 && c.red() < 90 && c.green() < 120;
            red += c.red() > 180 && c.green() < 90 && c.blue() < 90;
        }
    }
    EXPECT_GT(blue, 100);
    EXPECT_GT(red, 20);
    if (const char* dir = std::getenv("KESTRANE_SCREENSHOT_DIR")) {
        EXPECT_TRUE(pane->grab().save(QString::fromUtf8(dir) + QStringLiteral("/analysis-plot.png")));
    }
}

// The window copies what it shows: the record may take the next job (or be
// emptied) while the window stays open.
TEST(AnalysisWindow, KeepsItsFiguresWhenTheRecordTakesTheNextJob)
{
    auto job = finishedRecord(goldenJobAnswers("names_n2_known_start"));
    const auto window = openWindow(*job);
    const QString summary = window->summary()->text();
    *job = ChainSurvey{};
    QTemporaryDir files;
    const QString report = files.filePath(QStringLiteral("report.pdf"));
    ASSERT_TRUE(window->saveReportAsPdf(report));
    EXPECT_EQ(window->summary()->text(), summary);
    const std::string text = pdfText(report);
    for (const auto& point : window->analysis().points) EXPECT_NE(text.find(point.name), std::string::npos);
}

TEST(AnalysisWindow, SaysWhyWhenThereIsNoAnalysis)
{
    InputBoxDriver driver({});
    EXPECT_EQ(showAnalysisWindow(nullptr, ChainSurvey{}), nullptr);
    ASSERT_EQ(driver.warnings().size(), 1u);
    EXPECT_EQ(driver.warnings()[0].message, analysis_texts::recordNotAnalysable);

    AnalysisWindow* window = showAnalysisWindow(nullptr, *finishedRecord(goldenJobAnswers("user_guide_example")));
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->testAttribute(Qt::WA_DeleteOnClose));
    window->close();
}

}  // namespace
}  // namespace kestrane::guitest

namespace kestrane::guitest {
namespace {

// The grade chooser: none at first, then a grade of the standard checks the
// job (σ0 becomes its mβ, the verdict stands at the top, the over-limit rows
// are marked red in the check table), 自定义 takes the office's figures, and
// none again leaves the table empty. The report carries table and verdict.
TEST(AnalysisWindow, GradeChooserChecksTheJob)
{
    const auto job = finishedRecord(testing::goldenJobAnswers("user_guide_example"));
    const auto window = openWindow(*job);
    QComboBox* chooser = window->gradeChooser();
    ASSERT_NE(chooser, nullptr);
    EXPECT_EQ(chooser->count(), 7);
    EXPECT_EQ(chooser->itemText(3).toStdString(), "四等");
    EXPECT_EQ(chooser->itemText(6).toStdString(), "自定义");
    EXPECT_EQ(chooser->currentIndex(), 0);
    EXPECT_FALSE(window->verdict()->isVisible());
    EXPECT_EQ(window->checkTable()->model()->rowCount(), 0);

    std::optional<Grade> told;
    QObject::connect(window.get(), &AnalysisWindow::gradeChosen, [&](const std::optional<Grade>& g) { told = g; });
    chooser->setCurrentIndex(3);
    QApplication::processEvents();
    ASSERT_TRUE(told);
    EXPECT_EQ(told->name, "四等");
    ASSERT_TRUE(window->analysis().grading);
    EXPECT_EQ(*window->analysis().globalTest.apriori, 2.5);
    EXPECT_TRUE(window->verdict()->isVisible());
    EXPECT_EQ(window->verdict()->text().toStdString(), "四等:超限 1 项:A2");
    const QAbstractItemModel* table = window->checkTable()->model();
    ASSERT_EQ(table->rowCount(), static_cast<int>(window->analysis().grading->checks.size()));
    EXPECT_EQ(table->columnCount(), 4);
    EXPECT_EQ(table->headerData(0, Qt::Horizontal).toString().toStdString(), "检核项");
    EXPECT_EQ(table->headerData(3, Qt::Horizontal).toString().toStdString(), "结论");
    EXPECT_EQ(table->index(0, 0).data().toString().toStdString(), "三角形闭合差 w1");
    EXPECT_EQ(table->index(0, 2).data().toString().toStdString(), "±9.00 秒");
    EXPECT_EQ(table->index(0, 3).data().toString().toStdString(), "合格");
    const int last = table->rowCount() - 1;
    EXPECT_EQ(table->index(last, 0).data().toString().toStdString(), "求距角 A2");
    EXPECT_EQ(table->index(last, 3).data().toString().toStdString(), "超限");
    EXPECT_EQ(table->index(last, 0).data(Qt::ForegroundRole).value<QBrush>().color(), overLimitColour);
    EXPECT_FALSE(table->index(0, 0).data(Qt::ForegroundRole).isValid());
    EXPECT_NE(window->summary()->text().toStdString().find("(取四等的测角中误差 mβ)"), std::string::npos);
    EXPECT_NE(window->summary()->text().toStdString().find("不评定"), std::string::npos);  // n = 2 < 20

    // The office's own figures: a triangle limit below w1 = 1.1″.
    chooser->setCurrentIndex(6);
    auto* triangle = window->findChild<QDoubleSpinBox*>(QStringLiteral("customTriangle"));
    ASSERT_NE(triangle, nullptr);
    EXPECT_TRUE(triangle->isVisible());
    triangle->setValue(1);
    QApplication::processEvents();
    ASSERT_TRUE(told);
    EXPECT_EQ(told->name, "自定义");
    EXPECT_EQ(told->triangle, 1);
    EXPECT_EQ(window->verdict()->text().toStdString(), "自定义等级:超限 2 项:w1、A2");

    // The report: the verdict and the check table before the observations.
    QTemporaryDir files;
    const QString report = files.filePath(QStringLiteral("report.pdf"));
    ASSERT_TRUE(window->saveReportAsPdf(report));
    const std::string text = withoutBlanks(pdfText(report));
    const auto checks = text.find(withoutBlanks(analysis_texts::checkTableTitle));
    EXPECT_NE(text.find(withoutBlanks("自定义等级:超限 2 项:w1、A2")), std::string::npos);
    EXPECT_NE(checks, std::string::npos);
    EXPECT_LT(checks, text.find(withoutBlanks(analysis_texts::observationTableTitle)));
    EXPECT_NE(text.find("边角条件闭合差W4"), std::string::npos);

    chooser->setCurrentIndex(0);
    QApplication::processEvents();
    EXPECT_FALSE(told);
    EXPECT_FALSE(window->analysis().grading);
    EXPECT_EQ(window->checkTable()->model()->rowCount(), 0);
    EXPECT_FALSE(triangle->isVisible());
}

// Opened with the job's grade, the chooser shows it; the window fits the
// screen, gives the tables their columns, remembers its size and closes on
// Escape.
TEST(AnalysisWindow, FitsTheScreenRemembersItsSizeAndClosesOnEscape)
{
    QSettings().remove(QStringLiteral("analysisWindow/size"));
    const auto job = finishedRecord(testing::goldenJobAnswers("typical_n4_orientation_points"));
    auto window = std::make_unique<AnalysisWindow>(analyseChain(*job, standardGrade("一级")), *job);
    window->show();
    QApplication::processEvents();
    EXPECT_EQ(window->gradeChooser()->currentText().toStdString(), "一级");
    const QSize available = QGuiApplication::primaryScreen()->availableGeometry().size();
    EXPECT_LE(window->width(), available.width());
    EXPECT_LE(window->height(), available.height());
    // The table pane shows every column of the point table without scrolling across.
    const QTableView* points = window->pointTable();
    int columns = 0;
    for (int c = 0; c < points->model()->columnCount(); ++c) columns += points->horizontalHeader()->sectionSize(c);
    EXPECT_GE(window->splitter()->sizes().front(), std::min(columns, window->width() * 65 / 100 - 40));

    window->resize(700, 520);
    QApplication::processEvents();
    const QSize closedAt = window->size();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &escape);
    QApplication::processEvents();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(QSettings().value(QStringLiteral("analysisWindow/size")).toSize(), closedAt);

    const auto again = openWindow(*job);
    EXPECT_EQ(again->size(), closedAt.boundedTo(available));
    QSettings().remove(QStringLiteral("analysisWindow/size"));
}

}  // namespace
}  // namespace kestrane::guitest
