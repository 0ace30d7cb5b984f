#include "chain/text_encoding.h"
#include "chain/utf8.h"
#include "checks/reader_checks.h"

namespace kestrane::fuzz {

std::string checkUtf8(std::string_view bytes)
{
    // The decoder stops at the first byte firstInvalidByte names; what it
    // decodes before it encodes again to the same bytes.
    std::string encoded;
    std::size_t at = 0;
    while (at < bytes.size()) {
        const std::size_t before = at;
        const std::optional<char32_t> character = utf8::next(bytes, at);
        if (!character) {
            if (at != before) return "a failed decoding moved on";
            break;
        }
        if (at <= before || at - before > 4) return "a character of no 1 to 4 bytes";
        if (*character > 0x10FFFF || (*character >= 0xD800 && *character <= 0xDFFF)) return "a code point not a character";
        utf8::append(encoded, *character);
    }
    const std::size_t invalid = utf8::firstInvalidByte(bytes);
    if ((at == bytes.size()) != (invalid == std::string_view::npos) || (at < bytes.size() && invalid != at))
        return "firstInvalidByte and next disagree";
    if (encoded != bytes.substr(0, at)) return "decoded text encodes to other bytes";

    const std::string repaired = utf8::repaired(bytes);
    if (!utf8::isWellFormed(repaired)) return "repaired text is not UTF-8";
    if (invalid == std::string_view::npos && repaired != bytes) return "repair changed well-formed text";
    if (!utf8::isWellFormed(utf8::excerpt(repaired, 40))) return "excerpt is not UTF-8";
    return {};
}

std::string checkGb18030(std::string_view bytes)
{
    const std::optional<std::string> decoded = decodeToUtf8(bytes, gb18030Encoding);
    if (!decoded) return {};
    if (!utf8::isWellFormed(*decoded)) return "GB18030 decoded to text that is not UTF-8";
    const std::optional<std::string> encoded = encodeUtf8As(*decoded, gb18030Encoding);
    if (!encoded) {
        if (firstUnencodable(*decoded, gb18030Encoding).empty()) return "encoding failed without a character named";
        return {};
    }
    if (decodeToUtf8(*encoded, gb18030Encoding) != decoded) return "GB18030 text encodes and decodes to other text";
    return {};
}

}  // namespace kestrane::fuzz
