// What the dialogue says when an answer to a confirmation question is neither
// right nor wrong.
#pragma once

#include <string>

namespace kestrane::dialogue_texts {

inline std::string unclearConfirmation(const std::string& answer)
{
    return "无法确定 “" + answer + "” 的意思。\n"
           "数值正确时直接按 Enter 键(或点“确定”);数值错误时输入 0 再按 Enter 键。";
}

}  // namespace kestrane::dialogue_texts
