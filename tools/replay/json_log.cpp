#include "tools/replay/json_log.h"

#include "chain/utf8.h"

namespace kestrane::replay {

std::string jsonString(std::string_view text)
{
    static const char hex[] = "0123456789abcdef";
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    while (!text.empty()) {
        std::size_t sequence = 0;
        if (!utf8::next(text, sequence)) {
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
