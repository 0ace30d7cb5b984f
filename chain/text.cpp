#include "chain/text.h"

#include <algorithm>

namespace kestrane {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool allDigits(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), isDigit);
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view text, std::string_view characters)
{
    while (!text.empty() && characters.find(text.front()) != std::string_view::npos) text.remove_prefix(1);
    while (!text.empty() && characters.find(text.back()) != std::string_view::npos) text.remove_suffix(1);
    return text;
}

std::string_view trimmedBlanks(std::string_view text)
{
    return trimmed(text, " \t");
}

std::string filledIn(std::string_view pattern, Blanks blanks)
{
    std::string text;
    text.reserve(pattern.size() + 16);
    std::size_t at = 0;
    for (std::size_t open = pattern.find('{'); open != std::string_view::npos; open = pattern.find('{', at)) {
        const std::size_t close = pattern.find('}', open + 1);
        if (close == std::string_view::npos) break;
        const std::string_view name = pattern.substr(open + 1, close - open - 1);
        const auto blank = std::find_if(blanks.begin(), blanks.end(), [&](const auto& b) { return b.first == name; });
        if (blank == blanks.end()) {
            // Not a placeholder; a "{name}" may still start inside it.
            text.append(pattern.substr(at, open + 1 - at));
            at = open + 1;
            continue;
        }
        text.append(pattern.substr(at, open - at)).append(blank->second);
        at = close + 1;
    }
    return text.append(pattern.substr(at));
}

}  // namespace kestrane
