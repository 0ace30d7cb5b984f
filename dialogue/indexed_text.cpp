#include "dialogue/indexed_text.h"

#include "chain/text.h"

namespace kestrane {

std::string withIndex(std::string_view pattern, int index)
{
    return filledIn(pattern, {{"i", std::to_string(index)}});
}

ValueTexts withIndex(const ValueTexts& pattern, int index)
{
    return {withIndex(pattern.key, index),        withIndex(pattern.prompt, index),
            withIndex(pattern.firstConfirm, index), withIndex(pattern.laterConfirm, index),
            withIndex(pattern.reentry, index),    withIndex(pattern.confirmTitle, index)};
}

}  // namespace kestrane
