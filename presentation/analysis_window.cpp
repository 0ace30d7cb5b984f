#include "presentation/analysis_window.h"

#include <QBoxLayout>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QSvgGenerator>
#include <QTabWidget>
#include <QTableView>

#include "analysis/analysis_summary.h"
#include "analysis/analysis_texts.h"
#include "analysis/network_geometry.h"
#include "chain/text.h"
#include "presentation/analysis_table_model.h"
#include "presentation/fonts.h"
#include "presentation/network_view.h"
#include "presentation/print_dialog.h"
#include "presentation/qt_input_box.h"

namespace kestrane {
namespace {

namespace texts = analysis_texts;

constexpr double windowTextSize = 9;
constexpr double summaryTextSize = 10.5;
constexpr int initialWidth = 1280;
constexpr int initialHeight = 860;
// The SVG drawing: an A4 page across, at the screen's 96 pixels to the inch.
constexpr int svgWidth = 1123;
constexpr int svgHeight = 794;
constexpr int svgResolution = 96;
constexpr int svgMargin = 36;
constexpr int summaryMargin = 6;  // pixels round the summary's text
constexpr int rowPadding = 6;     // pixels of a table row beyond its text

QString qt(const std::string& text)
{
    return QString::fromStdString(text);
}

QPushButton* addButton(QBoxLayout* row, const std::string& caption, const char* objectName)
{
    auto* button = new QPushButton(qt(caption));
    button->setObjectName(QString::fromUtf8(objectName));
    row->addWidget(button);
    return button;
}

std::string joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines) text += (text.empty() ? "" : "\n") + line;
    return text;
}

}  // namespace

AnalysisWindow::AnalysisWindow(ChainAnalysis analysis, const ChainSurvey& job, QWidget* parent)
    : QWidget(parent, Qt::Window), analysis_(std::move(analysis))
{
    setObjectName(QStringLiteral("analysisWindow"));
    setWindowModality(Qt::NonModal);
    setFont(songFont(windowTextSize, false));
    plot_ = std::make_unique<NetworkPlot>(analysis_, networkGeometry(job));
    subtitle_ = qt(filledIn(texts::chainSentence, {{"n", std::to_string(job.triangleCount)}}));
    report_ = {subtitle_.toStdString(), summaryLines(analysis_), kestrane::observationTable(analysis_),
               kestrane::pointTable(analysis_), plot_.get()};
    setWindowTitle(qt(filledIn(texts::windowTitle, {{"chain", subtitle_.toStdString()}})));

    summary_ = new QLabel(qt(joined(report_.summary)));
    summary_->setObjectName(QStringLiteral("analysisSummary"));
    summary_->setFont(songFont(summaryTextSize, false));
    summary_->setWordWrap(true);
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    summary_->setFrameShape(QFrame::StyledPanel);
    summary_->setMargin(summaryMargin);

    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(makeTables());
    splitter->addWidget(makePlotPane());
    splitter->setStretchFactor(0, 2);
    splitter->setStretchFactor(1, 3);

    auto* buttons = new QHBoxLayout;
    connect(addButton(buttons, texts::printReportButton, "printReportButton"), &QPushButton::clicked, this,
            &AnalysisWindow::printReport);
    connect(addButton(buttons, texts::reportPdfButton, "saveReportPdfButton"), &QPushButton::clicked, this,
            &AnalysisWindow::saveReportPdf);
    buttons->addStretch();
    connect(addButton(buttons, texts::closeButton, "closeButton"), &QPushButton::clicked, this, &QWidget::close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    layout->addWidget(splitter, 1);
    layout->addLayout(buttons);
    resize(initialWidth, initialHeight);
}

AnalysisWindow::~AnalysisWindow()
{
    // The tables and the plot read this window's own members; they go first,
    // before those members do.
    qDeleteAll(findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly));
}

QWidget* AnalysisWindow::makeTables()
{
    auto* tabs = new QTabWidget;
    observationTable_ = makeTable(report_.observations, "observationTable");
    pointTable_ = makeTable(report_.points, "pointTable");
    tabs->addTab(observationTable_, qt(texts::observationsTab));
    tabs->addTab(pointTable_, qt(texts::pointsTab));
    return tabs;
}

QTableView* AnalysisWindow::makeTable(const AnalysisTable& table, const char* objectName)
{
    auto* view = new QTableView;
    view->setObjectName(QString::fromUtf8(objectName));
    auto* model = new AnalysisTableModel(table, view);
    auto* sorted = new QSortFilterProxyModel(view);
    sorted->setSourceModel(model);
    sorted->setSortRole(AnalysisTableModel::sortKeyRole);
    view->setModel(sorted);
    view->setSortingEnabled(true);
    view->sortByColumn(0, Qt::AscendingOrder);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->verticalHeader()->setVisible(false);
    // Rows of one height: a chain of thousands of triangles scrolls at once.
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + rowPadding);
    view->resizeColumnsToContents();
    return view;
}

QWidget* AnalysisWindow::makePlotPane()
{
    auto* pane = new QWidget;
    plotView_ = new NetworkView(*plot_);
    plotView_->setObjectName(QStringLiteral("networkView"));
    plotView_->setToolTip(qt(texts::plotHelp));

    auto* tools = new QHBoxLayout;
    connect(addButton(tools, texts::fitButton, "fitButton"), &QPushButton::clicked, plotView_,
            &NetworkView::fitNetwork);
    connect(addButton(tools, texts::zoomInButton, "zoomInButton"), &QPushButton::clicked, plotView_,
            &NetworkView::zoomIn);
    connect(addButton(tools, texts::zoomOutButton, "zoomOutButton"), &QPushButton::clicked, plotView_,
            &NetworkView::zoomOut);
    tools->addStretch();
    connect(addButton(tools, texts::printPlotButton, "printPlotButton"), &QPushButton::clicked, this,
            &AnalysisWindow::printPlot);
    connect(addButton(tools, texts::plotPdfButton, "savePlotPdfButton"), &QPushButton::clicked, this,
            &AnalysisWindow::savePlotPdf);
    connect(addButton(tools, texts::plotSvgButton, "savePlotSvgButton"), &QPushButton::clicked, this,
            &AnalysisWindow::savePlotSvg);

    auto* layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(tools);
    layout->addWidget(plotView_, 1);
    return pane;
}

bool AnalysisWindow::printReportTo(QPrinter& printer)
{
    if (paintAnalysisReport(printer, report_)) return true;
    tellFailure(texts::printFailed);
    return false;
}

bool AnalysisWindow::printPlotTo(QPrinter& printer)
{
    if (paintPlotDocument(printer, *plot_, subtitle_)) return true;
    tellFailure(texts::printFailed);
    return false;
}

bool AnalysisWindow::saveReportAsPdf(const QString& path)
{
    QPrinter printer(QPrinter::HighResolution);
    prepareReportPrinter(printer);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    if (paintAnalysisReport(printer, report_)) return true;
    tellFailure(filledIn(texts::saveFailed, {{"file", path.toStdString()}}));
    return false;
}

bool AnalysisWindow::savePlotAsPdf(const QString& path)
{
    QPrinter printer(QPrinter::HighResolution);
    prepareReportPrinter(printer);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    if (paintPlotDocument(printer, *plot_, subtitle_)) return true;
    tellFailure(filledIn(texts::saveFailed, {{"file", path.toStdString()}}));
    return false;
}

bool AnalysisWindow::savePlotAsSvg(const QString& path)
{
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(QSize(svgWidth, svgHeight));
    svg.setViewBox(QRect(0, 0, svgWidth, svgHeight));
    svg.setResolution(svgResolution);
    svg.setTitle(qt(texts::plotTitle));
    svg.setDescription(subtitle_);
    QPainter painter;
    if (!painter.begin(&svg)) {
        tellFailure(filledIn(texts::saveFailed, {{"file", path.toStdString()}}));
        return false;
    }
    const QRectF page(svgMargin, svgMargin, svgWidth - 2 * svgMargin, svgHeight - 2 * svgMargin);
    paintPlotPage(painter, page, *plot_, subtitle_, svgResolution / pointsPerInch);
    painter.end();
    return true;
}

void AnalysisWindow::printReport()
{
    QPrinter printer(QPrinter::HighResolution);
    prepareReportPrinter(printer);
    printer.setDocName(qt(texts::reportTitle));
    const auto paint = [this](QPrinter* target) { paintAnalysisReport(*target, report_); };
    if (choosePrinter(printer, this, paint) == PrintChoice::print) printReportTo(printer);
}

void AnalysisWindow::printPlot()
{
    QPrinter printer(QPrinter::HighResolution);
    prepareReportPrinter(printer);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(qt(texts::plotTitle));
    const auto paint = [this](QPrinter* target) { paintPlotDocument(*target, *plot_, subtitle_); };
    if (choosePrinter(printer, this, paint) == PrintChoice::print) printPlotTo(printer);
}

QString AnalysisWindow::chooseFile(const std::string& title, const std::string& fileName, const std::string& filter)
{
    return QFileDialog::getSaveFileName(this, qt(title), qt(fileName), qt(filter));
}

void AnalysisWindow::saveReportPdf()
{
    const QString path = chooseFile(texts::saveReportTitle, texts::reportFileName, texts::pdfFilter);
    if (!path.isEmpty()) saveReportAsPdf(path);
}

void AnalysisWindow::savePlotPdf()
{
    const QString path = chooseFile(texts::savePlotPdfTitle, texts::plotPdfFileName, texts::pdfFilter);
    if (!path.isEmpty()) savePlotAsPdf(path);
}

void AnalysisWindow::savePlotSvg()
{
    const QString path = chooseFile(texts::savePlotSvgTitle, texts::plotSvgFileName, texts::svgFilter);
    if (!path.isEmpty()) savePlotAsSvg(path);
}

void AnalysisWindow::tellFailure(const std::string& message)
{
    QtInputBox(this).warn(message, false);
}

AnalysisWindow* showAnalysisWindow(QWidget* parent, const ChainSurvey& completeJob)
{
    AnalysisOutcome outcome = analysisOfCompleteJob(&completeJob);
    if (!outcome.analysis) {
        QtInputBox(parent).warn(outcome.refusal, false);
        return nullptr;
    }
    auto* window = new AnalysisWindow(std::move(*outcome.analysis), completeJob, parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    return window;
}

}  // namespace kestrane
