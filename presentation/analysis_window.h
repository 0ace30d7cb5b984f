// The analysis window: the quality analysis of a job that ran to its end,
// in a window of its own beside the main one (not modal). It shows the
// summary, the sortable tables of the observations and of the points, and
// the network plot, which zooms and pans; it prints the plot or saves it as
// PDF or SVG, and prints its own report (summary, both tables, the plot) or
// saves it as PDF.
//
// The window copies everything it shows when it opens: the record it came
// from may take the next job at once.
#pragma once

#include <memory>

#include <QWidget>

#include "analysis/quality_analysis.h"
#include "chain/chain_survey.h"
#include "presentation/analysis_report_painter.h"
#include "presentation/network_plot.h"

class QLabel;
class QPrinter;
class QTableView;

namespace kestrane {

class NetworkView;

class AnalysisWindow : public QWidget {
    Q_OBJECT

public:
    // analysis must be that of job.
    AnalysisWindow(ChainAnalysis analysis, const ChainSurvey& job, QWidget* parent = nullptr);
    ~AnalysisWindow() override;

    const ChainAnalysis& analysis() const { return analysis_; }
    const NetworkPlot& plot() const { return *plot_; }
    NetworkView* plotView() const { return plotView_; }
    QLabel* summary() const { return summary_; }
    QTableView* observationTable() const { return observationTable_; }
    QTableView* pointTable() const { return pointTable_; }

    // What the buttons do once the printer or the file is chosen. Each says
    // so in a message box and returns false when nothing could be written.
    bool printReportTo(QPrinter& printer);
    bool saveReportAsPdf(const QString& path);
    bool printPlotTo(QPrinter& printer);
    bool savePlotAsPdf(const QString& path);
    bool savePlotAsSvg(const QString& path);

public slots:
    // The system's print dialog, with a print preview one click away.
    void printReport();
    void printPlot();
    // A file dialog, then the file.
    void saveReportPdf();
    void savePlotPdf();
    void savePlotSvg();

private:
    QWidget* makePlotPane();
    QWidget* makeTables();
    QTableView* makeTable(const AnalysisTable& table, const char* objectName);
    QString chooseFile(const std::string& title, const std::string& fileName, const std::string& filter);
    void tellFailure(const std::string& message);

    ChainAnalysis analysis_;
    std::unique_ptr<NetworkPlot> plot_;
    AnalysisReport report_;
    QString subtitle_;
    QLabel* summary_ = nullptr;
    QTableView* observationTable_ = nullptr;
    QTableView* pointTable_ = nullptr;
    NetworkView* plotView_ = nullptr;
};

// What the menu 分析 -> 平差分析… does: analyses completeJob (a job that ran
// to its end) and opens its window beside parent, deleted when closed or
// with parent. When the analysis cannot be formed, says why in a message
// box instead and returns nullptr.
AnalysisWindow* showAnalysisWindow(QWidget* parent, const ChainSurvey& completeJob);

}  // namespace kestrane
