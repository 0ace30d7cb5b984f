#include "tools/replay/json_log.h"

namespace kestrane::replay {
namespace {

// Length of the well-formed UTF-8 sequence at the start of text, 0 if there is none.
std::size_t utf8SequenceLength(std::string_view text)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length;
    unsigned char low = 0x80, high = 0xBF;  // bounds of the second byte
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;         // no overlong forms
        if (lead == 0xED) high = 0x9F;        // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;        // nothing above U+10FFFF
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < low || byte(1) > high) return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
    return length;
}

}  // namespace

std::string jsonString(std::string_view text)
{
    static const char hex[] = "0123456789abcdef";
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    while (!text.empty()) {
        const std::size_t sequence = utf8SequenceLength(text);
        if (sequence == 0) {
            out += "\uFFFD";  // a byte that is not UTF-8 text
            text.remove_prefix(1);
            continue;
        }
        if (sequence > 1) {
            out.append(text.substr(0, sequence));
            text.remove_prefix(sequence);
            continue;
        }
        const char c = text.front();
        text.remove_prefix(1);
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                out += "\\u00";
                out += hex[(c >> 4) & 0xf];
                out += hex[c & 0xf];
            } else {
                out += c;
            }
        }
    }
    out += '"';
    return out;
}

JsonObject& JsonObject::key(std::string_view name)
{
    if (body_.size() > 1) body_ += ", ";
    body_ += jsonString(name);
    body_ += ": ";
    return *this;
}

JsonObject& JsonObject::add(std::string_view name, std::string_view text)
{
    key(name).body_ += jsonString(text);
    return *this;
}

JsonObject& JsonObject::add(std::string_view name, bool value)
{
    key(name).body_ += value ? "true" : "false";
    return *this;
}

JsonObject& JsonObject::add(std::string_view name, long long value)
{
    key(name).body_ += std::to_string(value);
    return *this;
}

JsonObject& JsonObject::addRaw(std::string_view name, std::string_view json)
{
    key(name).body_ += json;
    return *this;
}

}  // namespace kestrane::replay
