// How a value stands after "KEY = ": plain, or as a JSON string literal
// (RFC 8259) where the plain form would not read back as the same text.
//
// Plain: every value without blanks at either end, not starting with '"',
// without control characters: "12.345", "P1", "-59.19090", "点 3", "".
// Quoted: " P1" (blank at the front), "\"A\"" (starts with a quote),
// "a\tb" (tab), "\u0001", "\u007f", and "\ufeff": U+FEFF is quoted too,
// since a reader refuses its bytes anywhere but at the start of a file.
// Bytes that are not UTF-8, which no job file may hold, are written as U+FFFD.
// The literal is written by the one JSON encoder (chain/json_string.h), which
// says why a job file escapes more than the replay log.
#pragma once

#include <string>
#include <string_view>

namespace kestrane {

// A literal read back: the text, or what is wrong with the literal (a
// fragment of a message, in Chinese; empty when the literal is sound).
struct DecodedValue {
    std::string text;
    std::string fault;
};

// Decodes a value that starts with '"': escapes \" \\ \/ \b \f \n \r \t and
// \uXXXX, a surrogate pair as one character; a lone surrogate, an unknown
// escape, a raw control character, a missing closing quote or anything but
// blanks after it is a fault. The literal must be UTF-8 already.
DecodedValue decodeQuotedValue(std::string_view literal);

// Whether the plain form would not give the text back.
bool needsQuoting(std::string_view text);

// The text as a writer puts it after "KEY = ".
std::string writtenValue(std::string_view text);

}  // namespace kestrane
