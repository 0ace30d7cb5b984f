// Display formatting shared by the window and the report.
//
// A fixed-decimal pattern ("0.000" and the like) rounds the double's exact
// binary value to the pattern's decimals, halves going to the even neighbour
// (0.0625 -> "0.062", 0.1875 -> "0.188"). The general format is the shortest
// plain decimal form with no trailing zeros and never an exponent
// (13679147008, 2.5, 0). Neither ever shows "-0": a value that rounds to zero
// has no sign.
#pragma once

#include <string>

namespace kestrane {

// x rounded to the given number of decimals, as fixed-decimal text ("0.00" has 2).
std::string formatFixed(double x, int decimals);

// x rounded to the given number of decimals, in the general format:
// formatFixed without trailing zeros or a trailing decimal point.
std::string formatRounded(double x, int decimals);

// x in the general format, unrounded: the shortest text that reads back as x.
std::string formatGeneral(double x);

// The patterns of the window and the report.
inline std::string coordinatePattern(double x) { return formatFixed(x, 3); }   // "0.000"
inline std::string packedPattern(double x) { return formatFixed(x, 5); }       // "0.00000"
inline std::string misclosurePattern(double x) { return formatFixed(x, 2); }   // "0.00"
inline std::string weightPattern(double x) { return formatFixed(x, 4); }       // "0.0000"

}  // namespace kestrane
