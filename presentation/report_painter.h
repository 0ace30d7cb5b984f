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

// Paints the lines as one document on printer, in "宋体" at each line's point
// size: opens the document, breaks the pages and ends the document, which
// releases it to the printer. False when the printer could not be opened or
// did not take the document.
bool paintReport(QPrinter& printer, const std::vector<ReportLine>& lines);

}  // namespace kestrane
