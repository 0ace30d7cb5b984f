// The adjusted coordinates as a table for spreadsheets and GIS.
//
// UTF-8 with a byte-order mark (spreadsheet programs then take the Chinese
// names for UTF-8), lines ended by CR LF, fields quoted by RFC 4180 where a
// name holds a comma, a double quote or a line break. The header
// 点名,X,Y,mx,my,mp; one line per route point P(0)..P(n+1) in route order;
// X (north) and Y (east) in metres with three decimals, as the result loop
// shows them; mx, my, mp in millimetres with two decimals, as the window
// shows the weakest point's figures, or empty without an analysis.
#pragma once

#include <string>
#include <vector>

#include "chain/chain_survey.h"
#include "export/export_file.h"
#include "export/point_precision.h"

namespace kestrane {

// precision: one entry per route point, or null when there is no analysis.
ExportResult writeCsv(const ChainSurvey& job, const std::vector<PointPrecision>* precision, const std::string& path);

}  // namespace kestrane
