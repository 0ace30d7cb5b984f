// The condition matrix, row by row: each row keeps only its non-zero
// coefficients, in ascending column order. A side-angle row touches one
// triangle's three angles and two or three sides; only the azimuth, X, Y and
// weight-function rows run the length of the chain.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace kestrane {

class ConditionRows {
public:
    struct Entry {
        int column;
        double value;
    };

    ConditionRows() = default;
    ConditionRows(int rows, int columns) : rows_(rows), columns_(columns) {}

    // Writes a coefficient; a later write to the same place replaces it. The
    // rows are in order again after finish().
    void set(int row, int column, double value) { rows_[row].push_back({column, value}); }
    // Sorts every row by column, keeps the last value written to a place and
    // drops the zeros; then builds the column index.
    void finish();

    const std::vector<Entry>& row(int row) const { return rows_[row]; }
    // The entries of a column, by ascending row (after finish()).
    struct ColumnEntry {
        int row;
        double value;
    };
    std::span<const ColumnEntry> column(int column) const
    {
        return {byColumn_.data() + columnStart_[column], byColumn_.data() + columnStart_[column + 1]};
    }

    // The coefficient at (row, column), 0 where none is stored.
    double operator()(int row, int column) const;

    int rows() const { return static_cast<int>(rows_.size()); }
    int columns() const { return columns_; }

private:
    std::vector<std::vector<Entry>> rows_;
    std::vector<ColumnEntry> byColumn_;     // all entries, column by column
    std::vector<std::size_t> columnStart_;  // where each column begins in byColumn_
    int columns_ = 0;
};

}  // namespace kestrane
