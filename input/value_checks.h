// How typed values are read and checked: each check returns the refusal (the
// warning to show and its brief), or nothing when the text is accepted. A
// warning says what was expected and quotes the text that was typed.
//
// The checks of one value stand alone; those of a point's two coordinates
// and of the start and closing points together follow. The prompts and the
// job editor both call them.
#pragma once

#include <optional>
#include <string>

#include "chain/typed_number.h"
#include "dialogue/dialogue.h"

namespace kestrane {

// A number; a comma for the decimal point is named in the warning.
std::optional<Refusal> numberRefusal(const std::string& typed);
// A packed angle d.mmss whose minutes and seconds are below 60 and whose
// degrees can be computed.
std::optional<Refusal> angleRefusal(const std::string& typed);
// A triangle count that rounds (halves to even) to 1..6552.
std::optional<Refusal> triangleCountRefusal(const std::string& typed);
// A side greater than 0 metres.
std::optional<Refusal> sideRefusal(const std::string& typed);
// A point name: any text but one that is empty or blanks only.
std::optional<Refusal> nameRefusal(const std::string& typed);

// The readings of the input: numbers with the full-width forms mapped,
// names as typed.
inline const ValueReading asNumber{true, numberRefusal};
inline const ValueReading asAngle{true, angleRefusal};
inline const ValueReading asTriangleCount{true, triangleCountRefusal};
inline const ValueReading asSide{true, sideRefusal};
inline const ValueReading asName{false, nameRefusal};

// A point among C, D, E, F ("C") with exactly one zero coordinate: neither
// given nor absent, refused.
std::optional<Refusal> pointCoordinatesRefusal(const std::string& point, const TypedNumber& x, const TypedNumber& y);

// C absent with D given: a chain that no adjustment case takes, refused.
std::optional<Refusal> startAndClosingRefusal(const TypedNumber& xc, const TypedNumber& yc, const TypedNumber& xd,
                                              const TypedNumber& yd);

}  // namespace kestrane
