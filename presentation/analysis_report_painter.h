// Painting the analysis report on a printer: its title, the summary, the
// checks against the grade, the table of the observations, the table of the points and the network plot
// on a page of its own; and the plot alone as a one-page document. One
// function each serves the system printer, a PDF file and the print preview.
#pragma once

#include <string>
#include <vector>

#include <QRectF>
#include <QString>

#include "analysis/analysis_tables.h"
#include "presentation/network_plot.h"

class QPainter;
class QPrinter;

namespace kestrane {

struct AnalysisReport {
    std::string subtitle;               // "三角锁共有 4 个三角形"
    std::string verdict;                // the verdict of the grade checks; "" without a grade
    bool verdictPassed = true;
    std::vector<std::string> summary;   // one sentence a line
    AnalysisTable checks;               // the checks against the grade; no rows without one
    AnalysisTable observations;
    AnalysisTable points;
    const NetworkPlot* plot = nullptr;  // must outlive the painting
};

// The margin kept from every edge of the paper.
inline constexpr double reportMarginMillimetres = 15;

// Paints the report as one document: opens it, breaks the pages (the table
// headings repeat on every page, each page numbered at its foot) and ends
// it, which releases it to the printer. False when the printer could not be
// opened or did not take the document.
bool paintAnalysisReport(QPrinter& printer, const AnalysisReport& report);

// The plot alone under its title, on one page of printer.
bool paintPlotDocument(QPrinter& printer, const NetworkPlot& plot, const QString& subtitle);

// The page of the plot: the title and subtitle at the top of page, the
// drawing in the rest. Also paints the SVG file.
void paintPlotPage(QPainter& painter, const QRectF& page, const NetworkPlot& plot, const QString& subtitle,
                   double pixelsPerPoint);

// Sets A4 and the report's margins on printer.
void prepareReportPrinter(QPrinter& printer);

}  // namespace kestrane
