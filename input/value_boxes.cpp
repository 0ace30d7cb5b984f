#include "input/value_boxes.h"

#include <cmath>

#include "chain/display_format.h"
#include "chain/number_parse.h"

namespace kestrane {
namespace {

std::string blankThenPattern(const std::string& typed, std::string (*pattern)(double))
{
    const auto number = parseNumber(typed);
    return " " + (number ? pattern(*number) : typed);
}

}  // namespace

ValueBox coordinateBox(Field field)
{
    return {field, [](const std::string& typed) { return blankThenPattern(typed, coordinatePattern); }};
}

ValueBox packedAngleBox(Field field)
{
    return {field, [](const std::string& typed) { return blankThenPattern(typed, packedPattern); }};
}

ValueBox spacerAngleBox(Field field)
{
    return {field, [](const std::string& typed) { return " " + packedPattern(std::fabs(*parseNumber(typed))); }};
}

ValueBox nameBox(Field field)
{
    return {field, [](const std::string& typed) { return " " + typed; }};
}

ValueBox sideBox(Field field, int side)
{
    const std::string id = std::to_string(side);
    return {field, [id](const std::string& typed) { return "s" + id + "=" + coordinatePattern(*parseNumber(typed)); }};
}

}  // namespace kestrane
