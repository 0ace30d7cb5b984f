// The texts the job shows while it adjusts: the pause prompts that step
// through the side-angle misclosures and the adjusted points, the caption of
// the side-angle condition shown ("{i}" is the condition's number), and why
// an adjustment cannot go on, in the words the job chooses for each cause
// the adjustment names.
#pragma once

#include <string>

#include "adjustment/adjustment_error.h"

namespace kestrane::adjustment_texts {

inline const std::string oddConditionPause = "按 Enter 键或用鼠标点击 OK 按钮显示第 {i} 个边角条件闭合差 :";
inline const std::string evenConditionPause =
    "按 Enter 键或用鼠标点击 OK 按钮显示第 {i} 条边长条件闭合差,请按 Enter 键或 OK 键:";
inline const std::string sideAngleCaption = "ws({i})";
inline const std::string resultPause = "请按回 Enter 键或用鼠标点击 OK 键显示计算结果 :";

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

// What the surveyor reads when the adjustment cannot go on.
inline std::string reasonFor(const AdjustmentError& error)
{
    switch (error.cause()) {
    case AdjustmentError::Cause::normalEquationsUnsolvable: return normalEquationsUnsolvable(error.number());
    case AdjustmentError::Cause::noCoordinateLegs: return noCoordinateLegs;
    case AdjustmentError::Cause::roundsDoNotClose: return roundsDoNotClose(error.number());
    }
    return error.what();
}

}  // namespace kestrane::adjustment_texts
