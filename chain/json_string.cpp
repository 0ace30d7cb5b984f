#include "chain/json_string.h"

#include <cstdio>

#include "chain/utf8.h"

namespace kestrane {
namespace {

const char* shortEscape(char32_t c)
{
    switch (c) {
    case '"': return "\\\"";
    case '\\': return "\\\\";
    case '\b': return "\\b";
    case '\f': return "\\f";
    case '\n': return "\\n";
    case '\r': return "\\r";
    case '\t': return "\\t";
    default: return nullptr;
    }
}

bool escaped(char32_t c, JsonEscapes escapes)
{
    if (c < 0x20) return true;
    return escapes == JsonEscapes::everyControl && (utf8::isControl(c) || c == utf8::byteOrderMarkCharacter);
}

}  // namespace

std::string jsonStringLiteral(std::string_view text, JsonEscapes escapes)
{
    std::string literal;
    literal.reserve(text.size() + 2);
    literal += '"';
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t start = at;
        const auto c = utf8::next(text, at);
        if (!c) {
            utf8::append(literal, utf8::replacementCharacter);
            ++at;
        } else if (const char* escape = shortEscape(*c)) {
            literal += escape;
        } else if (escaped(*c, escapes)) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\u%04x", static_cast<unsigned>(*c));
            literal += hex;
        } else {
            literal.append(text.substr(start, at - start));
        }
    }
    return literal + '"';
}

}  // namespace kestrane
