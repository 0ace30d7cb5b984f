#include "input/packed_angle_text.h"

#include <algorithm>

#include "chain/text.h"

namespace kestrane {

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

}  // namespace kestrane
