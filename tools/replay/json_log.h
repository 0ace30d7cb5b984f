// JSON Lines output of the replay tool: one object per line, UTF-8, keys in
// the order written, ": " and ", " between the parts. Texts are written by
// the one JSON encoder (chain/json_string.h), escaping only what JSON needs.
#pragma once

#include <string>
#include <string_view>

namespace kestrane::replay {

// Builds one JSON object: JsonObject().add("job", "done").str() is {"job": "done"}.
class JsonObject {
public:
    JsonObject& add(std::string_view key, std::string_view text);
    JsonObject& add(std::string_view key, const char* text) { return add(key, std::string_view(text)); }
    JsonObject& add(std::string_view key, bool value);
    JsonObject& add(std::string_view key, long long value);
    JsonObject& add(std::string_view key, int value) { return add(key, static_cast<long long>(value)); }
    // value is already JSON (an object or an array).
    JsonObject& addRaw(std::string_view key, std::string_view json);
    std::string str() const { return body_ + "}"; }

private:
    JsonObject& key(std::string_view name);
    std::string body_ = "{";
};

}  // namespace kestrane::replay
