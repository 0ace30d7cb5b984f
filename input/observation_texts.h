// The texts of the observations: the job-file key, value prompt, first and
// later confirmation questions, re-entry prompt. "{i}" is the triangle's
// number for the angles, the side's number for the sides.
#pragma once

#include "dialogue/dialogue.h"

namespace kestrane::observation_texts {

inline const std::string confirmTail = " 输入是否正确  ?  输入正确单击 Enter 键 ;错误输入 0 ( 即:0 )";

inline const ValueTexts angleA{"A{i}", "输入第 {i} 个三角形的求距角 A{i} :", "确认求距角 A{i}" + confirmTail,
                               "确认求距角 A{i}" + confirmTail, "输入正确的求距角 A{i} :", {}};
inline const ValueTexts angleB{"B{i}", "输入第 {i} 个三角形的前进角 B{i} :", "确认前进角 B{i}" + confirmTail,
                               "确认前进角 B{i}" + confirmTail, "输入正确的前进角 B{i} :", {}};
inline const ValueTexts angleC{
    "C{i}", "输入第 {i} 个三角形的间隔角 C{i} : 位于推算路线右侧输负值 ( 即: -B ); 位于推算路线左侧输正值 ( 即: +B )",
    "确认间隔角 C{i}" + confirmTail, "确认间隔角 C{i}" + confirmTail, "输入正确的间隔角 C{i} :", {}};

inline const ValueTexts oddSide{"S{i}", "输入第 {i} 条边 :", "确认 S{i}" + confirmTail,
                                "确认 S{i} 输入是否正确  ?  输入正确单击 Enter 键) ;错误输入 0 ( 即:0 )",
                                "输入正确的 S{i} :", {}};
inline const ValueTexts evenSide{"S{i}", "输入第 {i} 条边 : ", "确认 S{i}" + confirmTail, "确认 S{i}" + confirmTail,
                                 "输入正确的 S{i} :", {}};
inline const ValueTexts lastSide{"S{i}", "输入第 {i}条边 :", "确认 S{i}" + confirmTail, "确认 S{i}" + confirmTail,
                                 "输入正确的 S{i} :", {}};

inline const std::string sideNotice = "现在输入第 {i} 条边";

// Row captions of the triangle being entered.
inline const std::string captionA = "A({i})";
inline const std::string captionB = "B({i})";
inline const std::string captionC = "C({i})";
inline const std::string captionMisclosure = "wb({i})";

}  // namespace kestrane::observation_texts
