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
// deep as the top one; the page's footer stands in the middle of that
// margin. A column is the average character width of the current font (the
// width of "0" where the font gives none), counted from the start position:
// column N stands N - 1 widths right of it. Text that has run past a column
// stop goes on at that column on the next line, and so does text that
// reaches the stop with a character that is no blank: a value is never
// printed hard against the label that follows it. The right margin is as
// wide as the top one: text that would pass it goes on at its own column on
// the next line, so that nothing runs off the paper.
//
// Page breaks. The report issues none; the head breaks the page itself when
// the line it is about to print on would reach below the bottom margin, and
// then prints that line at the top of the new page. A blank line takes its
// line's height but prints nothing, so blank lines that fall past the foot of
// a page are swallowed by the break: no page starts with blank lines carried
// over, and no blank page is left at the end. A run of lines kept together
// (a heading with its first row, the precision figures) that would not fit
// below the head starts a new page, unless it is taller than a page.
//
// Without a painter the head only measures: it counts the pages the report
// takes, which the footers of the painted document name.
class PrintHead {
public:
    PrintHead(QPainter* painter, QPrinter& printer)
        : painter_(painter), printer_(printer), metrics_(songFont(bodyPointSize, false), &printer)
    {
        const double dpiX = printer.logicalDpiX();
        const double dpiY = printer.logicalDpiY();
        const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
        // The painter's origin is the paper's corner on a full-page printer and
        // the corner of the printable area otherwise.
        const QPointF origin = printer.fullPage()
                                   ? QPointF(0, 0)
                                   : printer.pageRect(QPrinter::DevicePixel).topLeft() - paper.topLeft();
        margin_ = reportTopTwips * dpiY / twipsPerInch;
        left_ = reportLeftTwips * dpiX / twipsPerInch - origin.x();
        top_ = margin_ - origin.y();
        bottom_ = paper.height() - margin_ - origin.y();
        right_ = paper.width() - reportTopTwips * dpiX / twipsPerInch - origin.x();
        x_ = left_;
        column_ = left_;
        y_ = top_;
    }

    bool failed() const { return failed_; }
    int page() const { return page_; }

    void setPointSize(int points)
    {
        const QFont font = songFont(points, false);
        if (painter_) painter_->setFont(font);
        metrics_ = QFontMetricsF(font, &printer_);
        columnWidth_ = metrics_.averageCharWidth();
        if (columnWidth_ <= 0) columnWidth_ = metrics_.horizontalAdvance(QLatin1Char('0'));
    }

    // The height of one line at a point size, on this printer.
    double lineHeight(int points) const { return QFontMetricsF(songFont(points, false), &printer_).lineSpacing(); }

    // Starts a new page when a run of kept lines `height` tall does not fit
    // below the head but would fit on a page of its own.
    void keepTogether(double height)
    {
        if (y_ <= top_ || y_ + height <= bottom_ || height > bottom_ - top_) return;
        breakPage();
    }

    void tabTo(int column)
    {
        const double stop = left_ + (column - 1) * columnWidth_;
        // A hair of tolerance, so that text ending exactly on the stop counts
        // as reaching it and no more.
        const double hair = columnWidth_ / 100;
        if (x_ > stop + hair || (x_ > stop - hair && printedOnLine_ && !endsInBlank_)) newLine();
        x_ = std::max(x_, stop);
        column_ = x_;
    }

    void print(QString text)
    {
        if (text.isEmpty()) return;
        for (;;) {
            makeRoom();
            const int fitting = charactersFitting(text);
            if (fitting == text.size()) break;
            // The rest goes on at this text's column on the next line.
            draw(text.left(fitting));
            text = text.mid(fitting);
            const double column = column_;
            newLine();
            x_ = column_ = column;
        }
        draw(text);
        x_ += metrics_.horizontalAdvance(text);
        printedOnLine_ = true;
        endsInBlank_ = text.back().isSpace();
    }

    void newLine()
    {
        x_ = column_ = left_;
        y_ += metrics_.lineSpacing();
        printedOnLine_ = false;
    }

    // The footer of the page the head is on, in the body font, in the
    // middle of the bottom margin: its first part from the column of the
    // headings, the page number ending at the right margin.
    void paintFooter(const PageFooter& footer, int pages)
    {
        if (!painter_) return;
        const QFont font = songFont(bodyPointSize, false);
        const QFontMetricsF metrics(font, &printer_);
        painter_->setFont(font);
        const double baseline = bottom_ + (margin_ - metrics.height()) / 2 + metrics.ascent();
        const QString page = QString::fromStdString(footerText({}, page_, pages));
        const QString known = QString::fromStdString(footerText(footer, 0, 0));
        const double column = left_ + (headingColumn - 1) * metrics.averageCharWidth();
        if (!known.isEmpty()) painter_->drawText(QPointF(column, baseline), known);
        painter_->drawText(QPointF(right_ - metrics.horizontalAdvance(page), baseline), page);
    }

    void setFooter(const PageFooter* footer, int pages)
    {
        footer_ = footer;
        pages_ = pages;
    }

private:
    void draw(const QString& text)
    {
        if (painter_) painter_->drawText(QPointF(x_, y_ + metrics_.ascent()), text);
    }

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
        breakPage();
    }

    void breakPage()
    {
        if (painter_) {
            if (footer_) {
                const QFont current = painter_->font();
                paintFooter(*footer_, pages_);
                painter_->setFont(current);
            }
            if (!printer_.newPage()) failed_ = true;
        }
        ++page_;
        y_ = top_;
    }

    QPainter* painter_;  // null: measuring only
    QPrinter& printer_;
    QFontMetricsF metrics_;  // of the current font, on the printer
    const PageFooter* footer_ = nullptr;
    int pages_ = 0;
    int page_ = 1;
    double margin_ = 0;
    double left_ = 0;
    double top_ = 0;
    double bottom_ = 0;
    double right_ = 0;    // the right margin
    double column_ = 0;   // where the text being printed began: its column
    double x_ = 0;
    double y_ = 0;
    double columnWidth_ = 0;
    bool printedOnLine_ = false;
    bool endsInBlank_ = false;
    bool failed_ = false;
};

// Sets the lines with head, a line at a time; returns the pages taken.
int setLines(PrintHead& head, const std::vector<ReportLine>& lines)
{
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const ReportLine& line = lines[i];
        if (line.keepWithNext && (i == 0 || !lines[i - 1].keepWithNext)) {
            // The height of the run: this line to the first one not kept
            // with the next, that one included.
            double height = 0;
            for (std::size_t j = i; j < lines.size(); ++j) {
                height += head.lineHeight(lines[j].pointSize);
                if (!lines[j].keepWithNext) break;
            }
            head.setPointSize(line.pointSize);
            head.keepTogether(height);
        }
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
    return head.page();
}

}  // namespace

std::string footerText(const PageFooter& footer, int page, int pages)
{
    std::string text;
    const auto add = [&text](const std::string& part) {
        if (part.empty()) return;
        if (!text.empty()) text += "  ";
        text += part;
    };
    add(footer.jobTime);
    add(footer.jobSource);
    if (page > 0) add("第 " + std::to_string(page) + " 页 共 " + std::to_string(pages) + " 页");
    return text;
}

int reportPageCount(QPrinter& printer, const std::vector<ReportLine>& lines)
{
    PrintHead head(nullptr, printer);
    return setLines(head, lines);
}

bool paintReport(QPrinter& printer, const std::vector<ReportLine>& lines, const PageFooter& footer)
{
    // The pages are counted before the first is painted, for 共 m 页.
    const int pages = reportPageCount(printer, lines);
    QPainter painter;
    if (!painter.begin(&printer)) return false;

    PrintHead head(&painter, printer);
    head.setFooter(&footer, pages);
    setLines(head, lines);
    head.paintFooter(footer, pages);
    const bool ended = painter.end();
    return ended && !head.failed();
}

}  // namespace kestrane
