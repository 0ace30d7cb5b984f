// The analysis window: the quality analysis of a job that ran to its end,
// in a window of its own beside the main one (not modal). It shows the
// grade the job is checked against (chosen here: none, a grade of the
// standard or the office's own figures) with the verdict of its checks, the
// summary, the sortable tables of the checks, the observations and the
// points, and
// the network plot, which zooms and pans; it prints the plot or saves it as
// PDF or SVG, and prints its own report (summary, both tables, the plot) or
// saves it as PDF.
//
// The window copies everything it shows when it opens, the record included
// (a grade chosen later analyses it again): the record it came from may take
// the next job at once. It opens within the screen at the size it last had,
// and Escape closes it.
#pragma once

#include <memory>
#include <optional>

#include <QWidget>

#include "analysis/quality_analysis.h"
#include "chain/chain_survey.h"
#include "presentation/analysis_report_painter.h"
#include "presentation/network_plot.h"

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPrinter;
class QScrollArea;
class QSplitter;
class QTableView;
class QVBoxLayout;

namespace kestrane {

class NetworkView;

class AnalysisWindow : public QWidget {
    Q_OBJECT

public:
    // analysis must be that of job, checked against its grade if it has one.
    AnalysisWindow(ChainAnalysis analysis, const ChainSurvey& job, QWidget* parent = nullptr);
    ~AnalysisWindow() override;

    const ChainAnalysis& analysis() const { return analysis_; }
    const NetworkPlot& plot() const { return *plot_; }
    NetworkView* plotView() const { return plotView_; }
    QLabel* summary() const { return summary_; }
    QTableView* observationTable() const { return observationTable_; }
    QTableView* pointTable() const { return pointTable_; }
    QTableView* checkTable() const { return checkTable_; }
    QComboBox* gradeChooser() const { return gradeChooser_; }
    QLabel* verdict() const { return verdict_; }
    QSplitter* splitter() const { return splitter_; }

    // The grade the job is checked against; nothing for none.
    const std::optional<Grade>& grade() const { return grade_; }

    // Checks the job against grade (nothing: against none) and shows it all anew.
    void setGrade(const std::optional<Grade>& grade);

    // What the buttons do once the printer or the file is chosen. Each says
    // so in a message box and returns false when nothing could be written.
    bool printReportTo(QPrinter& printer);
    bool saveReportAsPdf(const QString& path);
    bool printPlotTo(QPrinter& printer);
    bool savePlotAsPdf(const QString& path);
    bool savePlotAsSvg(const QString& path);

signals:
    // The surveyor chose another grade in the window.
    void gradeChosen(const std::optional<kestrane::Grade>& grade);

public slots:
    // The system's print dialog, with a print preview one click away.
    void printReport();
    void printPlot();
    // A file dialog, then the file.
    void saveReportPdf();
    void savePlotPdf();
    void savePlotSvg();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QWidget* makeGradeRow();
    QWidget* makePlotPane();
    QWidget* makeTables();
    QTableView* makeTable(const char* objectName);
    void fillTable(QTableView* view, const AnalysisTable& table);
    void showAnalysis();
    void showPlot();
    void chooseGrade();
    void fitToScreen();
    void giveTablesTheirColumns();
    int scrollAllowance() const;
    std::optional<Grade> gradeOfChooser() const;
    QString chooseFile(const std::string& title, const std::string& fileName, const std::string& filter);
    void tellFailure(const std::string& message);

    ChainAnalysis analysis_;
    ChainSurvey job_;
    std::optional<Grade> grade_;
    std::unique_ptr<NetworkPlot> plot_;
    AnalysisReport report_;
    QString subtitle_;
    QLabel* summary_ = nullptr;
    QTableView* observationTable_ = nullptr;
    QTableView* pointTable_ = nullptr;
    QTableView* checkTable_ = nullptr;
    QComboBox* gradeChooser_ = nullptr;
    QWidget* customFigures_ = nullptr;
    QDoubleSpinBox* customBoxes_[4] = {};
    QLabel* verdict_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QSplitter* vertical_ = nullptr;
    QScrollArea* summaryArea_ = nullptr;
    QVBoxLayout* plotLayout_ = nullptr;
    NetworkView* plotView_ = nullptr;
    bool tablesSized_ = false;
};

// What the menu 分析 -> 平差分析… does: analyses completeJob (a job that ran
// to its end) against grade, if any, and opens its window beside parent,
// deleted when closed or with parent. When the analysis cannot be formed,
// says why in a message box instead and returns nullptr.
AnalysisWindow* showAnalysisWindow(QWidget* parent, const ChainSurvey& completeJob,
                                   const std::optional<Grade>& grade = std::nullopt);

}  // namespace kestrane
