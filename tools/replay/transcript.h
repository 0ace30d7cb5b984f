// The lines of a transcript, each one entry: split at line feeds, a carriage
// return before a line feed dropped, and no empty entry after a final line
// break.
#pragma once

#include <string_view>
#include <vector>

namespace kestrane::replay {

std::vector<std::string_view> transcriptLines(std::string_view text);

}  // namespace kestrane::replay
