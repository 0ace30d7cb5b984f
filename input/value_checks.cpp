#include "input/value_checks.h"

#include <cmath>

#include "chain/angles.h"
#include "chain/chain_survey.h"
#include "chain/display_format.h"
#include "chain/number_parse.h"
#include "chain/rounding.h"
#include "input/input_messages.h"

namespace kestrane {

std::optional<std::string> anyText(const std::string&)
{
    return std::nullopt;
}

std::optional<std::string> numberText(const std::string& typed)
{
    using namespace input_messages;
    if (parseNumber(typed)) return std::nullopt;
    if (typed.find_first_not_of(" \t") == std::string::npos) return nothingTyped + numberExpected;
    return notANumber(typed) + numberExpected;
}

std::optional<std::string> angleText(const std::string& typed)
{
    if (auto refusal = numberText(typed)) return refusal;
    if (std::isfinite(packedToDegrees(std::fabs(*parseNumber(typed))))) return std::nullopt;
    return input_messages::angleTooLarge(typed);
}

std::optional<std::string> triangleCountText(const std::string& typed)
{
    if (auto refusal = numberText(typed)) return refusal;
    const double count = roundHalfEven(*parseNumber(typed));
    if (count >= 1 && count <= maxTriangleCount) return std::nullopt;
    return input_messages::triangleCountOutOfRange(maxTriangleCount, typed, formatGeneral(count));
}

std::optional<std::string> sideText(const std::string& typed)
{
    if (auto refusal = numberText(typed)) return refusal;
    if (*parseNumber(typed) > 0) return std::nullopt;
    return input_messages::sideNotPositive(typed);
}

}  // namespace kestrane
