#include "presentation/analysis_report_painter.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include <QFontMetricsF>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>

#include "analysis/analysis_texts.h"
#include "chain/text.h"
#include "presentation/analysis_table_model.h"
#include "presentation/fonts.h"

namespace kestrane {
namespace {

namespace texts = analysis_texts;

// Type sizes in points.
constexpr double titleSize = 16;
constexpr double headingSize = 11;
constexpr double textSize = 10;
constexpr double footerSize = 8;
constexpr double largestTableSize = 8.5;
constexpr double smallestTableSize = 5.5;
constexpr double tableSizeStep = 0.5;
// Space, in points: after a paragraph, before a heading, inside a table cell.
constexpr double paragraphGap = 4;
constexpr double headingGap = 10;
constexpr double cellPadding = 4;
constexpr double rowSpacing = 1.3;  // a table row, in lines of its type

const QColor ruleColour(96, 96, 96);

QString qt(const std::string& text)
{
    return QString::fromStdString(text);
}

// Writes down the pages of the report, top to bottom, breaking pages where
// the next part would run into the foot.
class PageWriter {
public:
    PageWriter(QPainter& painter, QPrinter& printer)
        : painter_(painter), printer_(printer), pt_(printer.resolution() / pointsPerInch)
    {
        // The painter's origin is the corner of the area inside the margins.
        page_ = QRectF(QPointF(0, 0), printer.pageRect(QPrinter::DevicePixel).size());
        const QFontMetricsF footer(songFont(footerSize, false), &printer_);
        bottom_ = page_.bottom() - 2 * footer.height();
        y_ = page_.top();
    }

    double pixelsPerPoint() const { return pt_; }
    bool failed() const { return failed_; }
    bool atTop() const { return y_ == page_.top(); }

    QRectF rest() const { return QRectF(page_.left(), y_, page_.width(), bottom_ - y_); }

    void title(const QString& text) { paragraph(text, songFont(titleSize, true), Qt::AlignHCenter); }

    void heading(const QString& text)
    {
        if (!atTop()) y_ += headingGap * pt_;
        paragraph(text, songFont(headingSize, true), Qt::AlignLeft);
    }

    void sentence(const QString& text) { paragraph(text, songFont(textSize, false), Qt::AlignLeft); }

    // The verdict of the grade checks, in the heading's type, red when a check is over its limit.
    void verdict(const QString& text, bool passed)
    {
        y_ += headingGap * pt_;
        paragraph(text, songFont(headingSize, true), Qt::AlignLeft, passed ? QColor(Qt::black) : overLimitColour);
    }

    void table(const AnalysisTable& table);

    void newPage()
    {
        finishPage();
        if (!printer_.newPage()) failed_ = true;
        ++pageNumber_;
        y_ = page_.top();
    }

    void finishPage()
    {
        const QFont font = songFont(footerSize, false);
        painter_.setFont(font);
        painter_.setPen(Qt::black);
        const QString number = qt(filledIn(texts::pageNumber, {{"n", std::to_string(pageNumber_)}}));
        painter_.drawText(QRectF(page_.left(), bottom_, page_.width(), page_.bottom() - bottom_),
                          Qt::AlignHCenter | Qt::AlignBottom, number);
    }

private:
    void paragraph(const QString& text, const QFont& font, Qt::Alignment alignment,
                   const QColor& colour = Qt::black)
    {
        const QFontMetricsF metrics(font, &printer_);
        const int flags = static_cast<int>(alignment) | Qt::TextWordWrap;
        const QRectF box = metrics.boundingRect(QRectF(page_.left(), 0, page_.width(), page_.height()), flags, text);
        if (y_ + box.height() > bottom_ && !atTop()) newPage();
        painter_.setFont(font);
        painter_.setPen(colour);
        painter_.drawText(QRectF(page_.left(), y_, page_.width(), box.height()), flags, text);
        y_ += box.height() + paragraphGap * pt_;
    }

    struct TableLayout {
        QFont font;
        QFont headingFont;
        std::vector<double> widths;  // device pixels, padding included
        double rowHeight = 0;
    };
    TableLayout layOut(const AnalysisTable& table) const;
    void tableRow(const TableLayout& layout, const std::vector<QString>& cells, const std::vector<bool>& figures,
                  bool marked, bool isHeading, bool red = false);

    QPainter& painter_;
    QPrinter& printer_;
    double pt_;
    QRectF page_;
    double bottom_ = 0;  // where the foot begins
    double y_ = 0;
    int pageNumber_ = 1;
    bool failed_ = false;
};

// The widest text of each column at the largest type that lets the table
// fit the page's width.
PageWriter::TableLayout PageWriter::layOut(const AnalysisTable& table) const
{
    TableLayout layout;
    for (double size = largestTableSize;; size -= tableSizeStep) {
        layout.font = songFont(size, false);
        layout.headingFont = songFont(size, true);
        const QFontMetricsF metrics(layout.font, &printer_), headingMetrics(layout.headingFont, &printer_);
        layout.widths.assign(table.headings.size(), 0);
        for (std::size_t c = 0; c < table.headings.size(); ++c)
            layout.widths[c] = headingMetrics.horizontalAdvance(qt(table.headings[c]));
        for (const auto& row : table.rows)
            for (std::size_t c = 0; c < row.size(); ++c)
                layout.widths[c] = std::max(layout.widths[c], metrics.horizontalAdvance(qt(row[c].text)));
        for (double& width : layout.widths) width += 2 * cellPadding * pt_;
        layout.rowHeight = rowSpacing * metrics.height();
        const double total = std::accumulate(layout.widths.begin(), layout.widths.end(), 0.0);
        if (total <= page_.width() || size - tableSizeStep < smallestTableSize) return layout;
    }
}

void PageWriter::tableRow(const TableLayout& layout, const std::vector<QString>& cells,
                          const std::vector<bool>& figures, bool marked, bool isHeading, bool red)
{
    const double width = std::accumulate(layout.widths.begin(), layout.widths.end(), 0.0);
    if (marked) painter_.fillRect(QRectF(page_.left(), y_, width, layout.rowHeight), markedRowColour);
    painter_.setFont(isHeading ? layout.headingFont : layout.font);
    painter_.setPen(red ? overLimitColour : Qt::black);
    double x = page_.left();
    for (std::size_t c = 0; c < cells.size(); ++c) {
        const QRectF cell(x + cellPadding * pt_, y_, layout.widths[c] - 2 * cellPadding * pt_, layout.rowHeight);
        const Qt::Alignment across = c == 0 ? Qt::AlignLeft : figures[c] ? Qt::AlignRight : Qt::AlignHCenter;
        painter_.drawText(cell, static_cast<int>(across | Qt::AlignVCenter), cells[c]);
        x += layout.widths[c];
    }
    y_ += layout.rowHeight;
    if (isHeading) {
        painter_.setPen(QPen(ruleColour, pt_ / 2));
        painter_.drawLine(QPointF(page_.left(), y_), QPointF(page_.left() + width, y_));
    }
}

void PageWriter::table(const AnalysisTable& table)
{
    const TableLayout layout = layOut(table);
    const std::vector<bool>& figures = table.figureColumns;
    std::vector<QString> headings;
    for (const std::string& heading : table.headings) headings.push_back(qt(heading));

    // The heading and at least one row together.
    if (y_ + 2 * layout.rowHeight > bottom_) newPage();
    tableRow(layout, headings, figures, false, true);
    std::vector<QString> cells(table.headings.size());
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        if (y_ + layout.rowHeight > bottom_) {
            newPage();
            tableRow(layout, headings, figures, false, true);
        }
        for (std::size_t c = 0; c < cells.size(); ++c) cells[c] = qt(table.rows[r][c].text);
        tableRow(layout, cells, figures, table.marked[r], false, table.overLimitMarks && table.marked[r]);
    }
}

}  // namespace

void prepareReportPrinter(QPrinter& printer)
{
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(reportMarginMillimetres, reportMarginMillimetres, reportMarginMillimetres,
                                     reportMarginMillimetres),
                           QPageLayout::Millimeter);
}

bool paintAnalysisReport(QPrinter& printer, const AnalysisReport& report)
{
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    PageWriter writer(painter, printer);

    writer.title(qt(texts::reportTitle));
    writer.sentence(qt(report.subtitle));
    if (!report.verdict.empty()) writer.verdict(qt(report.verdict), report.verdictPassed);
    writer.heading(qt(texts::summaryTitle));
    for (const std::string& line : report.summary) writer.sentence(qt(line));
    // The checks against the grade come first, as a 平差报告 has them:
    // the misclosures, then the precision.
    if (!report.checks.rows.empty()) {
        writer.heading(qt(texts::checkTableTitle));
        writer.table(report.checks);
    }
    writer.heading(qt(texts::observationTableTitle));
    writer.table(report.observations);
    writer.heading(qt(texts::pointTableTitle));
    writer.table(report.points);

    if (report.plot) {
        if (!writer.atTop()) writer.newPage();
        paintPlotPage(painter, writer.rest(), *report.plot, qt(report.subtitle), writer.pixelsPerPoint());
    }
    writer.finishPage();
    const bool ended = painter.end();
    return ended && !writer.failed();
}

void paintPlotPage(QPainter& painter, const QRectF& page, const NetworkPlot& plot, const QString& subtitle,
                   double pixelsPerPoint)
{
    painter.save();
    const QFont titleFont = deviceSongFont(titleSize, true, pixelsPerPoint);
    const QFont subtitleFont = deviceSongFont(textSize, false, pixelsPerPoint);
    const double titleHeight = QFontMetricsF(titleFont).height();
    const double subtitleHeight = QFontMetricsF(subtitleFont).height();
    painter.setPen(Qt::black);
    painter.setFont(titleFont);
    painter.drawText(QRectF(page.left(), page.top(), page.width(), titleHeight), Qt::AlignHCenter,
                     qt(texts::plotTitle));
    painter.setFont(subtitleFont);
    painter.drawText(QRectF(page.left(), page.top() + titleHeight, page.width(), subtitleHeight), Qt::AlignHCenter,
                     subtitle);

    const double top = page.top() + titleHeight + subtitleHeight + paragraphGap * pixelsPerPoint;
    const QRectF frame(page.left(), top, page.width(), page.bottom() - top);
    painter.setPen(QPen(ruleColour, pixelsPerPoint / 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(frame);
    painter.restore();
    plot.paint(painter, frame, pixelsPerPoint);
}

bool paintPlotDocument(QPrinter& printer, const NetworkPlot& plot, const QString& subtitle)
{
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    const QRectF page(QPointF(0, 0), printer.pageRect(QPrinter::DevicePixel).size());
    paintPlotPage(painter, page, plot, subtitle, printer.resolution() / pointsPerInch);
    return painter.end();
}

}  // namespace kestrane
