#include "dialogue/indexed_text.h"

namespace kestrane {

std::string withIndex(std::string_view pattern, int index)
{
    constexpr std::string_view placeholder = "{i}";
    const std::string number = std::to_string(index);
    std::string text;
    text.reserve(pattern.size() + 8);
    for (std::size_t at = pattern.find(placeholder); at != std::string_view::npos; at = pattern.find(placeholder)) {
        text.append(pattern.substr(0, at)).append(number);
        pattern.remove_prefix(at + placeholder.size());
    }
    return text.append(pattern);
}

ValueTexts withIndex(const ValueTexts& pattern, int index)
{
    return {withIndex(pattern.key, index),        withIndex(pattern.prompt, index),
            withIndex(pattern.firstConfirm, index), withIndex(pattern.laterConfirm, index),
            withIndex(pattern.reentry, index),    withIndex(pattern.confirmTitle, index)};
}

}  // namespace kestrane
