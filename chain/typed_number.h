// A value kept as the surveyor typed it, together with the number it reads as.
#pragma once

#include <string>

namespace kestrane {

struct TypedNumber {
    std::string text;
    double value = 0;  // 0 when the text is not a number

    static TypedNumber fromText(std::string typed);
    // A computed value (an azimuth worked out from coordinates) keeps its
    // general decimal text.
    static TypedNumber fromValue(double value);
};

}  // namespace kestrane
