#include "chain/utf8.h"

namespace kestrane::utf8 {
namespace {

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

}  // namespace

std::optional<char32_t> next(std::string_view text, std::size_t& at)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80) return text[at++];

    int length = 0;
    char32_t character = 0;
    char32_t smallest = 0;  // below this the sequence is an overlong form
    if (lead >= 0xC2 && lead <= 0xDF) length = 2, character = lead & 0x1F, smallest = 0x80;
    else if (lead >= 0xE0 && lead <= 0xEF) length = 3, character = lead & 0x0F, smallest = 0x800;
    else if (lead >= 0xF0 && lead <= 0xF4) length = 4, character = lead & 0x07, smallest = 0x10000;
    else return std::nullopt;

    if (text.size() - at < static_cast<std::size_t>(length)) return std::nullopt;
    for (int i = 1; i < length; ++i) {
        if (!isContinuation(byte(at + i))) return std::nullopt;
        character = (character << 6) | (byte(at + i) & 0x3F);
    }
    if (character < smallest || character > 0x10FFFF) return std::nullopt;
    if (character >= 0xD800 && character <= 0xDFFF) return std::nullopt;
    at += length;
    return character;
}

std::size_t firstInvalidByte(std::string_view text)
{
    std::size_t at = 0;
    while (at < text.size()) {
        // Plain ASCII, by far the most of any job file, skips the decoder.
        if (static_cast<unsigned char>(text[at]) < 0x80) {
            ++at;
            continue;
        }
        if (!next(text, at)) return at;
    }
    return std::string_view::npos;
}

std::string repaired(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t start = at;
        if (next(text, at)) {
            out.append(text.substr(start, at - start));
        } else {
            append(out, replacementCharacter);
            ++at;
        }
    }
    return out;
}

void append(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool isControl(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

std::string excerpt(std::string_view text, std::size_t characters)
{
    std::string out;
    std::size_t at = 0;
    for (std::size_t count = 0; at < text.size(); ++count) {
        if (count == characters) return out + "…";
        const auto c = next(text, at);
        if (!c) return out + "…";
        if (isControl(*c)) out += '?';
        else append(out, *c);
    }
    return out;
}

}  // namespace kestrane::utf8
