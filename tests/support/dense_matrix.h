// A dense rectangular matrix of doubles, zero-filled, indexed (row, column)
// from 0 like the arrays of the job record.
#pragma once

#include <cstddef>
#include <vector>

namespace kestrane {

class DenseMatrix {
public:
    DenseMatrix() = default;
    DenseMatrix(std::size_t rows, std::size_t columns)
        : rows_(rows), columns_(columns), values_(rows * columns, 0.0) {}

    double& operator()(std::size_t row, std::size_t column) { return values_[row * columns_ + column]; }
    double operator()(std::size_t row, std::size_t column) const { return values_[row * columns_ + column]; }

    std::size_t rows() const { return rows_; }
    std::size_t columns() const { return columns_; }

private:
    std::size_t rows_ = 0;
    std::size_t columns_ = 0;
    std::vector<double> values_;
};

}  // namespace kestrane
