#include "chain/number_parse.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <system_error>

#include "chain/text.h"

namespace kestrane {
namespace {

std::size_t skipDigits(std::string_view text, std::size_t at)
{
    while (at < text.size() && isDigit(text[at])) ++at;
    return at;
}

// Sign, digits with an optional point (at least one digit), optional exponent.
bool isNumberSyntax(std::string_view text)
{
    std::size_t at = 0;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
    const std::size_t integerEnd = skipDigits(text, at);
    bool digits = integerEnd > at;
    at = integerEnd;
    if (at < text.size() && text[at] == '.') {
        const std::size_t fractionEnd = skipDigits(text, at + 1);
        digits = digits || fractionEnd > at + 1;
        at = fractionEnd;
    }
    if (!digits) return false;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
        const std::size_t exponentEnd = skipDigits(text, at);
        if (exponentEnd == at) return false;
        at = exponentEnd;
    }
    return at == text.size();
}

// Whether an unsigned number that a double cannot hold is below its range
// rather than above it: the power of ten of its first significant digit,
// exponent included, is negative.
bool isBelowRange(std::string_view text)
{
    const std::size_t exponentAt = text.find_first_of("eE");
    const std::string_view mantissa = text.substr(0, exponentAt);
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t firstSignificant = mantissa.find_first_of("123456789");
    if (firstSignificant == std::string_view::npos) return true;
    long long power = firstSignificant < point ? static_cast<long long>(point - firstSignificant) - 1
                                                : -static_cast<long long>(firstSignificant - point);
    if (exponentAt != std::string_view::npos) {
        std::string_view exponent = text.substr(exponentAt + 1);
        const bool negative = exponent.front() == '-';
        if (exponent.front() == '+' || exponent.front() == '-') exponent.remove_prefix(1);
        long long value = 0;
        for (char c : exponent) value = std::min(value * 10 + (c - '0'), 1'000'000'000LL);
        power += negative ? -value : value;
    }
    return power < 0;
}

}  // namespace

std::optional<double> parseNumber(std::string_view text)
{
    text = trimmedBlanks(text);
    if (!isNumberSyntax(text)) return std::nullopt;
    const bool negative = text.front() == '-';
    if (text.front() == '+' || text.front() == '-') text.remove_prefix(1);

    double magnitude = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), magnitude);
    if (result.ec == std::errc::result_out_of_range) {
        // An overflow is refused; an underflow is a zero.
        if (!isBelowRange(text)) return std::nullopt;
        magnitude = 0;
    } else if (result.ec != std::errc() || !std::isfinite(magnitude)) {
        return std::nullopt;
    }
    return negative ? -magnitude : magnitude;
}

}  // namespace kestrane
