// The normal matrix of the correlates, kept by its envelope.
#pragma once

#include <cstddef>
#include <vector>

namespace kestrane {

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

private:
    std::vector<int> first_;
    std::vector<std::size_t> offset_;
    std::vector<double> values_;
};

}  // namespace kestrane
