#include "export/text_encoding.h"

#include <cerrno>
#include <cstdio>
#include <vector>

// The C library's character-set converter (glibc iconv): it carries the
// GB18030 and GBK tables, so the exports need no table of their own.
#include <iconv.h>

namespace kestrane {
namespace {

// The length of the UTF-8 sequence starting at text[at], or 0 when it is
// not a well-formed one; code receives the code point.
std::size_t sequenceAt(std::string_view text, std::size_t at, char32_t& code)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    std::size_t length = 0;
    char32_t least = 0;
    if (lead < 0x80) {
        code = lead;
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, least = 0x80, code = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, least = 0x800, code = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, least = 0x10000, code = lead & 0x07;
    } else {
        return 0;
    }
    if (at + length > text.size()) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) return 0;
        code = (code << 6) | (byte(at + i) & 0x3F);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return length;
}

class Converter {
public:
    explicit Converter(const char* encoding) : handle_(iconv_open(encoding, "UTF-8")) {}
    ~Converter()
    {
        if (usable()) iconv_close(handle_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool usable() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    // The whole text converted, or nothing when the converter stops at a
    // character or replaces one (a conversion it counts as irreversible).
    std::optional<std::string> convert(std::string_view text)
    {
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        std::string input(text);
        char* in = input.data();
        std::size_t inLeft = input.size();
        std::vector<char> output(4 * input.size() + 16);
        char* out = output.data();
        std::size_t outLeft = output.size();
        const std::size_t irreversible = iconv(handle_, &in, &inLeft, &out, &outLeft);
        if (irreversible != 0 || inLeft != 0) return std::nullopt;
        // Close any shift state (none in these encodings, but cheap to honour).
        if (iconv(handle_, nullptr, nullptr, &out, &outLeft) == static_cast<std::size_t>(-1)) return std::nullopt;
        return std::string(output.data(), out);
    }

private:
    iconv_t handle_;
};

}  // namespace

bool isValidUtf8(std::string_view text)
{
    char32_t code = 0;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = sequenceAt(text, at, code);
        if (length == 0) return false;
        at += length;
    }
    return true;
}

std::optional<std::string> encodeUtf8As(std::string_view text, const char* encoding)
{
    if (!isValidUtf8(text)) return std::nullopt;
    Converter converter(encoding);
    if (!converter.usable()) return std::nullopt;
    return converter.convert(text);
}

std::string firstUnencodable(std::string_view text, const char* encoding)
{
    Converter converter(encoding);
    char32_t code = 0;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = sequenceAt(text, at, code);
        if (length == 0) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "0x%02X", static_cast<unsigned char>(text[at]));
            return std::string("字节 ") + hex + "(不是 UTF-8 文字)";
        }
        const std::string_view character = text.substr(at, length);
        if (!converter.usable() || !converter.convert(character)) {
            char number[16];
            std::snprintf(number, sizeof number, "U+%04X", static_cast<unsigned>(code));
            return std::string(character) + "(" + number + ")";
        }
        at += length;
    }
    return {};
}

}  // namespace kestrane
