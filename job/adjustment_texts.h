// The texts the job shows while it adjusts: the pause prompts that step
// through the side-angle misclosures and the adjusted points, and the caption
// of the side-angle condition shown. "{i}" is the condition's number.
#pragma once

#include <string>

namespace kestrane::adjustment_texts {

inline const std::string oddConditionPause = "按 Enter 键或用鼠标点击 OK 按钮显示第 {i} 个边角条件闭合差 :";
inline const std::string evenConditionPause =
    "按 Enter 键或用鼠标点击 OK 按钮显示第 {i} 条边长条件闭合差,请按 Enter 键或 OK 键:";
inline const std::string sideAngleCaption = "ws({i})";
inline const std::string resultPause = "请按回 Enter 键或用鼠标点击 OK 键显示计算结果 :";

}  // namespace kestrane::adjustment_texts
