#include "input/control_input.h"

#include "chain/display_format.h"
#include "chain/number_text.h"

namespace kestrane {
namespace {

// The triangle count as the record stores it: rounded, halves to even, and
// within the sizes the record can take.
std::optional<std::string> triangleCountText(const std::string& typed)
{
    if (auto refusal = numberText(typed)) return refusal;
    const double count = roundHalfEven(*parseNumber(typed));
    if (count >= 1 && count <= maxTriangleCount) return std::nullopt;
    return "三角形的个数须为 1 到 " + std::to_string(maxTriangleCount) + " 之间的整数;输入的 “" + typed +
           "” 取整后为 " + formatGeneral(count) + "。";
}

}  // namespace

void inputChainSize(ChainSurvey& job, Dialogue& dialogue)
{
    const std::string countText = dialogue.askChecked("输入三角形的个数:", triangleCountText);
    const int count = static_cast<int>(roundHalfEven(*parseNumber(countText)));
    job.triangleCount = static_cast<std::int16_t>(count);
    dialogue.fields().setText(Text19, " 三角锁共有" + std::to_string(count) + "个三角形");

    job.angleTolerance = TypedNumber::fromText(dialogue.askChecked("输入规范测角限差:", numberText));
    dialogue.fields().setText(Text18, " " + job.angleTolerance.text + " 秒");

    job.size(count);
}

}  // namespace kestrane
