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

// A symmetric matrix kept as the upper triangle of each column from its first
// non-zero row down to the diagonal (its envelope). Gaussian elimination
// without pivoting never fills outside the envelope.
class EnvelopeMatrix {
public:
    EnvelopeMatrix() = default;
    // firstRow[j] is the first row of column j kept (firstRow[j] <= j).
    explicit EnvelopeMatrix(std::vector<int> firstRow);

    int firstRow(int column) const { return first_[column]; }
    int order() const { return static_cast<int>(first_.size()) - 1;  }

    // Element (i, j) with i <= j inside the envelope.
    double& at(int i, int j) { return values_[offset_[j] + (i - first_[j])]; }
    double at(int i, int j) const { return values_[offset_[j] + (i - first_[j])]; }
    // Element (i, j) of the whole symmetric matrix; 0 outside the envelope.
    double operator()(int i, int j) const;
    bool inEnvelope(int i, int j) const { return i <= j ? i >= first_[j] : j >= first_[i]; }

private:
    std::vector<int> first_;
    std::vector<std::size_t> offset_;
    std::vector<double> values_;
};

}  // namespace kestrane
