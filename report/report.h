// The printed report of a job, as lines of items: the given coordinates and
// orientation data, the observed and adjusted angles and sides, the
// misclosures of both groups, the adjusted route points and the precision.
// Built in plain C++ from the job record; the printer paints it, the replay
// tool logs it.
#pragma once

#include <string>
#include <vector>

#include "chain/chain_survey.h"

namespace kestrane {

struct ReportItem {
    enum class Kind { column, text, number };
    Kind kind;
    int column = 0;       // Kind::column: character column, counted from 1
    std::string text;     // Kind::text: printed as it stands
    long number = 0;      // Kind::number: sign position, digits, one blank

    static ReportItem col(int column) { return {Kind::column, column, {}, 0}; }
    static ReportItem txt(std::string text) { return {Kind::text, 0, std::move(text), 0}; }
    static ReportItem num(long number) { return {Kind::number, 0, {}, number}; }
    bool operator==(const ReportItem&) const = default;
};

struct ReportLine {
    int pointSize = 9;
    std::vector<ReportItem> items;  // empty: a line break alone
    // The line stands on the same page as the line after it: a heading with
    // the first row of its table, the precision figures with one another.
    bool keepWithNext = false;
    bool operator==(const ReportLine&) const = default;
};

// The column of the report's headings; the page footer starts there too.
inline constexpr int headingColumn = 22;

inline constexpr int titlePointSize = 10;
inline constexpr int bodyPointSize = 9;

// The report's lines in order. Reads the record only.
std::vector<ReportLine> buildReport(const ChainSurvey& job);

// A number item as printed: a blank or "-" for the sign, the digits, a blank.
std::string numberItemText(long number);

}  // namespace kestrane
