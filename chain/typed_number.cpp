#include "chain/typed_number.h"

#include "chain/display_format.h"
#include "chain/number_parse.h"

namespace kestrane {

TypedNumber TypedNumber::fromText(std::string typed)
{
    TypedNumber number;
    number.value = parseNumber(typed).value_or(0);
    number.text = std::move(typed);
    return number;
}

TypedNumber TypedNumber::fromValue(double value)
{
    return TypedNumber{formatGeneral(value), value};
}

}  // namespace kestrane
