// The print button: the report of a whole job painted on a printer (a PDF
// file here, read back with poppler's tools), the print dialog with its
// preview, and the refusal when no job has run to its end.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <iostream>
#include <set>
#include <tuple>

#include <QApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "input_box_driver.h"
#include "presentation/analysis_window.h"
#include "presentation/fonts.h"
#include "presentation/main_window.h"
#include "job/print_texts.h"
#include "report/report.h"
#include "presentation/report_painter.h"
#include "printed_report.h"
#include "synthetic_chain.h"
#include "window_probe.h"

namespace kestrane::guitest {
namespace {

constexpr double pointsPerInch = 72;
constexpr double twipsPerPoint = 20;
const double reportLeft = reportLeftTwips / twipsPerPoint;  // points from the paper's edge
const double reportTop = reportTopTwips / twipsPerPoint;

void configurePdf(QPrinter& printer, const QString& path)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setOutputFileName(path);
}

// One column of the report at a point size, in points: the average character
// width of the report's face on a printer.
double columnWidth(int points)
{
    QPrinter printer(QPrinter::HighResolution);
    configurePdf(printer, QString());
    const QFontMetricsF metrics(songFont(points, false), &printer);
    return metrics.averageCharWidth() * pointsPerInch / printer.resolution();
}

double columnX(int column, int points)
{
    return reportLeft + (column - 1) * columnWidth(points);
}

// The words with this text, top to bottom and left to right over the pages
// (pdftotext lists them column by column).
std::vector<const PdfWord*> wordsNamed(const PdfLayout& layout, const std::string& text)
{
    std::vector<const PdfWord*> found;
    for (const PdfWord& word : layout.words)
        if (word.text == text) found.push_back(&word);
    std::sort(found.begin(), found.end(), [](const PdfWord* a, const PdfWord* b) {
        return std::tie(a->page, a->yMin, a->xMin) < std::tie(b->page, b->yMin, b->xMin);
    });
    return found;
}

const PdfWord* firstWord(const PdfLayout& layout, const std::string& text)
{
    const auto found = wordsNamed(layout, text);
    return found.empty() ? nullptr : found.front();
}

// The word with this text on the same printed line as another.
const PdfWord* wordBeside(const PdfLayout& layout, const std::string& text, const PdfWord& neighbour)
{
    for (const PdfWord* word : wordsNamed(layout, text))
        if (word->page == neighbour.page && std::abs(word->yMin - neighbour.yMin) < 0.01) return word;
    return nullptr;
}

// The distance between two body lines: the rows of the side table.
double bodyLineSpacing(const PdfLayout& layout)
{
    const auto sides = wordsNamed(layout, "s(");
    return sides.size() >= 3 ? sides[2]->yMin - sides[0]->yMin : 0;  // two per row
}

// Watches for the print dialogs that the button opens, which the input box
// driver leaves alone, and deals with each once.
class PrintDialogWatcher : public QObject {
public:
    std::function<void(QPrintDialog*)> onPrintDialog = [](QPrintDialog* dialog) { dialog->reject(); };
    std::function<void(QPrintPreviewDialog*)> onPreview = [](QPrintPreviewDialog* preview) { preview->reject(); };
    int printDialogs = 0;
    int previews = 0;

    // Lets the watcher deal with the dialog again when it is next on top.
    static void lookAgain(QWidget* dialog) { dialog->setProperty(seenMark, false); }

    PrintDialogWatcher()
    {
        connect(&timer_, &QTimer::timeout, this, [this] { poll(); });
        timer_.start(10);
    }

private:
    void poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || modal->property(seenMark).toBool()) return;
        if (auto* dialog = qobject_cast<QPrintDialog*>(modal)) {
            modal->setProperty(seenMark, true);
            ++printDialogs;
            onPrintDialog(dialog);
        } else if (auto* preview = qobject_cast<QPrintPreviewDialog*>(modal)) {
            modal->setProperty(seenMark, true);
            ++previews;
            onPreview(preview);
        }
    }

    static constexpr const char* seenMark = "kestraneWatcherSeen";
    QTimer timer_;
};

class PrintedReport : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        ASSERT_TRUE(files.isValid());
    }

    void runJob(const std::vector<std::string>& answers)
    {
        runJobThroughWindow(window, answers);
        ASSERT_TRUE(window.hasCompleteJob());
    }

    // The print button's code path with a PDF file as the chosen printer.
    QString printToPdf(const QString& name)
    {
        const QString path = files.filePath(name);
        QPrinter printer(QPrinter::HighResolution);
        configurePdf(printer, path);
        EXPECT_TRUE(window.printReportTo(printer));
        EXPECT_TRUE(QFileInfo::exists(path));
        return path;
    }

    MainWindow window;
    QTemporaryDir files;
};

// ---------------------------------------------------------------------------
// Whole jobs in the three arrangements of known points.

class WholeJobReport : public PrintedReport, public ::testing::WithParamInterface<const char*> {};

TEST_P(WholeJobReport, PrintsEveryTextOfTheReportInOrder)
{
    runJob(goldenJobAnswers(GetParam()));
    const std::vector<ReportLine> lines = buildReport(window.job());
    ASSERT_GT(lines.size(), 40u);

    const std::string printed = withoutFooters(pdfText(printToPdf(QStringLiteral("report.pdf"))));
    // The blanks are the painter's to place; the texts must all be there, in
    // order, with nothing added or lost.
    EXPECT_EQ(withoutBlanks(printed), withoutBlanks(reportText(lines)));
}

INSTANTIATE_TEST_SUITE_P(KnownPoints, WholeJobReport,
                         ::testing::Values("typical_n4_orientation_points", "names_n2_known_start",
                                           "known_sides_c_and_d_n4"));

// ---------------------------------------------------------------------------
// The page: the start position, the two sizes, the column stops.

class ReportLayout : public PrintedReport {
protected:
    void SetUp() override
    {
        PrintedReport::SetUp();
        runJob(goldenJobAnswers("typical_n4_orientation_points"));
        pdf = printToPdf(QStringLiteral("report.pdf"));
        layout = pdfLayout(pdf);
        ASSERT_FALSE(layout.words.empty());
    }

    QString pdf;
    PdfLayout layout;
};

TEST_F(ReportLayout, IsOnA4)
{
    EXPECT_NEAR(layout.pageWidth, 595.3, 0.5);
    EXPECT_NEAR(layout.pageHeight, 841.9, 0.5);
}

TEST_F(ReportLayout, IsSetInTheSongFaceThatStandsIn)
{
    const std::string fonts = pdfFonts(pdf);
    EXPECT_NE(fonts.find("UMing"), std::string::npos) << fonts;
    EXPECT_EQ(fonts.find("Noto"), std::string::npos) << fonts;
    EXPECT_EQ(fonts.find("DejaVu"), std::string::npos) << fonts;
}

TEST_F(ReportLayout, TitleIsInTheLargerFont)
{
    const PdfWord* title = firstWord(layout, "Kestrane");
    const PdfWord* heading = firstWord(layout, "X");  // "点名 X Y" of the given points
    ASSERT_TRUE(title && heading);
    EXPECT_EQ(title->page, 1);
    EXPECT_NEAR(title->height() / heading->height(), double(titlePointSize) / bodyPointSize, 0.02);

    // Everything after the title is in the body size.
    for (const PdfWord& word : layout.words) {
        if (word.page == 1 && std::abs(word.yMin - title->yMin) < 0.01) continue;
        EXPECT_NEAR(word.height(), heading->height(), 0.05) << word.text;
    }
}

TEST_F(ReportLayout, StartsAtTheStartPosition)
{
    const PdfWord* first = firstWord(layout, "---");
    ASSERT_TRUE(first);
    EXPECT_EQ(first->page, 1);
    for (const PdfWord& word : layout.words) EXPECT_GE(word.yMin, first->yMin) << word.text;
    EXPECT_NEAR(first->xMin, columnX(30, titlePointSize), 0.3);
    // The first line's top stands at the start position, give or take the
    // difference between the face's line height and its glyph box.
    EXPECT_NEAR(first->yMin, reportTop, 2.0);
}

TEST_F(ReportLayout, ColumnStopsAreAverageCharacterWidthsFromTheStart)
{
    // "点名" at column 24, "X" at 38 and "Y" at 51, twice: given and adjusted points.
    const auto nameHeadings = wordsNamed(layout, "点名");
    ASSERT_EQ(nameHeadings.size(), 2u);
    for (const PdfWord* name : nameHeadings) {
        SCOPED_TRACE(name->yMin);
        const PdfWord* x = wordBeside(layout, "X", *name);
        const PdfWord* y = wordBeside(layout, "Y", *name);
        ASSERT_TRUE(x && y);
        EXPECT_NEAR(name->xMin, columnX(24, bodyPointSize), 0.3);
        EXPECT_NEAR(x->xMin, columnX(38, bodyPointSize), 0.3);
        EXPECT_NEAR(y->xMin, columnX(51, bodyPointSize), 0.3);
    }
    // A column is half the width of a Chinese character in the Song face.
    EXPECT_NEAR(nameHeadings[0]->xMax - nameHeadings[0]->xMin, 4 * columnWidth(bodyPointSize), 0.1);

    // Headings at column 22, observed values at 24, adjusted ones at 47.
    const PdfWord* heading = firstWord(layout, "起始点座标");
    ASSERT_TRUE(heading);
    EXPECT_NEAR(heading->xMin, columnX(22, bodyPointSize), 0.3);
    const auto sides = wordsNamed(layout, "s(");
    ASSERT_EQ(sides.size(), 2u * 9);
    for (std::size_t row = 0; row < sides.size(); row += 2) {
        EXPECT_NEAR(sides[row]->xMin, columnX(24, bodyPointSize), 0.3);
        EXPECT_NEAR(sides[row + 1]->xMin, columnX(47, bodyPointSize), 0.3);
        EXPECT_NEAR(sides[row]->yMin, sides[row + 1]->yMin, 0.01);
    }
}

TEST_F(ReportLayout, AnIndexTakesASignPlaceAndATrailingBlank)
{
    // "s( 1 )= 698.592" from column 24: "s(" two columns, the sign place, the
    // digit, a blank, ")=" two columns, the blank before the value.
    const auto sides = wordsNamed(layout, "s(");
    ASSERT_FALSE(sides.empty());
    const PdfWord* index = wordBeside(layout, "1", *sides[0]);
    const PdfWord* equals = wordBeside(layout, ")=", *sides[0]);
    const PdfWord* value = wordBeside(layout, "698.592", *sides[0]);
    ASSERT_TRUE(index && equals && value);
    EXPECT_NEAR(index->xMin, columnX(24 + 3, bodyPointSize), 0.3);
    EXPECT_NEAR(equals->xMin, columnX(24 + 5, bodyPointSize), 0.3);
    EXPECT_NEAR(value->xMin, columnX(24 + 8, bodyPointSize), 0.3);
}

// A label that starts column 47 of the line below the given word's.
void expectAtColumn47OfTheLineBelow(const PdfLayout& layout, const PdfWord& label, const PdfWord& above)
{
    EXPECT_NEAR(label.xMin, columnX(47, bodyPointSize), 0.3);
    const double lineSpacing = bodyLineSpacing(layout);
    ASSERT_GT(lineSpacing, 0);
    EXPECT_NEAR(label.yMin - above.yMin, lineSpacing, 0.05);
}

TEST_F(ReportLayout, TextPastAColumnStopGoesOnAtThatColumnOnTheNextLine)
{
    // "起始方位角 Ta= 306.52116" from column 24 runs past column 47, so
    // "起始定向角 Qa=" starts column 47 of the line below.
    const PdfWord* azimuth = firstWord(layout, "起始方位角");
    const PdfWord* orientation = firstWord(layout, "起始定向角");
    const PdfWord* azimuthValue = firstWord(layout, "306.52116");
    ASSERT_TRUE(azimuth && orientation && azimuthValue);
    EXPECT_GT(azimuthValue->xMax, columnX(47, bodyPointSize));
    expectAtColumn47OfTheLineBelow(layout, *orientation, *azimuth);
}

// "闭合方位角 Tb= 26.33542" from column 24 is 23 columns long and ends on
// column 47: printed on, the value would run into "闭合定向角 Qb=". The label
// goes on at column 47 of the line below, as after a text that passed it.
TEST_F(ReportLayout, AValueEndingOnAColumnStopIsNotJoinedToTheNextLabel)
{
    const PdfWord* azimuth = firstWord(layout, "闭合方位角");
    const PdfWord* value = firstWord(layout, "26.33542");
    const PdfWord* orientation = firstWord(layout, "闭合定向角");
    ASSERT_TRUE(azimuth && value && orientation) << layout.raw;
    EXPECT_NEAR(value->yMin, azimuth->yMin, 0.01);
    EXPECT_NEAR(value->xMax, columnX(47, bodyPointSize), 0.3);
    expectAtColumn47OfTheLineBelow(layout, *orientation, *azimuth);
    for (const PdfWord& word : layout.words) EXPECT_EQ(word.text.find("26.33542闭合"), std::string::npos);
}

TEST_F(PrintedReport, PrintingTwiceGivesTheSameDocument)
{
    runJob(goldenJobAnswers("typical_n4_orientation_points"));
    const PdfLayout first = pdfLayout(printToPdf(QStringLiteral("first.pdf")));
    const PdfLayout second = pdfLayout(printToPdf(QStringLiteral("second.pdf")));
    ASSERT_FALSE(first.words.empty());
    EXPECT_EQ(first.raw, second.raw);
}

// ---------------------------------------------------------------------------
// A report longer than a page.

TEST_F(PrintedReport, ALongReportGoesOnOverMorePagesLosingNothing)
{
    kestrane::testing::ChainPlan plan;
    plan.triangles = 40;
    plan.angleNoise = 1.5;
    plan.sideNoise = 0.004;
    runJob(kestrane::testing::makeChain(plan).answers);
    const std::vector<ReportLine> lines = buildReport(window.job());

    const QString path = printToPdf(QStringLiteral("long.pdf"));
    const int pages = pdfPageCount(path);
    EXPECT_GE(pages, 5);
    EXPECT_EQ(withoutBlanks(withoutFooters(pdfText(path))), withoutBlanks(reportText(lines)));

    const PdfLayout layout = pdfLayout(path);
    ASSERT_FALSE(layout.words.empty());
    EXPECT_EQ(layout.words.back().page, pages);
    const double lineSpacing = bodyLineSpacing(layout);
    ASSERT_GT(lineSpacing, 0);
    const double bottom = layout.pageHeight - reportTop;

    for (int page = 1; page <= pages; ++page) {
        SCOPED_TRACE(page);
        // The footer is the line of "第 k 页", in the bottom margin.
        const PdfWord* footer = nullptr;
        for (const PdfWord& word : layout.words)
            if (word.page == page && word.text == "第" && (!footer || word.yMin > footer->yMin)) footer = &word;
        ASSERT_TRUE(footer);
        EXPECT_GT(footer->yMin, bottom);
        EXPECT_LT(footer->yMax, layout.pageHeight);
        double highest = layout.pageHeight, lowest = 0;
        for (const PdfWord& word : layout.words) {
            if (word.page != page || std::abs(word.yMin - footer->yMin) < 0.01) continue;
            highest = std::min(highest, word.yMin);
            lowest = std::max(lowest, word.yMax);
        }
        // Within the margins: the start position above, as much below.
        EXPECT_NEAR(highest, reportTop, 2.0);
        EXPECT_LE(lowest, bottom);
        // A full page is full: at most the blank lines swallowed by the
        // break, the line that did not fit and a heading kept with its first
        // rows are missing at its foot; before the last page, the precision
        // block, which is never split.
        if (page < pages - 1) {
            EXPECT_GT(lowest, bottom - 5 * lineSpacing);
        } else if (page == pages - 1) {
            EXPECT_GT(lowest, bottom - 13 * lineSpacing);
        }
    }
}

// The footer of every page names the job's time, where its values came from
// and the page among the pages; the precision block, which an n = 30 job
// used to split over pages 4 and 5, stands whole on the last page.
TEST_F(PrintedReport, EveryPageNamesTheJobAndThePrecisionBlockIsNotSplit)
{
    kestrane::testing::ChainPlan plan;
    plan.triangles = 30;
    plan.angleNoise = 1.5;
    plan.sideNoise = 0.004;
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    runJob(kestrane::testing::makeChain(plan).answers);
    const QString path = printToPdf(QStringLiteral("n30.pdf"));
    const int pages = pdfPageCount(path);
    EXPECT_EQ(pages, 5);

    const std::vector<std::string> footers = reportFooters(pdfText(path));
    ASSERT_EQ(footers.size(), static_cast<std::size_t>(pages));
    const QDateTime started = window.lastCompleteOrigin().started;
    EXPECT_GE(started, before);
    const std::string when = started.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toStdString();
    for (int page = 1; page <= pages; ++page)
        EXPECT_EQ(footers[page - 1], when + " 手工输入 第 " + std::to_string(page) + " 页 共 " + std::to_string(pages) + " 页");

    const PdfLayout layout = pdfLayout(path);
    const PdfWord* heading = firstWord(layout, "精度统计");
    const PdfWord* relative = firstWord(layout, "最弱点相对起始点相对中误差");
    ASSERT_TRUE(heading && relative);
    EXPECT_EQ(heading->page, pages);
    EXPECT_EQ(relative->page, pages);
    QPrinter printer(QPrinter::HighResolution);
    configurePdf(printer, files.filePath(QStringLiteral("count.pdf")));
    EXPECT_EQ(reportPageCount(printer, buildReport(window.job())), pages);

    // The same lines with nothing kept together: the block is split, a few
    // of its lines alone on the last page.
    std::vector<ReportLine> loose = buildReport(window.job());
    for (ReportLine& line : loose) line.keepWithNext = false;
    QPrinter loosePrinter(QPrinter::HighResolution);
    const QString loosePath = files.filePath(QStringLiteral("loose.pdf"));
    configurePdf(loosePrinter, loosePath);
    ASSERT_TRUE(paintReport(loosePrinter, loose));
    const PdfLayout looseLayout = pdfLayout(loosePath);
    const auto linesOnPage = [](const PdfLayout& pdf, int page) {
        std::set<long> tops;
        for (const PdfWord& word : pdf.words)
            if (word.page == page && word.text != "第") tops.insert(std::lround(word.yMin * 10));
        return static_cast<int>(tops.size()) - 1;  // less the footer's line
    };
    const int loosePages = pdfPageCount(loosePath);
    std::cout << "n = 30: " << pages << " pages, " << linesOnPage(layout, pages) << " printed lines on the last; "
              << "nothing kept together: " << loosePages << " pages, " << linesOnPage(looseLayout, loosePages)
              << " on the last\n";
    EXPECT_LT(linesOnPage(looseLayout, loosePages), linesOnPage(layout, pages));
}

// A name far longer than the space right of its column: the line goes on at
// the name's column below, and nothing passes the right margin or is lost.
TEST_F(PrintedReport, ALineTooLongForThePaperGoesOnBelowLosingNothing)
{
    std::vector<std::string> answers = goldenJobAnswers("typical_n4_orientation_points");
    const std::string longName = "东山三角点" + std::string(30, 'K') + "西岭水准点二号至五号联测方向的中间转点";
    for (std::string& answer : answers)
        if (answer == "K02") answer = longName;
    runJob(answers);
    const std::vector<ReportLine> lines = buildReport(window.job());

    const QString path = printToPdf(QStringLiteral("long-name.pdf"));
    EXPECT_EQ(withoutBlanks(withoutFooters(pdfText(path))), withoutBlanks(reportText(lines)));
    const PdfLayout layout = pdfLayout(path);
    ASSERT_FALSE(layout.words.empty());
    const double rightMargin = layout.pageWidth - reportTop;  // as wide as the top one
    for (const PdfWord& word : layout.words) EXPECT_LE(word.xMax, rightMargin + 0.5) << word.text;
}

// ---------------------------------------------------------------------------
// The print button's dialog.

TEST_F(PrintedReport, TheButtonOpensThePrintDialogWithAPreviewOfTheReport)
{
    runJob(goldenJobAnswers("typical_n4_orientation_points"));
    const int reportPages = pdfPageCount(printToPdf(QStringLiteral("report.pdf")));
    ASSERT_GT(reportPages, 1);

    PrintDialogWatcher watcher;
    QPushButton* previewButton = nullptr;
    int previewPages = -1;
    bool previewPainted = false;
    watcher.onPrintDialog = [&](QPrintDialog* dialog) {
        // The first time round, ask for the preview; when it has been seen,
        // close the dialog without printing.
        if (watcher.previews > 0) {
            dialog->reject();
            return;
        }
        for (QPushButton* button : dialog->findChildren<QPushButton*>())
            if (button->text() == QStringLiteral("打印预览")) previewButton = button;
        if (!previewButton) {
            dialog->reject();
            return;
        }
        PrintDialogWatcher::lookAgain(dialog);  // to be closed after the preview
        QTimer::singleShot(0, previewButton, &QPushButton::click);
    };
    watcher.onPreview = [&](QPrintPreviewDialog* preview) {
        if (auto* pages = preview->findChild<QPrintPreviewWidget*>()) {
            previewPages = pages->pageCount();
            previewPainted = true;
        }
        preview->reject();
    };

    InputBoxDriver driver({});  // no message box is expected; fails below if one came
    commandButton(window, 3)->click();

    EXPECT_EQ(watcher.printDialogs, 2);  // once to preview, once to close
    ASSERT_NE(previewButton, nullptr) << "the print dialog has no \"打印预览\" button";
    EXPECT_EQ(watcher.previews, 1);
    EXPECT_TRUE(previewPainted);
    EXPECT_EQ(previewPages, reportPages);
    EXPECT_TRUE(driver.seen().empty());
}

// Printing from the preview is the one print of the press: the print dialog
// closes with it. The preview opens large, the page fitted to its width. The
// print button and the analysis window's two print buttons open the same
// dialog.
TEST_F(PrintedReport, PrintingFromThePreviewClosesThePrintDialog)
{
    runJob(goldenJobAnswers("typical_n4_orientation_points"));
    AnalysisWindow* analysis = showAnalysisWindow(&window, *window.lastCompleteJob().job());
    ASSERT_NE(analysis, nullptr);
    const std::pair<const char*, QAbstractButton*> buttons[] = {
        {"the print button", commandButton(window, 3)},
        {"the analysis report", analysis->findChild<QPushButton*>(QStringLiteral("printReportButton"))},
        {"the network plot", analysis->findChild<QPushButton*>(QStringLiteral("printPlotButton"))},
    };
    for (const auto& [what, button] : buttons) {
        SCOPED_TRACE(what);
        ASSERT_NE(button, nullptr);
        PrintDialogWatcher watcher;
        QWidget* printDialog = nullptr;
        watcher.onPrintDialog = [&](QPrintDialog* dialog) {
            // Left open by the preview: the watcher closes it the second time round.
            if (watcher.previews > 0) return dialog->reject();
            printDialog = dialog;
            if (auto* preview = dialog->findChild<QPushButton*>(QStringLiteral("printPreviewButton")))
                QTimer::singleShot(0, preview, &QPushButton::click);
        };
        QPrintPreviewWidget::ZoomMode zoom = QPrintPreviewWidget::CustomZoom;
        int previewWidth = 0;
        watcher.onPreview = [&](QPrintPreviewDialog* preview) {
            if (auto* view = preview->findChild<QPrintPreviewWidget*>()) zoom = view->zoomMode();
            previewWidth = preview->width();
            if (printDialog) PrintDialogWatcher::lookAgain(printDialog);
            preview->accept();  // as its print button does once the document has gone to the printer
        };
        InputBoxDriver driver({});
        button->click();
        EXPECT_EQ(watcher.printDialogs, 1);
        EXPECT_EQ(watcher.previews, 1);
        EXPECT_EQ(zoom, QPrintPreviewWidget::FitToWidth);
        EXPECT_GE(previewWidth, window.screen()->availableGeometry().width() * 2 / 3);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
    analysis->close();
}

TEST_F(PrintedReport, APrinterThatCannotTakeTheReportIsSaidSo)
{
    runJob(goldenJobAnswers("typical_n4_orientation_points"));
    QPrinter printer(QPrinter::HighResolution);
    const QString path = files.filePath(QStringLiteral("no such folder/report.pdf"));
    configurePdf(printer, path);

    InputBoxDriver driver({});
    EXPECT_FALSE(window.printReportTo(printer));
    ASSERT_EQ(driver.warnings().size(), 1u);
    EXPECT_EQ(driver.warnings()[0].message, print_texts::failure);
    EXPECT_FALSE(QFileInfo::exists(path));
}

// ---------------------------------------------------------------------------
// No job to its end, no report.

class PrintRefusal : public PrintedReport {
protected:
    // Presses the print button, then tries the print path with a PDF file;
    // both must refuse and print nothing.
    void expectRefusal()
    {
        EXPECT_FALSE(window.hasCompleteJob());
        PrintDialogWatcher watcher;
        InputBoxDriver driver({});
        commandButton(window, 3)->click();
        EXPECT_EQ(watcher.printDialogs, 0);

        const QString path = files.filePath(QStringLiteral("refused.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        configurePdf(printer, path);
        EXPECT_FALSE(window.printReportTo(printer));
        EXPECT_EQ(watcher.printDialogs, 0);
        EXPECT_FALSE(QFileInfo::exists(path));

        const auto warnings = driver.warnings();
        ASSERT_EQ(warnings.size(), 2u);
        for (const WarningSeen& warning : warnings) {
            EXPECT_EQ(warning.message, print_texts::refusal);
            EXPECT_FALSE(warning.canAbandon);
        }
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
};

TEST_F(PrintRefusal, BeforeAnyJob)
{
    expectRefusal();
}

TEST_F(PrintRefusal, AfterAStoppedJob)
{
    runJobThroughWindow(window, goldenJobAnswers("stop_known_ends_n1"));
    expectRefusal();
}

// A stray press of the data-input button, abandoned at once, costs nothing:
// the print button says so, then prints the earlier complete job's report.
TEST_F(PrintedReport, AnAbandonedJobAfterACompleteOneKeepsItsReport)
{
    runJob(goldenJobAnswers("typical_n4_orientation_points"));
    const std::vector<ReportLine> complete = buildReport(window.job());
    // Cancel at the first coordinate, then abandon at the warning.
    runJobThroughWindow(window, {"4", "1.5", "@cancel", "@abort"});
    ASSERT_TRUE(window.hasCompleteJob());

    PrintDialogWatcher watcher;
    InputBoxDriver driver({});
    commandButton(window, 3)->click();
    ASSERT_EQ(driver.warnings().size(), 1u);
    EXPECT_EQ(driver.warnings()[0].message, print_texts::earlierJobNotice);
    EXPECT_EQ(watcher.printDialogs, 1);

    const QString path = printToPdf(QStringLiteral("earlier.pdf"));
    EXPECT_EQ(withoutBlanks(withoutFooters(pdfText(path))), withoutBlanks(reportText(complete)));
}

}  // namespace
}  // namespace kestrane::guitest
