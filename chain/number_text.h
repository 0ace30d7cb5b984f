// Numbers as the surveyor types them.
//
// After trimming blanks a number is an optional sign, digits with an optional
// decimal point, and an optional exponent, and it must be finite.
// Legal: "12.345", "-0.3015", "+7", ".5", "5.", "1e5", "2.5E-3", " 42 ".
// Illegal: "", "abc", ".", "1,5", "0x10", "inf", "nan", "1e400", "12 3".
// A number too small for a double ("1e-400") reads as zero.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kestrane {

std::optional<double> parseNumber(std::string_view text);

// A value kept as the surveyor typed it, together with the number it reads as.
// Computed values (an azimuth worked out from coordinates) keep their general
// decimal text.
struct TypedNumber {
    std::string text;
    double value = 0;

    static TypedNumber fromText(std::string typed);
    static TypedNumber fromValue(double value);
};

}  // namespace kestrane
