// Texts that carry an index: "{i}" stands for the number written in plain
// decimal digits, so that a table of prompts reads as the surveyor sees them
// ("输入第 {i} 条边 :" is asked as "输入第 7 条边 :"). The placeholders are
// those of every table of texts (chain/text.h).
#pragma once

#include <string>
#include <string_view>

#include "dialogue/dialogue.h"

namespace kestrane {

std::string withIndex(std::string_view pattern, int index);

// Every text of the value, key included, with the index put in.
ValueTexts withIndex(const ValueTexts& pattern, int index);

}  // namespace kestrane
