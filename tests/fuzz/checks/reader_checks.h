// What every reader must do with any bytes at all, as one function a reader:
// not crash, not hang, and keep a property of its own (a job file read and
// saved reads back to the same values, a refusal names a line of the file,
// a packed angle unpacks and packs again to the same angle, well-formed UTF-8
// decodes and encodes to the same bytes).
//
// Each returns the property broken, in words, or an empty text. The fuzz
// targets (tests/fuzz/fuzz_target.cpp) stop at the first broken property;
// the regression test runs the kept inputs through the same functions in
// every build, clang or not.
#pragma once

#include <string>
#include <string_view>

namespace kestrane::fuzz {

// jobfile/: parseJobFile, both ways of taking an unfinished last line.
std::string checkJobFile(std::string_view bytes);
// jobfile/: a journal read to resume its job, and the line that ends it.
std::string checkJournalResume(std::string_view bytes);
// tools/replay/: a transcript replayed whole, exports kept in a scratch folder.
std::string checkTranscript(std::string_view bytes);
// import/: the coordinate files of other programs, as CSV and as CASS .dat.
std::string checkCoordinateFile(std::string_view bytes);
// draft/: a block of text pasted into the job table (a spreadsheet's rows).
std::string checkPastedBlock(std::string_view bytes);
// chain/number_parse and chain/angles: numbers and packed d.mmss angles as typed.
std::string checkNumbers(std::string_view bytes);
// chain/utf8: the decoder, the repair and the excerpt of messages.
std::string checkUtf8(std::string_view bytes);
// chain/text_encoding: GB18030 decoded and encoded again.
std::string checkGb18030(std::string_view bytes);

}  // namespace kestrane::fuzz
