#include <algorithm>
#include <charconv>
#include <cmath>

#include "chain/angles.h"
#include "chain/number_parse.h"
#include "checks/reader_checks.h"
#include "dialogue/full_width.h"

namespace kestrane::fuzz {
namespace {

std::optional<double> decimal(const std::string& digits)
{
    return digits.empty() ? std::optional<double>(0.0) : parseNumber(digits);
}

// A typed packed angle: its text read digit by digit and its value read as a
// number name the same angle; unpacked and packed again it is the same angle.
std::string checkPackedAngle(std::string_view text, double value)
{
    const std::optional<PackedAngleText> angle = readPackedAngle(text);
    if (!angle) return "a number is no packed angle";
    if (angle->minutes.size() != 2 || angle->seconds.size() < 2) return "packed angle parts of the wrong width";
    if (!isValidPackedAngle(*angle) || std::fabs(value) > 1e6) return {};

    const auto degrees = decimal(angle->degrees), minutes = decimal(angle->minutes), seconds = decimal(angle->seconds);
    if (!degrees || !minutes || !seconds) return "packed angle parts that are no numbers";
    const double fromText = (angle->negative ? -1 : 1) * (*degrees + *minutes / 60 + *seconds / 3600);
    const double unpacked = signedPackedToDegrees(value);
    // Ten digits of the packed value are what a double holds of a large angle.
    const double tolerance = 1e-9 * std::max(1.0, std::fabs(value));
    if (std::fabs(fromText - unpacked) > tolerance)
        return "packed angle " + std::string(text) + " reads as " + std::to_string(fromText) + " and unpacks to " +
               std::to_string(unpacked);
    const double magnitude = std::fabs(unpacked);
    if (std::fabs(packedToDegrees(degreesToPacked(magnitude)) - magnitude) > tolerance)
        return "packed angle " + std::string(text) + " packs again to another angle";
    return {};
}

// The text as a Chinese input method types it: full-width digits, signs,
// point and blanks.
std::string fullWidth(std::string_view ascii)
{
    std::string typed;
    for (const char c : ascii) {
        if (c >= '0' && c <= '9') typed += "\xEF\xBC" + std::string(1, static_cast<char>(0x90 + (c - '0')));
        else if (c == '+') typed += "\uFF0B";
        else if (c == '-') typed += "\uFF0D";
        else if (c == '.') typed += "\uFF0E";
        else if (c == ' ') typed += "\u3000";
        else typed += c;
    }
    return typed;
}

// Typed in full width, an ASCII text reads as itself.
std::string checkFullWidth(std::string_view bytes)
{
    if (!std::all_of(bytes.begin(), bytes.end(), [](char c) { return c > 0 && c < 0x7F; })) return {};
    if (mappedToAscii(bytes) != bytes) return "ASCII text changed by the full-width mapping";
    if (mappedToAscii(fullWidth(bytes)) != bytes) return "a full-width text does not read as its ASCII form";
    return {};
}

}  // namespace

std::string checkNumbers(std::string_view bytes)
{
    if (std::string fault = checkFullWidth(bytes); !fault.empty()) return fault;
    const std::optional<double> value = parseNumber(bytes);
    if (!value) return {};
    if (!std::isfinite(*value)) return "a number that is not finite";
    // The shortest text of the value reads back to it exactly.
    char shortest[64];
    const auto written = std::to_chars(shortest, shortest + sizeof shortest, *value);
    if (parseNumber(std::string_view(shortest, static_cast<std::size_t>(written.ptr - shortest))) != value)
        return "a number does not read back from its shortest text";
    // Typed numbers are never longer than a box holds; the packed reading
    // pads its digits to the exponent.
    if (bytes.size() > 64) return {};
    return checkPackedAngle(bytes, *value);
}

}  // namespace kestrane::fuzz
