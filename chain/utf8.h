// UTF-8 as the program holds its texts: well-formed sequences only (no overlong
// forms, no encoded surrogates, nothing above U+10FFFF).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kestrane::utf8 {

inline constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
inline constexpr char32_t byteOrderMarkCharacter = 0xFEFF;
inline constexpr char32_t replacementCharacter = 0xFFFD;

// The character starting at text[at], advancing at past it; nothing, with at
// unchanged, when no well-formed sequence starts there.
std::optional<char32_t> next(std::string_view text, std::size_t& at);

// The byte offset of the first byte that does not begin a well-formed
// sequence, or npos when the whole text is UTF-8.
std::size_t firstInvalidByte(std::string_view text);

// Whether the whole text is well-formed UTF-8.
inline bool isWellFormed(std::string_view text) { return firstInvalidByte(text) == std::string_view::npos; }

// The text with every ill-formed byte replaced by U+FFFD.
std::string repaired(std::string_view text);

void append(std::string& out, char32_t character);

// Control characters: C0, DEL and C1 (U+0000..U+001F, U+007F..U+009F).
bool isControl(char32_t character);

// A piece of well-formed text for a message: at most the given number of
// characters (then "…"), control characters shown as '?'.
std::string excerpt(std::string_view text, std::size_t characters = 40);

}  // namespace kestrane::utf8
