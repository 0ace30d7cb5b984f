#include "chain/angles.h"

#include <algorithm>
#include <cmath>

#include "chain/text.h"

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

double normalizedAzimuth(double azimuth)
{
    if (azimuth < 0) azimuth += 360;
    if (azimuth >= 360) azimuth -= 360;
    return azimuth;
}

double normalizedAzimuthUpperFirst(double azimuth)
{
    if (azimuth >= 360) azimuth -= 360;
    if (azimuth < 0) azimuth += 360;
    return azimuth;
}

double azimuthDifference(double computed, double given)
{
    double difference = computed - given;
    if (difference > 180) difference -= 360;
    else if (difference <= -180) difference += 360;
    return difference;
}

double reducedToFullCircle(double degrees)
{
    degrees = std::fmod(degrees, 360.0);
    return degrees < 0 ? degrees + 360 : degrees;
}

double normalizedAxis(double degrees)
{
    if (degrees < 0) degrees += 180;
    return degrees >= 180 ? degrees - 180 : degrees;
}

std::optional<PackedAngleText> readPackedAngle(std::string_view number)
{
    number = trimmedBlanks(number);
    PackedAngleText angle;
    if (!number.empty() && (number.front() == '+' || number.front() == '-')) {
        angle.negative = number.front() == '-';
        number.remove_prefix(1);
    }
    // Digits with the point's place among them, then the exponent moves it.
    std::string digits;
    long point = -1;
    std::size_t at = 0;
    for (; at < number.size() && (isDigit(number[at]) || number[at] == '.'); ++at) {
        if (number[at] == '.') {
            if (point >= 0) return std::nullopt;
            point = static_cast<long>(digits.size());
        } else {
            digits += number[at];
        }
    }
    if (digits.empty()) return std::nullopt;
    if (point < 0) point = static_cast<long>(digits.size());
    if (at < number.size()) {
        if (number[at] != 'e' && number[at] != 'E') return std::nullopt;
        std::string_view exponent = number.substr(at + 1);
        const bool negativeExponent = !exponent.empty() && exponent.front() == '-';
        if (!exponent.empty() && (exponent.front() == '+' || exponent.front() == '-')) exponent.remove_prefix(1);
        if (!allDigits(exponent)) return std::nullopt;
        long shift = 0;
        for (const char c : exponent) shift = std::min(shift * 10 + (c - '0'), 100000L);
        point += negativeExponent ? -shift : shift;
    }
    // Pad so that the point stands inside the digits, with four places after it.
    if (point < 1) {
        digits.insert(0, static_cast<std::size_t>(1 - point), '0');
        point = 1;
    }
    if (static_cast<long>(digits.size()) < point + 4) digits.append(static_cast<std::size_t>(point + 4) - digits.size(), '0');

    const std::string whole = digits.substr(0, static_cast<std::size_t>(point));
    const std::size_t firstDigit = std::min(whole.find_first_not_of('0'), whole.size() - 1);
    angle.degrees = whole.substr(firstDigit);
    angle.minutes = digits.substr(static_cast<std::size_t>(point), 2);
    angle.seconds = digits.substr(static_cast<std::size_t>(point) + 2, 2);
    std::string fraction = digits.substr(static_cast<std::size_t>(point) + 4);
    while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
    if (!fraction.empty()) angle.seconds += "." + fraction;
    return angle;
}

bool isValidPackedAngle(const PackedAngleText& angle)
{
    return angle.minutes < "60" && angle.seconds.substr(0, 2) < "60";
}

std::string degreesMinutesSecondsText(const PackedAngleText& angle)
{
    return (angle.negative ? "-" : "") + angle.degrees + "°" + angle.minutes + "′" + angle.seconds + "″";
}

std::string axisDegreesAndMinutes(double degrees)
{
    long long minutes = std::llround(degrees * minutesPerDegree) % (180 * minutesPerDegree);
    const long long whole = minutes / minutesPerDegree;
    minutes -= whole * minutesPerDegree;
    const std::string padding = minutes < 10 ? "0" : "";
    return std::to_string(whole) + "°" + padding + std::to_string(minutes) + "′";
}

Sexagesimal roundedSexagesimal(double degrees, int secondDecimals)
{
    long long perSecond = 1;
    for (int decimal = 0; decimal < secondDecimals; ++decimal) perSecond *= 10;
    const long long perMinute = secondsPerMinute * perSecond;
    const long long perDegree = minutesPerDegree * perMinute;
    long long units = std::llround(reducedToFullCircle(degrees) * secondsPerDegree * perSecond);
    units %= 360 * perDegree;
    return {units / perDegree, units / perMinute % minutesPerDegree, units / perSecond % secondsPerMinute,
            units % perSecond};
}

}  // namespace kestrane
