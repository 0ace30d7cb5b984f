// The forms a Chinese input method types for numbers, read as ASCII: the
// full-width digits U+FF10..U+FF19, plus U+FF0B, minus U+FF0D and U+2212, the
// full-width point U+FF0E and the ideographic full stop U+3002 as a decimal
// point, and the ideographic space U+3000 as a blank. Everything else, a
// comma included, is left as it stands.
#pragma once

#include <string>
#include <string_view>

namespace kestrane {

std::string mappedToAscii(std::string_view typed);

// Blanks of a typed text: space, tab and the ideographic space.
bool isBlankText(std::string_view typed);

}  // namespace kestrane
