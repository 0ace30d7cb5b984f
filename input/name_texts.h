// The texts of the point names: the job-file key, value prompt, first and
// later confirmation questions, re-entry prompt; and the caption of the label
// beside the name field that says which point is asked for. "{i}" is the
// point's number on the route.
#pragma once

#include "dialogue/dialogue.h"

namespace kestrane::name_texts {

inline const std::string confirm = "确认点名输入是否正确  ?  输入正确单击 Enter 键 ;  错误输入 0 ( 即:0 )";
inline const std::string confirmNumbered = "确认第 {i} 点的点名输入是否正确  ?  输入正确单击 Enter 键 ;  错误输入 0 ( 即:0 )";
inline const std::string confirmNumberedLater = "确认输入第 {i} 点的点名输入是否正确  ?  输入正确单击 Enter 键 ;  错误输入 0 ( 即:0 )";
inline const std::string reentry = "输入正确的点名 :";
inline const std::string reentryNumbered = "输入第 {i} 点正确的点名 :";

inline const ValueTexts startPoint{"N0", "输入起始点 A 的点名 :", confirm, confirm, reentry, {}};
inline const ValueTexts firstRoutePoint{"N1", "按座标推算路线输入第 1 点的点名 :", confirmNumbered, confirmNumbered,
                                        reentryNumbered, {}};
inline const ValueTexts knownPointC{"N1", "输入起始点 C 的点名 :", confirmNumbered, confirmNumbered, reentryNumbered, {}};
inline const ValueTexts middleRoutePoint{"N{i}", "按座标推算路线依次输入第 {i} 点的点名 :", confirmNumbered,
                                         confirmNumberedLater, reentryNumbered, {}};
inline const ValueTexts lastRoutePoint{
    "N{i}", "如果依推算路线此点为闭合点 D ,则输入 D 点的点名 ; 反之按推算路线序号输入点名 :", confirm, confirm, reentry, {}};
inline const ValueTexts closingPoint{"N{i}", "输入闭合点 B 的点名 :", confirm, confirm, reentry, {}};

inline const std::string captionA = "  A点";
inline const std::string captionNumbered = " N({i})";
inline const std::string captionC = " C点";
inline const std::string captionD = " D点";
inline const std::string captionLastNumbered = " N({i} )";
inline const std::string captionB = "  B点";

}  // namespace kestrane::name_texts
