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

std::optional<Refusal> numberRefusal(const std::string& typed)
{
    using namespace input_messages;
    if (parseNumber(typed)) return std::nullopt;
    if (isBlankText(typed)) return Refusal{nothingTyped + numberExpected, nothingTypedBrief};
    if (holdsComma(typed)) return Refusal{commaForPoint(typed) + numberExpected, commaForPointBrief};
    return Refusal{notANumber(typed) + numberExpected, notANumberBrief};
}

std::optional<Refusal> angleRefusal(const std::string& typed)
{
    using namespace input_messages;
    if (auto refusal = numberRefusal(typed)) return refusal;
    const auto packed = readPackedAngle(typed);
    if (packed && !isValidPackedAngle(*packed)) {
        return Refusal{minutesOrSecondsOf60(typed, degreesMinutesSecondsText(*packed)),
                       minutesOrSecondsOf60Brief(packed->minutes, packed->seconds, packed->minutes >= "60",
                                                 packed->seconds.substr(0, 2) >= "60")};
    }
    if (std::isfinite(packedToDegrees(std::fabs(*parseNumber(typed))))) return std::nullopt;
    return Refusal{angleTooLarge(typed), angleTooLargeBrief};
}

std::optional<Refusal> triangleCountRefusal(const std::string& typed)
{
    using namespace input_messages;
    if (auto refusal = numberRefusal(typed)) return refusal;
    if (triangleCountOf(typed)) return std::nullopt;
    return Refusal{triangleCountOutOfRange(maxTriangleCount, typed, formatGeneral(roundHalfEven(*parseNumber(typed)))),
                   triangleCountOutOfRangeBrief(maxTriangleCount)};
}

std::optional<Refusal> sideRefusal(const std::string& typed)
{
    if (auto refusal = numberRefusal(typed)) return refusal;
    if (*parseNumber(typed) > 0) return std::nullopt;
    return Refusal{input_messages::sideNotPositive(typed), input_messages::sideNotPositiveBrief};
}

std::optional<Refusal> nameRefusal(const std::string& typed)
{
    if (isBlankText(typed)) return Refusal{input_messages::emptyName, input_messages::emptyNameBrief};
    return std::nullopt;
}

std::optional<Refusal> pointCoordinatesRefusal(const std::string& point, const TypedNumber& x, const TypedNumber& y)
{
    if (isGiven(x, y) || isAbsent(x, y)) return std::nullopt;
    return Refusal{input_messages::oneZeroCoordinate(point), input_messages::oneZeroCoordinateBrief(point)};
}

std::optional<Refusal> startAndClosingRefusal(const TypedNumber& xc, const TypedNumber& yc, const TypedNumber& xd,
                                              const TypedNumber& yd)
{
    if (!(isAbsent(xc, yc) && isGiven(xd, yd))) return std::nullopt;
    return Refusal{input_messages::startAbsentEndKnown, input_messages::startAbsentEndKnownBrief};
}

}  // namespace kestrane
