// Painting the report's lines on a printer. One function serves the system
// printer, a PDF file and the print preview alike.
#pragma once

#include <string>
#include <vector>

#include "report/report.h"

class QPrinter;

namespace kestrane {

// Where the report starts, measured from the top-left corner of the paper.
inline constexpr int reportLeftTwips = 2000;
inline constexpr int reportTopTwips = 1000;

// What the foot of every page says, so that a page filed apart from the rest
// still names its job: when the job was computed, where its values came from
// (the job file's name, or 手工输入 for a job typed at the prompts), and the
// page among the document's pages.
struct PageFooter {
    std::string jobTime;    // "2026-12-09 10:45:12"; empty when not known
    std::string jobSource;  // "chain.kjob" or "手工输入"; empty when not known
};

// The footer line of page `page` of `pages`: the time, the source and
// "第 k 页 共 m 页", each part that is known, two blanks between.
std::string footerText(const PageFooter& footer, int page, int pages);

// Paints the lines as one document on printer, in "宋体" at each line's point
// size, the footer in the bottom margin of every page: opens the document,
// breaks the pages and ends the document, which releases it to the printer.
// False when the printer could not be opened or did not take the document.
bool paintReport(QPrinter& printer, const std::vector<ReportLine>& lines, const PageFooter& footer = {});

// How many pages the lines take on printer, as paintReport breaks them.
int reportPageCount(QPrinter& printer, const std::vector<ReportLine>& lines);

}  // namespace kestrane
