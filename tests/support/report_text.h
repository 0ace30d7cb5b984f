// The report's lines as plain text, for comparing what was printed or logged
// with what the report holds.
#pragma once

#include <string>
#include <vector>

#include "report/report.h"

namespace kestrane::testing {

// One item as printed: a text as it stands, a number with its sign position
// and trailing blank, a column stop as "|N|" when marked, else nothing.
std::string itemText(const ReportItem& item, bool markColumns = false);

// One line: its items in order.
std::string lineText(const ReportLine& line, bool markColumns = false);

// Every line, each ended by a line feed.
std::string reportText(const std::vector<ReportLine>& lines);

// The text without blanks, line ends and form feeds: what is left to compare
// when the layout is judged elsewhere.
std::string withoutBlanks(const std::string& text);

}  // namespace kestrane::testing
