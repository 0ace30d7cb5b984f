#include "presentation/report_painter.h"

#include <algorithm>

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>

#include "presentation/fonts.h"

namespace kestrane {
namespace {

constexpr double twipsPerInch = 1440.0;

// The print head: where the next text goes, in the painter's coordinates.
//
// Page layout. The report starts reportLeftTwips across and reportTopTwips
// down from the paper's corner, and the foot of the page keeps a margin as
// deep as the top one. A column is the average character width of the
// current font (the width of "0" where the font gives none), counted from the
// start position: column N stands N - 1 widths right of it. Text that has run
// past a column stop goes on at that column on the next line. The right
// margin is as wide as the top one: text that would pass it goes on at its
// own column on the next line, so that nothing runs off the paper.
//
// Page breaks. The report issues none; the head breaks the page itself when
// the line it is about to print on would reach below the bottom margin, and
// then prints that line at the top of the new page. A blank line takes its
// line's height but prints nothing, so blank lines that fall past the foot of
// a page are swallowed by the break: no page starts with blank lines carried
// over, and no blank page is left at the end.
class PrintHead {
public:
    PrintHead(QPainter& painter, QPrinter& printer)
        : painter_(painter), printer_(printer), metrics_(painter.font(), painter.device())
    {
        const double dpiX = printer.logicalDpiX();
        const double dpiY = printer.logicalDpiY();
        const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
        // The painter's origin is the paper's corner on a full-page printer and
        // the corner of the printable area otherwise.
        const QPointF origin = printer.fullPage()
                                   ? QPointF(0, 0)
                                   : printer.pageRect(QPrinter::DevicePixel).topLeft() - paper.topLeft();
        left_ = reportLeftTwips * dpiX / twipsPerInch - origin.x();
        top_ = reportTopTwips * dpiY / twipsPerInch - origin.y();
        bottom_ = paper.height() - reportTopTwips * dpiY / twipsPerInch - origin.y();
        right_ = paper.width() - reportTopTwips * dpiX / twipsPerInch - origin.x();
        x_ = left_;
        column_ = left_;
        y_ = top_;
    }

    bool failed() const { return failed_; }

    void setPointSize(int points)
    {
        const QFont font = songFont(points, false);
        painter_.setFont(font);
        metrics_ = QFontMetricsF(font, painter_.device());
        columnWidth_ = metrics_.averageCharWidth();
        if (columnWidth_ <= 0) columnWidth_ = metrics_.horizontalAdvance(QLatin1Char('0'));
    }

    void tabTo(int column)
    {
        const double stop = left_ + (column - 1) * columnWidth_;
        // A hair of tolerance, so that text ending exactly on the stop does
        // not count as having passed it.
        if (x_ > stop + columnWidth_ / 100) newLine();
        x_ = std::max(x_, stop);
        column_ = x_;
    }

    void print(QString text)
    {
        for (;;) {
            makeRoom();
            const int fitting = charactersFitting(text);
            if (fitting == text.size()) break;
            // The rest goes on at this text's column on the next line.
            painter_.drawText(QPointF(x_, y_ + metrics_.ascent()), text.left(fitting));
            text = text.mid(fitting);
            const double column = column_;
            newLine();
            x_ = column_ = column;
        }
        painter_.drawText(QPointF(x_, y_ + metrics_.ascent()), text);
        x_ += metrics_.horizontalAdvance(text);
    }

    void newLine()
    {
        x_ = column_ = left_;
        y_ += metrics_.lineSpacing();
    }

private:
    // How many characters of text fit between the head and the right margin;
    // at least one when the head stands at its column, so that a line always
    // moves on. A surrogate pair is never split.
    int charactersFitting(const QString& text) const
    {
        if (x_ + metrics_.horizontalAdvance(text) <= right_) return static_cast<int>(text.size());
        int fitting = 0;
        while (fitting < text.size()) {
            const int next = fitting + (text.at(fitting).isHighSurrogate() && fitting + 1 < text.size() ? 2 : 1);
            if (x_ + metrics_.horizontalAdvance(text.left(next)) > right_) break;
            fitting = next;
        }
        if (fitting == 0 && x_ <= column_) fitting = text.at(0).isHighSurrogate() && text.size() > 1 ? 2 : 1;
        return fitting;
    }

    void makeRoom()
    {
        if (y_ + metrics_.lineSpacing() <= bottom_ || y_ <= top_) return;
        if (!printer_.newPage()) failed_ = true;
        y_ = top_;
    }

    QPainter& painter_;
    QPrinter& printer_;
    QFontMetricsF metrics_;  // of the current font, on the printer
    double left_ = 0;
    double top_ = 0;
    double bottom_ = 0;
    double right_ = 0;    // the right margin
    double column_ = 0;   // where the text being printed began: its column
    double x_ = 0;
    double y_ = 0;
    double columnWidth_ = 0;
    bool failed_ = false;
};

}  // namespace

bool paintReport(QPrinter& printer, const std::vector<ReportLine>& lines)
{
    QPainter painter;
    if (!painter.begin(&printer)) return false;

    PrintHead head(painter, printer);
    for (const ReportLine& line : lines) {
        head.setPointSize(line.pointSize);
        for (const ReportItem& item : line.items) {
            switch (item.kind) {
            case ReportItem::Kind::column: head.tabTo(item.column); break;
            case ReportItem::Kind::text: head.print(QString::fromStdString(item.text)); break;
            case ReportItem::Kind::number: head.print(QString::fromStdString(numberItemText(item.number))); break;
            }
        }
        head.newLine();
    }
    const bool ended = painter.end();
    return ended && !head.failed();
}

}  // namespace kestrane
