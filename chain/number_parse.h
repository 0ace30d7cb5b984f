// Numbers as the surveyor types them.
//
// After trimming blanks a number is an optional sign, digits with an optional
// decimal point, and an optional exponent, and it must be finite.
// Legal: "12.345", "-0.3015", "+7", ".5", "5.", "1e5", "2.5E-3", " 42 ".
// Illegal: "", "abc", ".", "1,5", "0x10", "inf", "nan", "1e400", "12 3".
// A number too small for a double ("1e-400") reads as zero.
#pragma once

#include <optional>
#include <string_view>

namespace kestrane {

std::optional<double> parseNumber(std::string_view text);

}  // namespace kestrane
