#include "chain/chain_survey.h"

#include "chain/number_parse.h"
#include "chain/rounding.h"

namespace kestrane {
namespace {

// n * factor + offset in 16-bit signed arithmetic, or -1 when it overflows.
int bound16(int triangles, int factor, int offset)
{
    const long value = static_cast<long>(triangles) * factor + offset;
    return value <= INT16_MAX ? static_cast<int>(value) : -1;
}

template <typename T>
void zeroFilled(std::vector<T>& array, int upperBound)
{
    array.assign(static_cast<std::size_t>(upperBound) + 1, T{});
}

}  // namespace

std::optional<ChainBounds> boundsFor(int triangles)
{
    if (triangles < 1 || triangles > INT16_MAX) return std::nullopt;
    const ChainBounds bounds{bound16(triangles, 1, 1), bound16(triangles, 2, 1), bound16(triangles, 2, 3),
                             bound16(triangles, 2, 5), bound16(triangles, 5, 2), bound16(triangles, 5, 5)};
    for (int bound : {bounds.points, bounds.sides, bounds.conditions, bounds.matrixOrder, bounds.observations,
                      bounds.matrixColumns})
        if (bound < 0) return std::nullopt;
    return bounds;
}

bool ChainSurvey::size(int triangles)
{
    const auto bounds = boundsFor(triangles);
    if (!bounds) return false;
    triangleCount = static_cast<std::int16_t>(triangles);
    for (auto* angles : {&angleA, &angleB, &angleC, &packedA, &packedB, &packedC}) zeroFilled(*angles, triangles);
    zeroFilled(spacerSign, bounds->points);
    zeroFilled(sideLength, bounds->sides);
    zeroFilled(observedSide, bounds->sides);
    zeroFilled(pointName, bounds->points);
    zeroFilled(triangleMisclosure, triangles);
    zeroFilled(misclosure, bounds->conditions);
    for (auto* route : {&routeX, &routeY, &routeAzimuth, &linearisedX, &linearisedY}) zeroFilled(*route, bounds->points);
    zeroFilled(weightReciprocal, bounds->observations);
    zeroFilled(correction, bounds->observations);
    conditionMatrix = ConditionRows(bounds->matrixOrder + 1, bounds->matrixColumns + 1);
    normalMatrix = EnvelopeMatrix();
    workMatrix = EnvelopeMatrix();
    zeroFilled(correlates, bounds->conditions);
    return true;
}

std::optional<int> triangleCountOf(std::string_view typed)
{
    const auto number = parseNumber(typed);
    if (!number) return std::nullopt;
    const double count = roundHalfEven(*number);
    if (count < 1 || count > maxTriangleCount) return std::nullopt;
    return static_cast<int>(count);
}

bool isGiven(const TypedNumber& x, const TypedNumber& y)
{
    return x.value != 0 && y.value != 0;
}

bool isAbsent(const TypedNumber& x, const TypedNumber& y)
{
    return x.value == 0 && y.value == 0;
}

}  // namespace kestrane
