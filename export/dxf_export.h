// A drawing of the chain for CAD programs: DXF R12 (AC1009), ASCII.
//
// Drawing X is east (the survey's Y) and drawing Y is north (the survey's X),
// in metres, coordinates to the millimetre as the result loop shows them.
// Layers:
//   点        a POINT at every route point
//   点名      every route point's name as TEXT to the upper right of it
//   三角形边  a LINE for every observed side between its two end points
//   已知点    a triangle about A, B and the known C and D at their typed
//             coordinates, its corners one text height from the point, and
//             the known sides A-C and D-B
//   误差椭圆  only with an analysis: every point's standard error ellipse as a
//             closed POLYLINE, enlarged by the factor a TEXT on the layer states
// The text height is the largest of 1, 2 or 5 times a power of ten that does
// not exceed a fortieth of the mean side; the ellipses are enlarged by the
// largest such factor that keeps the largest semi-axis within a tenth of the
// mean side.
//
// Chinese layer names and texts are written in GBK and declared with
// $DWGCODEPAGE ANSI_936, which is how R12 readers on Chinese Windows, and
// GDAL's, decode them. A name that GBK cannot write, that holds a line break
// or the control mark %% of TEXT, is refused with a message naming it.
#pragma once

#include <string>
#include <vector>

#include "chain/chain_survey.h"
#include "export/export_file.h"
#include "export/point_precision.h"

namespace kestrane {

// precision: one entry per route point, or null when there is no analysis.
ExportResult writeDxf(const ChainSurvey& job, const std::vector<PointPrecision>* precision, const std::string& path);

}  // namespace kestrane
