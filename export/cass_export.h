// The coordinate file the Chinese CAD programs read (点名,编码,Y,X,H).
//
// One line per route point P(0)..P(n+1) in route order: the name, an empty
// code, Y (east) before X (north) and the height 0.000, in metres with three
// decimals, lines ended by CR LF as on the Windows machines these programs
// run on. GB18030 by default; UTF-8 (without a byte-order mark, which would
// stick to the first name) on request. A name that the chosen encoding cannot
// write, or that holds a comma or a line break (which would split its
// line), is refused with a message naming it.
#pragma once

#include <string>

#include "chain/chain_survey.h"
#include "export/export_file.h"

namespace kestrane {

enum class CassEncoding { gb18030, utf8 };

ExportResult writeCass(const ChainSurvey& job, const std::string& path, CassEncoding encoding = CassEncoding::gb18030);

}  // namespace kestrane
