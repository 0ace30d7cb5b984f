#include "chain/angles.h"

#include <cmath>

namespace kestrane {

double packedToDegrees(double packed)
{
    const double degrees = std::trunc(packed + 0.1);
    const double wholeMinutes = std::trunc(100 * packed + 0.1);  // degrees and minutes, as DDDMM
    const double minutes = wholeMinutes - 100 * degrees;
    const double seconds = 10000 * packed - 100 * wholeMinutes;
    return degrees + minutes / 60 + seconds / 3600;
}

int signOf(double value)
{
    return (value > 0) - (value < 0);
}

double signedPackedToDegrees(double packed)
{
    return signOf(packed) * packedToDegrees(std::fabs(packed));
}

double degreesToPacked(double degrees)
{
    const double wholeDegrees = std::trunc(degrees);
    const double minutes = (degrees - wholeDegrees) * 60;
    const double wholeMinutes = std::trunc(minutes);
    const double secondsOver10000 = (minutes - wholeMinutes) * 6 / 1000;
    return wholeDegrees + wholeMinutes / 100 + secondsOver10000;
}

double azimuthOf(double dx, double dy)
{
    if (dx == 0) return dy > 0 ? 90 : 270;
    if (dy == 0) return dx < 0 ? 180 : 0;
    const double distance = std::sqrt(dx * dx + dy * dy);
    const double sine = dy / distance;
    const double cosine = std::sqrt(1 - sine * sine);
    double azimuth = std::atan(sine / cosine) / degToRad;  // in (-90, 90)
    if (dx < 0) azimuth = 180 - azimuth;
    if (dx >= 0 && dy < 0) azimuth += 360;
    return azimuth;
}

}  // namespace kestrane
