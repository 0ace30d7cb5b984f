#include "jobfile/value_quoting.h"

#include <cstdio>
#include <optional>

#include "chain/json_string.h"
#include "chain/text.h"
#include "chain/utf8.h"

namespace kestrane {
namespace {

DecodedValue fault(std::string what)
{
    return {{}, std::move(what)};
}

std::string hex4(char32_t unit)
{
    char digits[8];
    std::snprintf(digits, sizeof digits, "%04x", static_cast<unsigned>(unit));
    return digits;
}

// The four hex digits after "\u" at literal[at], or nothing.
std::optional<char32_t> readHex4(std::string_view literal, std::size_t at)
{
    if (literal.size() - at < 4) return std::nullopt;
    char32_t unit = 0;
    for (std::size_t i = at; i < at + 4; ++i) {
        const char c = literal[i];
        int digit;
        if (c >= '0' && c <= '9') digit = c - '0';
        else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        else return std::nullopt;
        unit = unit * 16 + digit;
    }
    return unit;
}

bool isHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

const char* simpleEscape(char c)
{
    switch (c) {
    case '"': return "\"";
    case '\\': return "\\";
    case '/': return "/";
    case 'b': return "\b";
    case 'f': return "\f";
    case 'n': return "\n";
    case 'r': return "\r";
    case 't': return "\t";
    default: return nullptr;
    }
}

// The character of a \u escape at literal[at] (the backslash), a surrogate
// pair taken whole; at moves past it. Sets fault when it is broken.
char32_t readUnicodeEscape(std::string_view literal, std::size_t& at, std::string& fault)
{
    const auto unit = readHex4(literal, at + 2);
    if (!unit) {
        fault = "“\\u” 后须有四位十六进制数字";
        return 0;
    }
    if (isLowSurrogate(*unit)) {
        fault = "“\\u" + hex4(*unit) + "” 是单独的低位代理项,前面缺少高位代理项";
        return 0;
    }
    if (!isHighSurrogate(*unit)) {
        at += 6;
        return *unit;
    }
    const bool pairFollows = literal.substr(at + 6, 2) == "\\u";
    const auto low = pairFollows ? readHex4(literal, at + 8) : std::nullopt;
    if (!low || !isLowSurrogate(*low)) {
        fault = "“\\u" + hex4(*unit) + "” 是单独的高位代理项,后面缺少低位代理项";
        return 0;
    }
    at += 12;
    return 0x10000 + ((*unit - 0xD800) << 10) + (*low - 0xDC00);
}

}  // namespace

DecodedValue decodeQuotedValue(std::string_view literal)
{
    DecodedValue value;
    std::size_t at = 1;  // past the opening quote
    for (;;) {
        if (at >= literal.size()) return fault("缺少结尾的引号");
        const char c = literal[at];
        if (c == '"') break;
        if (static_cast<unsigned char>(c) < 0x20) {
            return fault("引号内有未转义的控制字符 U+" + hex4(static_cast<unsigned char>(c)) +
                         "(须写作 \\u" + hex4(static_cast<unsigned char>(c)) + " 之类的转义)");
        }
        if (c != '\\') {
            value.text += c;
            ++at;
            continue;
        }
        if (at + 1 >= literal.size()) return fault("缺少结尾的引号");
        const char escape = literal[at + 1];
        if (const char* replacement = simpleEscape(escape)) {
            value.text += replacement;
            at += 2;
        } else if (escape == 'u') {
            std::string broken;
            const char32_t character = readUnicodeEscape(literal, at, broken);
            if (!broken.empty()) return fault(broken);
            utf8::append(value.text, character);
        } else {
            std::size_t end = at + 1;
            utf8::next(literal, end);  // past the one character after the backslash
            return fault("“\\" + utf8::excerpt(literal.substr(at + 1, end - at - 1)) + "” 不是可用的转义");
        }
    }
    const std::string_view rest = literal.substr(at + 1);
    for (const char c : rest)
        if (!isBlank(c)) return fault("结尾的引号后还有内容 “" + utf8::excerpt(rest) + "”");
    return value;
}

bool needsQuoting(std::string_view text)
{
    if (text.empty()) return false;
    if (isBlank(text.front()) || isBlank(text.back()) || text.front() == '"') return true;
    std::size_t at = 0;
    while (at < text.size()) {
        const auto c = utf8::next(text, at);
        if (!c || utf8::isControl(*c) || *c == utf8::byteOrderMarkCharacter) return true;
    }
    return false;
}

std::string writtenValue(std::string_view raw)
{
    const std::string text = utf8::isWellFormed(raw) ? std::string(raw) : utf8::repaired(raw);
    if (!needsQuoting(text)) return text;
    return jsonStringLiteral(text, JsonEscapes::everyControl);
}

}  // namespace kestrane
