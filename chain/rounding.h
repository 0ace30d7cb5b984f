// Rounding to a whole number, halves to the even neighbour (2.5 -> 2,
// 3.5 -> 4), as the triangle count is read.
#pragma once

#include <cmath>

namespace kestrane {

inline double roundHalfEven(double x)
{
    if (std::fabs(x - std::trunc(x)) == 0.5) return 2 * std::round(x / 2);
    return std::round(x);
}

}  // namespace kestrane
