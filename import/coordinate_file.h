// Known points read from the coordinate file of another program, for the job
// editor to pick A, C, D, B, E and F from.
//
// Two forms:
// - CSV: 点名,X,Y followed by any further columns (the program's own export
//   has mx, my, mp after them); an optional first line of headings; fields
//   quoted as RFC 4180 quotes them ("李庄,北", a quote doubled inside).
// - CASS: 点名,编码,Y,X[,H], east before north, the code and the height
//   ignored; no headings.
// Bytes are UTF-8, with or without a byte-order mark, or else GB18030 (what
// the Chinese CAD programs write). Line ends are LF or CRLF. Blank lines are
// skipped; blanks around a field are not part of it; full-width digits read
// as ASCII ones. X is north and Y east, metres, kept as the file writes them.
//
// Legal CSV lines: "点名,X,Y", "王家山,9959.794,20022.772,0.00,0.00,0.00",
// "\"李庄,北\",10658.739,20435.117". Legal CASS lines: "一号塔,,20760.410,10037.611,0.000",
// "K1,ctl,500.1,300.2". Refused: "王家山,9959.794" (too few fields),
// "A,abc,1" (X not a number) after the first line, ",1,2" (no name), an
// unclosed quote, bytes that are neither UTF-8 nor GB18030.
// A file is read whole or refused whole, naming the first faulty line.
#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace kestrane {

enum class CoordinateFormat { csv, cass };

struct FilePoint {
    std::string name;
    std::string x;  // north, metres, as written (full-width forms mapped)
    std::string y;  // east
    int line = 0;   // where the point's record starts
};

struct CoordinateFileRefusal {
    int line = 0;  // 0 when the file as a whole is refused
    std::string message;
};

using CoordinateFileReading = std::variant<std::vector<FilePoint>, CoordinateFileRefusal>;

// Larger files and longer lists are refused: a file of known points for one
// chain holds some thousands at most.
inline constexpr std::size_t maxCoordinateFileBytes = 16u << 20;
inline constexpr std::size_t maxKnownPoints = 100'000;
inline constexpr std::size_t maxPointNameBytes = 256;

CoordinateFileReading readCoordinateFile(std::string_view bytes, CoordinateFormat format);

// The form a file name says: ".dat" (any case) is CASS, anything else CSV.
CoordinateFormat coordinateFormatOf(std::string_view fileName);

}  // namespace kestrane
