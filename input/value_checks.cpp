#include "input/value_checks.h"

#include <cmath>

#include "chain/angles.h"
#include "chain/chain_survey.h"
#include "chain/display_format.h"
#include "chain/number_parse.h"
#include "chain/rounding.h"
#include "dialogue/full_width.h"
#include "input/input_messages.h"

namespace kestrane {
namespace {

bool holdsComma(const std::string& typed)
{
    return typed.find(',') != std::string::npos || typed.find("\uFF0C") != std::string::npos;
}

}  // namespace

std::optional<std::string> numberRefusal(const std::string& typed)
{
    using namespace input_messages;
    if (parseNumber(typed)) return std::nullopt;
    if (isBlankText(typed)) return nothingTyped + numberExpected;
    if (holdsComma(typed)) return commaForPoint(typed) + numberExpected;
    return notANumber(typed) + numberExpected;
}

std::optional<std::string> angleRefusal(const std::string& typed)
{
    if (auto refusal = numberRefusal(typed)) return refusal;
    const auto packed = readPackedAngle(typed);
    if (packed && !isValidPackedAngle(*packed))
        return input_messages::minutesOrSecondsOf60(typed, degreesMinutesSecondsText(*packed));
    if (std::isfinite(packedToDegrees(std::fabs(*parseNumber(typed))))) return std::nullopt;
    return input_messages::angleTooLarge(typed);
}

std::optional<std::string> triangleCountRefusal(const std::string& typed)
{
    if (auto refusal = numberRefusal(typed)) return refusal;
    if (triangleCountOf(typed)) return std::nullopt;
    return input_messages::triangleCountOutOfRange(maxTriangleCount, typed,
                                                   formatGeneral(roundHalfEven(*parseNumber(typed))));
}

std::optional<std::string> sideRefusal(const std::string& typed)
{
    if (auto refusal = numberRefusal(typed)) return refusal;
    if (*parseNumber(typed) > 0) return std::nullopt;
    return input_messages::sideNotPositive(typed);
}

std::optional<std::string> nameRefusal(const std::string& typed)
{
    if (isBlankText(typed)) return input_messages::emptyName;
    return std::nullopt;
}

}  // namespace kestrane
