// Angles and azimuths.
//
// Angles are typed and displayed as packed degrees-minutes-seconds (d.mmss:
// 45 deg 07' 30.5" is 45.07305), computed in decimal degrees, passed to sine
// and cosine in radians, and expressed in seconds of arc in misclosures and
// corrections. Azimuths are decimal degrees clockwise from north (+X) towards
// east (+Y), in [0, 360).
#pragma once

#include <numbers>

namespace kestrane {

// Degrees to radians (multiply) and back (divide). Built from pi cut to
// 3.1415926535, not the library's pi: every figure of the job depends on it.
inline constexpr double degToRad = 3.1415926535 / 180.0;

// Degrees to radians with the library's pi, for the further rounds of the
// second group on a long chain. With degToRad the three angles of a triangle
// that sum to 180 degrees are 0.00002" short of a plane triangle; over
// thousands of triangles that bends the least-squares chain by millimetres.
inline constexpr double exactDegToRad = std::numbers::pi / 180.0;

// Seconds of arc per radian, as used in the condition coefficients and weights.
inline constexpr int secondsPerRadian = 206265;

// Seconds of arc per degree, and per a third of a degree (the first-group
// correction spreads a triangle's misclosure over its three angles in thirds).
inline constexpr double secondsPerDegree = 3600.0;
inline constexpr double secondsPerThirdOfDegree = 10800.0;

// Packed d.mmss (non-negative) to decimal degrees. A guard of 0.1 before each
// truncation keeps a value that falls a hair below a whole minute in double
// precision (1.13, 0.29, 2.01) from losing that minute.
double packedToDegrees(double packed);

// Signed packed d.mmss to signed decimal degrees.
double signedPackedToDegrees(double packed);

// -1, 0 or +1 by the sign of a typed signed angle.
int signOf(double value);

// Decimal degrees (non-negative) to packed d.mmss. No guard: where rounding
// leaves the minutes a hair below a whole number the result carries just under
// 60 seconds of the lower minute, which still unpacks to the same angle.
double degreesToPacked(double degrees);

// Azimuth (degrees) of the direction with north difference dx and east
// difference dy, both metres. dx = dy = 0 gives 270.
double azimuthOf(double dx, double dy);

}  // namespace kestrane
