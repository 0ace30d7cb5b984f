// Why an adjustment cannot go on, as the surveyor reads it: the words the
// job shows for each cause the adjustment names.
#pragma once

#include <string>

#include "adjustment/adjustment_error.h"

namespace kestrane::adjustment_messages {

inline std::string normalEquationsUnsolvable(int equation)
{
    return "法方程无法求解:第 " + std::to_string(equation) +
           " 个法方程在消元中失去了主元(条件方程线性相关或有误)。\n"
           "请检查已知点座标、方位角、定向角以及三角形的角度和边长是否输入正确。";
}

inline const std::string noCoordinateLegs =
    "C、D 都是已知点时,座标闭合条件要用到 C 与 D 之间推算路线上的边;本三角锁没有这样的边"
    "(只有 1 个三角形,或 2 个三角形而两个间隔角在推算路线同一侧),座标条件无从列出,无法平差。\n"
    "请把 D 点作为未知点(座标输入 0)并给出闭合定向,或增加三角形。";

inline std::string roundsDoNotClose(int rounds)
{
    return "平差未能收敛:第二组条件按平差值重新线性化解算了 " + std::to_string(rounds) +
           " 次,平差值仍不满足条件方程,闭合点的推算座标与已知座标不符。\n"
           "请检查角度、边长和已知数据是否有粗差。";
}

inline std::string reasonFor(const AdjustmentError& error)
{
    switch (error.cause()) {
    case AdjustmentError::Cause::normalEquationsUnsolvable: return normalEquationsUnsolvable(error.number());
    case AdjustmentError::Cause::noCoordinateLegs: return noCoordinateLegs;
    case AdjustmentError::Cause::roundsDoNotClose: return roundsDoNotClose(error.number());
    }
    return error.what();
}

}  // namespace kestrane::adjustment_messages
