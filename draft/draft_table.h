// The triangle table of the job editor: where each indexed key stands, the
// order the keyboard moves in, and blocks of values pasted into it or copied
// out of it.
//
// Rows follow the route: row 0 is A (its name N0), row i (1..n) is triangle
// i with the route point P(i) it reaches (the name N(i), the angles A(i),
// B(i), C(i), the route side S(2i-1) that reaches P(i) and the spacer side
// S(2i)), and row n+1 is B (its name N(n+1) and the last side S(2n+1)). So
// every side stands beside its triangle, and a field book copied one
// triangle a row (A B C, or A B C and the row's two sides) pastes as it
// stands. A draft without triangles has no rows.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "draft/job_draft.h"

namespace kestrane {

enum class TableColumn { name, angleA, angleB, angleC, routeSide, spacerSide };
inline constexpr int tableKeyColumns = 6;

int tableRows(int triangles);

// The key of a cell, or nothing for a cell that holds none (the angles of
// rows 0 and n+1, the spacer side of row n+1, cells outside the table).
std::optional<JobKey> keyAt(int row, int column, int triangles);

struct TablePosition {
    int row = 0;
    int column = 0;
    bool operator==(const TablePosition&) const = default;
};

// Where an indexed key stands.
TablePosition cellOf(const JobKey& key);

// The open cell after (forward) or before the given one in field-book order,
// row by row and left to right: the name, A, B, C, then the sides of the
// row. Nothing past either end of the table.
std::optional<TablePosition> nextOpenCell(const JobDraft& draft, TablePosition from, bool forward);

// A rectangular block of texts: rows of values.
using TextBlock = std::vector<std::vector<std::string>>;

// Blocks larger than this are refused: more rows than the largest chain has,
// or more columns than the table.
inline constexpr std::size_t maxBlockRows = 6554;
inline constexpr std::size_t maxBlockColumns = 64;

// The block a text holds, as a spreadsheet or a text file gives it: one row a
// line (LF or CRLF; a last line break is not a row), the values of a row
// between tabs when it has any, else between commas (ASCII or full-width),
// else between runs of blanks (spaces, ideographic spaces). Values are
// trimmed of blanks. Nothing for a text with more rows or columns than a
// block may have.
std::optional<TextBlock> blockOfText(std::string_view text);

// The block as tab-separated rows, each ending in a line break.
std::string textOfBlock(const TextBlock& block);

// The edits that paste the block with its first value at the cell: values
// fall on the cells to the right and below; cells that hold no key are
// skipped, and so is what falls outside the table's columns. A block that
// runs below the last triangle from a triangle row (or from B's row, to
// append triangles) first raises n to take it, up to the largest chain; the
// rows below that are dropped.
std::vector<DraftEdit> pasteEdits(const JobDraft& draft, TablePosition at, const TextBlock& block);

}  // namespace kestrane
