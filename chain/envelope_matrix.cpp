#include "chain/envelope_matrix.h"

#include <utility>

namespace kestrane {

EnvelopeMatrix::EnvelopeMatrix(std::vector<int> firstRow) : first_(std::move(firstRow)), offset_(first_.size())
{
    std::size_t size = 0;
    for (std::size_t j = 0; j < first_.size(); ++j) {
        offset_[j] = size;
        size += j - first_[j] + 1;
    }
    values_.assign(size, 0.0);
}

double EnvelopeMatrix::operator()(int i, int j) const
{
    if (i > j) std::swap(i, j);
    return i >= first_[j] ? at(i, j) : 0.0;
}

}  // namespace kestrane
