// Point names in the encodings the exported files are read in, and the
// coordinate files of other programs read back.
//
// Names are held as UTF-8. The CAD programs read GB18030 (the CASS coordinate
// file) or the code page a drawing declares (ANSI_936, GBK, in the DXF
// drawing); not every character has a code there, and a name that cannot be
// written exactly is refused rather than mangled.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kestrane {

// Encoding names as the C library's converter knows them.
inline constexpr const char* gb18030Encoding = "GB18030";
inline constexpr const char* gbkEncoding = "CP936";

// The UTF-8 text in the encoding, or nothing when a character has no exact
// code there (or the text is not valid UTF-8).
std::optional<std::string> encodeUtf8As(std::string_view text, const char* encoding);

// Bytes in the encoding as UTF-8, or nothing when they are not text in it.
std::optional<std::string> decodeToUtf8(std::string_view bytes, const char* encoding);

// The first character of the text that the encoding cannot write, for a
// message: the character and its code point ("(U+E78D)" after it), or the
// first byte that is not UTF-8 at all. Empty when every character can be
// written.
std::string firstUnencodable(std::string_view text, const char* encoding);

}  // namespace kestrane
