#include "presentation/analysis_window.h"

#include <QApplication>
#include <QBoxLayout>
#include <QBuffer>
#include <QCloseEvent>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QSettings>
#include <QShortcut>
#include <QShowEvent>
#include <QStyle>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QSvgGenerator>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>

#include "analysis/analysis_summary.h"
#include "analysis/analysis_texts.h"
#include "analysis/network_geometry.h"
#include "chain/text.h"
#include "files/durable_file.h"
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
constexpr int summaryLinesShown = 4;  // the summary's least height, in lines
// Room the window manager's frame and title bar take beyond the window.
constexpr int frameAllowance = 16;
constexpr int titleAllowance = 48;
// The table pane: its columns and a little more, at most this share of the width.
constexpr int tablePaneSlack = 8;
constexpr int maxTableShare = 65;
const char* const sizeSetting = "analysisWindow/size";
constexpr int maxSummaryShare = 35;  // percent of the height the summary may take

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

// While it lives, every print preview that opens fits its page to the width
// of its window again once that window is shown at its size: fitted before,
// the page keeps the zoom of the window's first, smaller size.
class PreviewFitter final : public QObject {
public:
    PreviewFitter() { qApp->installEventFilter(this); }
    ~PreviewFitter() override { qApp->removeEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            if (auto* preview = qobject_cast<QPrintPreviewDialog*>(watched))
                QTimer::singleShot(0, preview, [preview] {
                    if (auto* view = preview->findChild<QPrintPreviewWidget*>()) view->fitToWidth();
                });
        return false;
    }
};

std::string joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines) text += (text.empty() ? "" : "\n") + line;
    return text;
}

}  // namespace

AnalysisWindow::AnalysisWindow(ChainAnalysis analysis, const ChainSurvey& job, QWidget* parent)
    : QWidget(parent, Qt::Window), analysis_(std::move(analysis)), job_(job)
{
    setObjectName(QStringLiteral("analysisWindow"));
    setWindowModality(Qt::NonModal);
    setFont(songFont(windowTextSize, false));
    if (analysis_.grading) grade_ = analysis_.grading->grade;
    subtitle_ = qt(filledIn(texts::chainSentence, {{"n", std::to_string(job.triangleCount)}}));
    setWindowTitle(qt(filledIn(texts::windowTitle, {{"chain", subtitle_.toStdString()}})));

    verdict_ = new QLabel;
    verdict_->setObjectName(QStringLiteral("gradeVerdict"));
    verdict_->setFont(songFont(summaryTextSize, true));
    verdict_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    summary_ = new QLabel;
    summary_->setObjectName(QStringLiteral("analysisSummary"));
    summary_->setFont(songFont(summaryTextSize, false));
    summary_->setWordWrap(true);
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    summary_->setMargin(summaryMargin);
    summary_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // A long summary scrolls rather than pushing the window off the screen.
    auto* summaryArea = summaryArea_ = new QScrollArea;
    summaryArea->setWidget(summary_);
    summaryArea->setWidgetResizable(true);
    summaryArea->setFrameShape(QFrame::StyledPanel);
    summaryArea->setMinimumHeight(summaryLinesShown * summary_->fontMetrics().lineSpacing());

    splitter_ = new QSplitter(Qt::Horizontal);
    splitter_->setChildrenCollapsible(false);
    splitter_->addWidget(makeTables());
    splitter_->addWidget(makePlotPane());
    splitter_->setStretchFactor(0, 1);
    splitter_->setStretchFactor(1, 1);

    auto* buttons = new QHBoxLayout;
    connect(addButton(buttons, texts::printReportButton, "printReportButton"), &QPushButton::clicked, this,
            &AnalysisWindow::printReport);
    connect(addButton(buttons, texts::reportPdfButton, "saveReportPdfButton"), &QPushButton::clicked, this,
            &AnalysisWindow::saveReportPdf);
    buttons->addStretch();
    connect(addButton(buttons, texts::closeButton, "closeButton"), &QPushButton::clicked, this, &QWidget::close);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    vertical_ = new QSplitter(Qt::Vertical);
    auto* vertical = vertical_;
    vertical->setChildrenCollapsible(false);
    vertical->addWidget(summaryArea);
    vertical->addWidget(splitter_);
    vertical->setStretchFactor(0, 0);
    vertical->setStretchFactor(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(makeGradeRow());
    layout->addWidget(verdict_);
    layout->addWidget(vertical, 1);
    layout->addLayout(buttons);
    showAnalysis();
    fitToScreen();
}

AnalysisWindow::~AnalysisWindow()
{
    // The tables and the plot read this window's own members; they go first,
    // before those members do.
    qDeleteAll(findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly));
}

QWidget* AnalysisWindow::makeGradeRow()
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(qt(texts::gradeChooserLabel)));
    gradeChooser_ = new QComboBox;
    gradeChooser_->setObjectName(QStringLiteral("gradeChooser"));
    gradeChooser_->addItem(qt(texts::noGrade));
    for (const Grade& grade : standardGrades()) gradeChooser_->addItem(qt(grade.name));
    gradeChooser_->addItem(qt(customGradeName));
    layout->addWidget(gradeChooser_);

    // The office's own four figures, shown with 自定义; they start from 四等's.
    customFigures_ = new QWidget;
    auto* figures = new QHBoxLayout(customFigures_);
    figures->setContentsMargins(0, 0, 0, 0);
    const Grade start = grade_ && grade_->name == customGradeName ? *grade_ : *standardGrade("四等");
    const double values[] = {start.angle, start.triangle, start.side, start.weakestSide};
    const double largest[] = {1000, 10000, 1e9, 1e9};
    const int decimals[] = {2, 2, 0, 0};
    const char* names[] = {"customAngle", "customTriangle", "customSide", "customWeakestSide"};
    for (int k = 0; k < 4; ++k) {
        figures->addWidget(new QLabel(qt(texts::customFigures[k])));
        auto* box = new QDoubleSpinBox;
        box->setObjectName(QString::fromUtf8(names[k]));
        box->setDecimals(decimals[k]);
        box->setRange(decimals[k] ? 0.01 : 1, largest[k]);
        box->setValue(values[k]);
        box->setKeyboardTracking(false);
        connect(box, &QDoubleSpinBox::valueChanged, this, &AnalysisWindow::chooseGrade);
        figures->addWidget(box);
        customBoxes_[k] = box;
    }
    layout->addWidget(customFigures_);
    layout->addStretch();

    int index = 0;
    if (grade_)
        index = grade_->name == customGradeName ? gradeChooser_->count() - 1 : gradeChooser_->findText(qt(grade_->name));
    gradeChooser_->setCurrentIndex(std::max(index, 0));
    customFigures_->setVisible(grade_ && grade_->name == customGradeName);
    connect(gradeChooser_, &QComboBox::currentIndexChanged, this, &AnalysisWindow::chooseGrade);
    return row;
}

std::optional<Grade> AnalysisWindow::gradeOfChooser() const
{
    const int index = gradeChooser_->currentIndex();
    if (index <= 0) return std::nullopt;
    if (index == gradeChooser_->count() - 1)
        return customGrade(customBoxes_[0]->value(), customBoxes_[1]->value(), customBoxes_[2]->value(),
                           customBoxes_[3]->value());
    return standardGrade(gradeChooser_->currentText().toStdString());
}

void AnalysisWindow::chooseGrade()
{
    customFigures_->setVisible(gradeChooser_->currentIndex() == gradeChooser_->count() - 1);
    const std::optional<Grade> chosen = gradeOfChooser();
    setGrade(chosen);
    emit gradeChosen(chosen);
}

void AnalysisWindow::setGrade(const std::optional<Grade>& grade)
{
    // The same record analysed at once before: it analyses again.
    analysis_ = analyseChain(job_, grade);
    grade_ = grade;
    showAnalysis();
}

void AnalysisWindow::showAnalysis()
{
    // The models read report_: they go before it changes.
    for (QTableView* view : {checkTable_, observationTable_, pointTable_}) {
        if (auto* old = qobject_cast<QSortFilterProxyModel*>(view->model())) {
            view->setModel(nullptr);
            delete old;
        }
    }
    showPlot();
    report_ = {subtitle_.toStdString(),
               analysis_.grading ? gradeVerdict(*analysis_.grading) : std::string(),
               !analysis_.grading || analysis_.grading->passed,
               summaryLines(analysis_),
               kestrane::checkTable(analysis_),
               kestrane::observationTable(analysis_),
               kestrane::pointTable(analysis_),
               plot_.get()};
    summary_->setText(qt(joined(report_.summary)));
    if (analysis_.grading) {
        verdict_->setText(qt(gradeVerdict(*analysis_.grading)));
        QPalette palette = verdict_->palette();
        palette.setColor(QPalette::WindowText, analysis_.grading->passed ? QColor(Qt::darkGreen) : overLimitColour);
        verdict_->setPalette(palette);
    }
    verdict_->setVisible(analysis_.grading.has_value());
    fillTable(checkTable_, report_.checks);
    fillTable(observationTable_, report_.observations);
    fillTable(pointTable_, report_.points);
}

void AnalysisWindow::showPlot()
{
    // A new plot, and a new view of it: the w-tests take the grade's sigma0.
    auto plot = std::make_unique<NetworkPlot>(analysis_, networkGeometry(job_));
    auto* view = new NetworkView(*plot);
    view->setObjectName(QStringLiteral("networkView"));
    view->setToolTip(qt(texts::plotHelp));
    if (plotView_) {
        plotLayout_->replaceWidget(plotView_, view);
        delete plotView_;
    } else {
        plotLayout_->addWidget(view, 1);
    }
    plotView_ = view;
    plot_ = std::move(plot);
}

QWidget* AnalysisWindow::makeTables()
{
    auto* tabs = new QTabWidget;
    checkTable_ = makeTable("checkTable");
    observationTable_ = makeTable("observationTable");
    pointTable_ = makeTable("pointTable");
    tabs->addTab(checkTable_, qt(texts::checksTitle));
    tabs->addTab(observationTable_, qt(texts::observationsTab));
    tabs->addTab(pointTable_, qt(texts::pointsTab));
    return tabs;
}

QTableView* AnalysisWindow::makeTable(const char* objectName)
{
    auto* view = new QTableView;
    view->setObjectName(QString::fromUtf8(objectName));
    view->setSortingEnabled(true);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->verticalHeader()->setVisible(false);
    // Rows of one height: a chain of thousands of triangles scrolls at once.
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + rowPadding);
    return view;
}

void AnalysisWindow::fillTable(QTableView* view, const AnalysisTable& table)
{
    auto* sorted = new QSortFilterProxyModel(view);
    sorted->setSourceModel(new AnalysisTableModel(table, sorted));
    sorted->setSortRole(AnalysisTableModel::sortKeyRole);
    view->setModel(sorted);
    view->sortByColumn(0, Qt::AscendingOrder);
    view->resizeColumnsToContents();
}

// Within the screen's available area, at the size the window had when it was
// last closed.
void AnalysisWindow::fitToScreen()
{
    QSize size(initialWidth, initialHeight);
    const QSize saved = QSettings().value(QString::fromUtf8(sizeSetting)).toSize();
    if (saved.isValid()) size = saved;
    const QScreen* screen =
        parentWidget() && parentWidget()->screen() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        const QSize available = screen->availableGeometry().size() - QSize(frameAllowance, titleAllowance);
        size = size.boundedTo(available);
    }
    resize(size);

}

int AnalysisWindow::scrollAllowance() const
{
    return style()->pixelMetric(QStyle::PM_ScrollBarExtent);
}

// The table pane as wide as its widest table's columns, within its share of
// the window: done when the window first shows, its layout settled.
void AnalysisWindow::giveTablesTheirColumns()
{
    int tableWidth = 0;
    for (QTableView* view : {checkTable_, observationTable_, pointTable_}) {
        int width = 2 * view->frameWidth() + view->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        for (int c = 0; c < view->horizontalHeader()->count(); ++c) width += view->horizontalHeader()->sectionSize(c);
        tableWidth = std::max(tableWidth, width);
    }
    const int total = splitter_->width() - splitter_->handleWidth();
    const int tables = std::min(tableWidth + tablePaneSlack, total * maxTableShare / 100);
    splitter_->setSizes({tables, std::max(total - tables, 1)});

    // The summary whole where it fits in its share of the height, else scrolled.
    const int high = vertical_->height() - vertical_->handleWidth();
    const int wanted = summary_->heightForWidth(vertical_->width() - 2 * summaryMargin - scrollAllowance()) +
                       2 * summaryMargin + 2 * summaryArea_->frameWidth();
    const int summary = std::min(wanted, high * maxSummaryShare / 100);
    vertical_->setSizes({summary, std::max(high - summary, 1)});
}

void AnalysisWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (tablesSized_) return;
    tablesSized_ = true;
    giveTablesTheirColumns();
}

void AnalysisWindow::closeEvent(QCloseEvent* event)
{
    QSettings().setValue(QString::fromUtf8(sizeSetting), size());
    QWidget::closeEvent(event);
}

QWidget* AnalysisWindow::makePlotPane()
{
    auto* pane = new QWidget;
    // The view is made anew for every grade: the buttons act on the one shown.
    auto* tools = new QHBoxLayout;
    connect(addButton(tools, texts::fitButton, "fitButton"), &QPushButton::clicked, this,
            [this] { plotView_->fitNetwork(); });
    connect(addButton(tools, texts::zoomInButton, "zoomInButton"), &QPushButton::clicked, this,
            [this] { plotView_->zoomIn(); });
    connect(addButton(tools, texts::zoomOutButton, "zoomOutButton"), &QPushButton::clicked, this,
            [this] { plotView_->zoomOut(); });
    tools->addStretch();
    // The printing and saving on a row of their own: the pane stays narrow
    // enough to leave the tables their columns.
    auto* output = new QHBoxLayout;
    connect(addButton(output, texts::printPlotButton, "printPlotButton"), &QPushButton::clicked, this,
            &AnalysisWindow::printPlot);
    connect(addButton(output, texts::plotPdfButton, "savePlotPdfButton"), &QPushButton::clicked, this,
            &AnalysisWindow::savePlotPdf);
    connect(addButton(output, texts::plotSvgButton, "savePlotSvgButton"), &QPushButton::clicked, this,
            &AnalysisWindow::savePlotSvg);
    output->addStretch();

    plotLayout_ = new QVBoxLayout(pane);
    plotLayout_->setContentsMargins(0, 0, 0, 0);
    plotLayout_->addLayout(tools);
    plotLayout_->addLayout(output);
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
    QBuffer drawing;
    drawing.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&drawing);
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

    // The generator names the one face; a viewer without 宋体 would show no
    // Chinese, so the faces that stand for it and a generic serif follow.
    QString text = QString::fromUtf8(drawing.data());
    text.replace(QStringLiteral("font-family=\"宋体\""), QStringLiteral("font-family=\"%1\"").arg(songFamilyList()));
    const QByteArray bytes = text.toUtf8();
    if (replaceFile(path.toStdString(), std::string_view(bytes.constData(), bytes.size()), "保存网图")) {
        tellFailure(filledIn(texts::saveFailed, {{"file", path.toStdString()}}));
        return false;
    }
    return true;
}

void AnalysisWindow::printReport()
{
    QPrinter printer(QPrinter::HighResolution);
    prepareReportPrinter(printer);
    printer.setDocName(qt(texts::reportTitle));
    const auto paint = [this](QPrinter* target) { paintAnalysisReport(*target, report_); };
    const PreviewFitter fitted;
    if (choosePrinter(printer, this, paint) == PrintChoice::print) printReportTo(printer);
}

void AnalysisWindow::printPlot()
{
    QPrinter printer(QPrinter::HighResolution);
    prepareReportPrinter(printer);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(qt(texts::plotTitle));
    const auto paint = [this](QPrinter* target) { paintPlotDocument(*target, *plot_, subtitle_); };
    const PreviewFitter fitted;
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

AnalysisWindow* showAnalysisWindow(QWidget* parent, const ChainSurvey& completeJob, const std::optional<Grade>& grade)
{
    AnalysisOutcome outcome = analysisOfCompleteJob(&completeJob, grade);
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
