// The adjusted coordinates as a table for spreadsheets and GIS.
//
// UTF-8 with a byte-order mark (spreadsheet programs then take the Chinese
// names for UTF-8), lines ended by CR LF, fields quoted by RFC 4180 where a
// name holds a comma, a double quote or a line break. The header
// 点名,X,Y,mx,my,mp; one line per route point P(0)..P(n+1) in route order;
// X (north) and Y (east) in metres with three decimals, as the result loop
// shows them; mx, my, mp in millimetres with two decimals, as the window
// shows the weakest point's figures, or empty without an analysis.
//
// A job checked against a grade has its checks in a second file beside the
// first, named after it with "-限差检核" before the suffix: the header
// 检核项,编号,闭合差或数值,限差,单位,结论, one line per check in the order
// of the analysis window's table, values in the unit written beside them
// (seconds and millimetres with two decimals, N of 1/N whole, degrees with
// four decimals), and a last line 总评 with the verdict.
#pragma once

#include <string>
#include <vector>

#include "analysis/quality_analysis.h"
#include "chain/chain_survey.h"
#include "export/export_file.h"

namespace kestrane {

// precision: the points of the job's quality analysis, P(0)..P(n+1), or null
// when there is none.
ExportResult writeCsv(const ChainSurvey& job, const std::vector<PointPrecision>* precision, const std::string& path);

// "成果-限差检核.csv" for "成果.csv": where the checks of a table go.
std::string checksCsvPath(const std::string& path);

// The checks against the grade of an analysis that has them, to path.
ExportResult writeChecksCsv(const GradeChecks& checks, const std::string& path);

}  // namespace kestrane
