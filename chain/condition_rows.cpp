#include "chain/condition_rows.h"

#include <algorithm>

namespace kestrane {

void ConditionRows::finish()
{
    const auto byColumn = [](const Entry& a, const Entry& b) { return a.column < b.column; };
    std::vector<std::size_t> count(columns_ + 1, 0);
    for (auto& entries : rows_) {
        if (!std::is_sorted(entries.begin(), entries.end(), byColumn))
            std::stable_sort(entries.begin(), entries.end(), byColumn);
        // Keep the last value written to each place, and no zeros.
        std::size_t kept = 0;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const bool overwritten = i + 1 < entries.size() && entries[i + 1].column == entries[i].column;
            if (!overwritten && entries[i].value != 0) entries[kept++] = entries[i];
        }
        entries.resize(kept);
        for (const Entry& entry : entries) ++count[entry.column + 1];
    }
    columnStart_.assign(columns_ + 1, 0);
    for (int c = 0; c < columns_; ++c) columnStart_[c + 1] = columnStart_[c] + count[c + 1];
    byColumn_.resize(columnStart_[columns_]);
    std::vector<std::size_t> next(columnStart_.begin(), columnStart_.end() - 1);
    for (int r = 0; r < rows(); ++r)
        for (const Entry& entry : rows_[r]) byColumn_[next[entry.column]++] = {r, entry.value};
}

double ConditionRows::operator()(int row, int column) const
{
    const auto& entries = rows_[row];
    const auto found = std::lower_bound(entries.begin(), entries.end(), column,
                                        [](const Entry& entry, int c) { return entry.column < c; });
    return found != entries.end() && found->column == column ? found->value : 0.0;
}

}  // namespace kestrane
