#include "dialogue/full_width.h"

namespace kestrane {
namespace {

struct Mapping {
    std::string_view from;  // UTF-8
    char to;
};

constexpr Mapping mappings[] = {
    {"\uFF10", '0'}, {"\uFF11", '1'}, {"\uFF12", '2'}, {"\uFF13", '3'}, {"\uFF14", '4'},
    {"\uFF15", '5'}, {"\uFF16", '6'}, {"\uFF17", '7'}, {"\uFF18", '8'}, {"\uFF19", '9'},
    {"\uFF0B", '+'}, {"\uFF0D", '-'}, {"\u2212", '-'}, {"\uFF0E", '.'}, {"\u3002", '.'},
    {"\u3000", ' '},
};

}  // namespace

std::string mappedToAscii(std::string_view typed)
{
    std::string ascii;
    ascii.reserve(typed.size());
    while (!typed.empty()) {
        // Every form mapped starts with a byte above ASCII.
        if (static_cast<unsigned char>(typed.front()) < 0x80) {
            ascii += typed.front();
            typed.remove_prefix(1);
            continue;
        }
        bool mapped = false;
        for (const Mapping& mapping : mappings) {
            if (typed.substr(0, mapping.from.size()) == mapping.from) {
                ascii += mapping.to;
                typed.remove_prefix(mapping.from.size());
                mapped = true;
                break;
            }
        }
        if (!mapped) {
            ascii += typed.front();
            typed.remove_prefix(1);
        }
    }
    return ascii;
}

bool isBlankText(std::string_view typed)
{
    constexpr std::string_view ideographicSpace = "\u3000";
    while (!typed.empty()) {
        if (typed.front() == ' ' || typed.front() == '\t') typed.remove_prefix(1);
        else if (typed.substr(0, ideographicSpace.size()) == ideographicSpace) typed.remove_prefix(ideographicSpace.size());
        else return false;
    }
    return true;
}

}  // namespace kestrane
