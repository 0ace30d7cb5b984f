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
// A value stored in single precision. A finite double beyond the range of a
// float becomes an infinity of its sign, as IEEE rounding would make it;
// the plain conversion would be undefined.
float toSingle(double value);

// A misclosure held in metres, in millimetres: the product formed in single
// precision, as the window and the report show it.
float singleMillimetres(float metres);

struct TypedNumber {
    std::string text;
    double value = 0;

    static TypedNumber fromText(std::string typed);
    static TypedNumber fromValue(double value);
};

}  // namespace kestrane
