// Angles and azimuths.
//
// Angles are typed and displayed as packed degrees-minutes-seconds (d.mmss:
// 45 deg 07' 30.5" is 45.07305), computed in decimal degrees, passed to sine
// and cosine in radians, and expressed in seconds of arc in misclosures and
// corrections. Azimuths are decimal degrees clockwise from north (+X) towards
// east (+Y), in [0, 360).
//
// Every conversion of an angle, every reduction of one to a range and every
// text of one in degrees, minutes and seconds lives here; where two callers
// need results that differ in the last bit or the last digit, each has its
// own function below, named by what it does.
#pragma once

#include <numbers>
#include <optional>
#include <string>
#include <string_view>

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
inline constexpr int minutesPerDegree = 60;
inline constexpr int secondsPerMinute = 60;

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

// Angles brought into a range. The azimuths of a traverse are sums of
// azimuths and angles already in range, so one turn each way is enough. The
// two full-circle forms differ only in which bound they try first, which
// shows where a value a hair below 0 comes to 360 when a turn is added: the
// first then takes the turn off again (0), the second keeps 360.
//
// [0, 360): a turn added below 0, then a turn taken off at 360 and above.
double normalizedAzimuth(double azimuth);
// [0, 360]: a turn taken off at 360 and above, then added below 0. The
// adjusted traverse carries its azimuths so.
double normalizedAzimuthUpperFirst(double azimuth);
// computed - given, degrees, brought into (-180, 180] by one turn: two
// directions on either side of north differ by a few seconds, not 360 deg.
double azimuthDifference(double computed, double given);
// Any number of turns taken off by the remainder of a division by 360; a hair
// below 0 gives 360.
double reducedToFullCircle(double degrees);
// The direction of an axis, which has no sense: [0, 180), half a turn added
// below 0, then taken off at 180 and above.
double normalizedAxis(double degrees);

// A typed packed angle (d.mmss) read digit by digit from its decimal text,
// so that minutes and seconds are judged as the surveyor wrote them and not
// through a binary double: "45.309" is 45 deg 30' 90", "45.595999" is
// 45 deg 59' 59.99".
struct PackedAngleText {
    bool negative = false;
    std::string degrees;   // the whole degrees, "0" when none were typed
    std::string minutes;   // two digits
    std::string seconds;   // two digits, then the decimals of a second after a point if any
};

// The parts of a number's text (sign, digits, point, exponent); nothing for
// a text that is not a number.
std::optional<PackedAngleText> readPackedAngle(std::string_view number);

// Whether minutes and seconds are both below 60.
bool isValidPackedAngle(const PackedAngleText& angle);

// The typed text as it reads in degrees, minutes and seconds: "45°30′90″".
std::string degreesMinutesSecondsText(const PackedAngleText& angle);

// The direction of an axis in whole degrees and minutes, rounded to the
// minute: "123°25′"; 180° is 0°.
std::string axisDegreesAndMinutes(double degrees);

// Decimal degrees rounded to whole units of the last of secondDecimals
// decimals of a second, the rounding carried into the seconds, the minutes
// and the degrees (59.999996" is 1' 00.00000" at five decimals), any number
// of turns taken off: 0 <= degrees < 360, minutes and seconds below 60, and
// fraction the decimals of the second as a whole number.
struct Sexagesimal {
    long long degrees = 0;
    long long minutes = 0;
    long long seconds = 0;
    long long fraction = 0;
};
Sexagesimal roundedSexagesimal(double degrees, int secondDecimals);

}  // namespace kestrane
