// How typed values are read and checked: each check returns the warning to
// show, or nothing when the text is accepted. A warning says what was
// expected and quotes the text that was typed.
#pragma once

#include <optional>
#include <string>

#include "dialogue/dialogue.h"

namespace kestrane {

// A number; a comma for the decimal point is named in the warning.
std::optional<std::string> numberRefusal(const std::string& typed);
// A packed angle d.mmss whose minutes and seconds are below 60 and whose
// degrees can be computed.
std::optional<std::string> angleRefusal(const std::string& typed);
// A triangle count that rounds (halves to even) to 1..6552.
std::optional<std::string> triangleCountRefusal(const std::string& typed);
// A side greater than 0 metres.
std::optional<std::string> sideRefusal(const std::string& typed);
// A point name: any text but one that is empty or blanks only.
std::optional<std::string> nameRefusal(const std::string& typed);

// The readings of the input: numbers with the full-width forms mapped,
// names as typed.
inline const ValueReading asNumber{true, numberRefusal};
inline const ValueReading asAngle{true, angleRefusal};
inline const ValueReading asTriangleCount{true, triangleCountRefusal};
inline const ValueReading asSide{true, sideRefusal};
inline const ValueReading asName{false, nameRefusal};

}  // namespace kestrane
