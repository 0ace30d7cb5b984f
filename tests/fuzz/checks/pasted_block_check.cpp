#include <algorithm>

#include "checks/reader_checks.h"
#include "draft/draft_table.h"

namespace kestrane::fuzz {
namespace {

// A row of one empty value pastes as an empty row does: nothing.
TextBlock normalized(TextBlock block)
{
    for (auto& row : block)
        if (row.size() == 1 && row.front().empty()) row.clear();
    return block;
}

}  // namespace

// A block is within its limits; copied out of the table as tab-separated
// rows (as the job editor copies) and pasted again, it is the same block.
std::string checkPastedBlock(std::string_view bytes)
{
    const std::optional<TextBlock> block = blockOfText(bytes);
    if (!block) return {};
    if (block->size() > maxBlockRows) return "more rows than a block may have";
    bool tabbed = false;
    for (const auto& row : *block) {
        if (row.size() > maxBlockColumns) return "more columns than a block may have";
        tabbed = tabbed || row.size() >= 2;
        for (const std::string& value : row)
            if (value.find('\n') != std::string::npos) return "a value holds a line break";
    }
    // Rows of one value each are told apart by commas or blanks again when
    // read back, not by tabs: only a block with tabs comes back as it went.
    if (!tabbed) return {};
    const std::optional<TextBlock> again = blockOfText(textOfBlock(*block));
    if (!again || normalized(*again) != normalized(*block)) return "a copied block pastes back as another block";
    return {};
}

}  // namespace kestrane::fuzz
