#include "chain/condition_rows.h"

#include <algorithm>

namespace kestrane {

void ConditionRows::finish()
{
    byColumn_.assign(columns_, {});
    for (auto& entries : rows_) {
        std::stable_sort(entries.begin(), entries.end(),
                         [](const Entry& a, const Entry& b) { return a.column < b.column; });
        std::vector<Entry> kept;
        kept.reserve(entries.size());
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const bool overwritten = i + 1 < entries.size() && entries[i + 1].column == entries[i].column;
            if (!overwritten && entries[i].value != 0) kept.push_back(entries[i]);
        }
        entries = std::move(kept);
    }
    for (int r = 0; r < rows(); ++r)
        for (const Entry& entry : rows_[r]) byColumn_[entry.column].push_back({r, entry.value});
}

double ConditionRows::operator()(int row, int column) const
{
    const auto& entries = rows_[row];
    const auto found = std::lower_bound(entries.begin(), entries.end(), column,
                                        [](const Entry& entry, int c) { return entry.column < c; });
    return found != entries.end() && found->column == column ? found->value : 0.0;
}

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
