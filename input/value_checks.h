// Checks of typed values: each returns the warning to show, or nothing when
// the text is accepted. A warning says what was expected and quotes the text
// that was typed.
#pragma once

#include <optional>
#include <string>

namespace kestrane {

// Accepts any text (point names).
std::optional<std::string> anyText(const std::string& typed);
// Accepts numbers only.
std::optional<std::string> numberText(const std::string& typed);
// Accepts packed angles whose degrees can be computed (any number not so
// large that the conversion overflows).
std::optional<std::string> angleText(const std::string& typed);
// Accepts a triangle count that rounds (halves to even) to 1..6552.
std::optional<std::string> triangleCountText(const std::string& typed);
// Accepts sides greater than 0 metres.
std::optional<std::string> sideText(const std::string& typed);

}  // namespace kestrane
