#include "chain/display_format.h"

#include <charconv>
#include <cmath>

namespace kestrane {
namespace {

// Every double fits in fixed notation within this many characters
// (309 integer digits, sign, point and up to 1074 decimals).
constexpr std::size_t maxFixedLength = 1500;

std::string withoutNegativeZero(std::string text)
{
    if (text.empty() || text.front() != '-') return text;
    if (text.find_first_not_of("0.", 1) == std::string::npos) text.erase(0, 1);
    return text;
}

std::string withoutTrailingZeros(std::string text)
{
    if (text.find('.') == std::string::npos) return text;
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
    return text;
}

}  // namespace

std::string formatFixed(double x, int decimals)
{
    if (!std::isfinite(x)) return {};
    char buffer[maxFixedLength];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::fixed, decimals);
    return withoutNegativeZero(std::string(buffer, result.ptr));
}

std::string formatRounded(double x, int decimals)
{
    return withoutNegativeZero(withoutTrailingZeros(formatFixed(x, decimals)));
}

std::string formatGeneral(double x)
{
    if (!std::isfinite(x)) return {};
    char buffer[maxFixedLength];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::fixed);
    return withoutNegativeZero(std::string(buffer, result.ptr));
}

}  // namespace kestrane
