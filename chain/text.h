// Texts as the program reads and writes them: digits, blanks, and the
// placeholders of the tables of prompts and sentences. Texts are UTF-8
// (chain/utf8.h); digits and blanks are the ASCII ones, whatever the input
// method typed (dialogue/full_width.h maps its forms first).
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

namespace kestrane {

// '0' to '9'.
bool isDigit(char c);
// Whether text is not empty and every character is a digit: "07" yes, "", "7a", "-7" no.
bool allDigits(std::string_view text);

// The blanks of a typed number and of a job file's line: space and tab.
bool isBlank(char c);
// The text without the blanks at either end.
std::string_view trimmedBlanks(std::string_view text);
// The text without any of the given characters at either end.
std::string_view trimmed(std::string_view text, std::string_view characters);

// A pattern with every "{name}" replaced by the text given for that name:
// filledIn("输入第 {i} 条边 :", {{"i", "7"}}) is "输入第 7 条边 :". The pattern is
// read once from the start: the texts put in are not searched again, so a
// point name that happens to read "{mx}" stays as it is. A "{name}" with no
// text given, and a brace without its pair, stay too.
using Blanks = std::initializer_list<std::pair<std::string_view, std::string_view>>;
std::string filledIn(std::string_view pattern, Blanks blanks);

}  // namespace kestrane
