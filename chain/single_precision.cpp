#include "chain/single_precision.h"

#include <cmath>
#include <limits>

#include "chain/units.h"

namespace kestrane {

float toSingle(double value)
{
    constexpr double largest = std::numeric_limits<float>::max();
    if (std::isfinite(value) && std::fabs(value) > largest) {
        // Beyond the largest float by less than half a step still rounds to it.
        const double halfStep = std::ldexp(1.0, std::numeric_limits<float>::max_exponent - std::numeric_limits<float>::digits - 1);
        if (std::fabs(value) >= largest + halfStep) return std::copysign(std::numeric_limits<float>::infinity(), value);
        return std::copysign(std::numeric_limits<float>::max(), value);
    }
    return static_cast<float>(value);
}

float singleMillimetres(float metres)
{
    return toSingle(millimetresPerMetre * static_cast<double>(metres));
}

}  // namespace kestrane
