// The two tables of a quality analysis as texts, for the window and the
// printed report alike: every observation (id, unit, v, redundancy number,
// w, MDB, blunder mark) and every route point (name, kind, X, Y, mx, my,
// mp, a, b, azimuth of the major axis).
//
// Every cell has the text shown and a key to sort the column by: the
// figure itself, |w| for w (the largest first when sorted down), and the
// route order for the ids and names. A figure that does not exist ("—")
// sorts below every figure.
#pragma once

#include <string>
#include <vector>

#include "analysis/quality_analysis.h"

namespace kestrane {

struct TableCell {
    std::string text;
    double sortKey = 0;
};

struct AnalysisTable {
    std::vector<std::string> headings;
    std::vector<bool> figureColumns;           // by column: figures (set right), not words
    std::vector<std::vector<TableCell>> rows;  // one cell per heading
    std::vector<bool> marked;                  // by row: a suspect observation, the weakest point, a check over its limit
    bool overLimitMarks = false;               // marked rows are over a limit: written in red
};

// Columns of the observation table.
enum ObservationColumn { obsId, obsUnit, obsV, obsRedundancy, obsW, obsMdb, obsBlunder, observationColumns };

// Columns of the point table.
enum PointColumn { ptName, ptKind, ptX, ptY, ptMx, ptMy, ptMp, ptA, ptB, ptAlpha, pointColumns };

// Columns of the grade check table.
enum CheckColumn { chkName, chkValue, chkLimit, chkVerdict, checkColumns };

// One row per entry of analysis.observations, in its order.
AnalysisTable observationTable(const ChainAnalysis& analysis);

// One row per entry of analysis.points, in route order.
AnalysisTable pointTable(const ChainAnalysis& analysis);

// One row per check against the grade, in the order of the checks (none
// without a grade); an over-limit row is marked.
AnalysisTable checkTable(const ChainAnalysis& analysis);

// A check's value and limit as the table writes them: "-3.21 秒", "±15.00 秒",
// "1/125432", "≤ 2.50 秒", "27°14′".
std::string checkValueText(const GradeCheck& check);
std::string checkLimitText(const GradeCheck& check);
std::string checkVerdictText(const GradeCheck& check);

}  // namespace kestrane
