// A typed packed angle (d.mmss) read digit by digit from its decimal text,
// so that minutes and seconds are judged as the surveyor wrote them and not
// through a binary double: "45.309" is 45 deg 30' 90", "45.595999" is
// 45 deg 59' 59.99".
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kestrane {

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

}  // namespace kestrane
