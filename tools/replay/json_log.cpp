#include "tools/replay/json_log.h"

#include "chain/json_string.h"

namespace kestrane::replay {

namespace {

std::string jsonString(std::string_view text)
{
    return jsonStringLiteral(text, JsonEscapes::required);
}

}  // namespace

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
