// A text as a JSON string literal (RFC 8259), quotes included: the one
// encoder of the job file's quoted values and of the replay log.
//
// UTF-8 passes through; a byte that is not part of well-formed UTF-8 becomes
// U+FFFD. The quote and the backslash, and backspace, form feed, line feed,
// carriage return and tab take their short escapes (\" \\ \b \f \n \r \t),
// the other C0 controls \u00xx, hex in lower case. The two writers differ on
// purpose in what they escape beyond that:
// - the replay log escapes only what JSON requires. Its bytes are a contract
//   that the golden logs pin byte for byte, and the programs that read it
//   take DEL, the C1 controls and U+FEFF as the characters they are.
// - a job file also escapes DEL, the C1 controls and U+FEFF as \uxxxx. People
//   read and edit it line by line, where those characters cannot be seen,
//   and its reader refuses the bytes of U+FEFF anywhere but at the start of
//   the file.
#pragma once

#include <string>
#include <string_view>

namespace kestrane {

enum class JsonEscapes {
    required,        // the replay log
    everyControl,    // the job file: DEL, C1 controls and U+FEFF as well
};

std::string jsonStringLiteral(std::string_view text, JsonEscapes escapes);

}  // namespace kestrane
