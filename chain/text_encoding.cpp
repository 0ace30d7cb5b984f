#include "chain/text_encoding.h"

#include <cerrno>
#include <cstdio>
#include <vector>

// The C library's character-set converter (glibc iconv): it carries the
// GB18030 and GBK tables, so the exports need no table of their own.
#include <iconv.h>

#include "chain/utf8.h"

namespace kestrane {
namespace {

class Converter {
public:
    // From UTF-8 to the encoding, or from one to the other.
    explicit Converter(const char* encoding, const char* from = "UTF-8") : handle_(iconv_open(encoding, from)) {}
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

std::optional<std::string> encodeUtf8As(std::string_view text, const char* encoding)
{
    if (!utf8::isWellFormed(text)) return std::nullopt;
    Converter converter(encoding);
    if (!converter.usable()) return std::nullopt;
    return converter.convert(text);
}

std::optional<std::string> decodeToUtf8(std::string_view bytes, const char* encoding)
{
    Converter converter("UTF-8", encoding);
    if (!converter.usable()) return std::nullopt;
    auto text = converter.convert(bytes);
    if (!text || !utf8::isWellFormed(*text)) return std::nullopt;
    return text;
}

std::string firstUnencodable(std::string_view text, const char* encoding)
{
    Converter converter(encoding);
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t start = at;
        const auto code = utf8::next(text, at);
        if (!code) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "0x%02X", static_cast<unsigned char>(text[start]));
            return std::string("字节 ") + hex + "(不是 UTF-8 文字)";
        }
        const std::string_view character = text.substr(start, at - start);
        if (!converter.usable() || !converter.convert(character)) {
            char number[16];
            std::snprintf(number, sizeof number, "U+%04X", static_cast<unsigned>(*code));
            return std::string(character) + "(" + number + ")";
        }
    }
    return {};
}

}  // namespace kestrane
