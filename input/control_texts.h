// The texts of the control-data dialogue: the value's job-file key, value
// prompt, first confirmation question, later confirmation question, re-entry
// prompt, and the title of the confirmation boxes. They differ from value to value in blanks, in "按"
// and in a trailing blank, and are shown exactly as they stand.
#pragma once

#include "dialogue/dialogue.h"

namespace kestrane::control_texts {

inline const std::string confirmX = "确认输入的纵座标是否正确  ?  输入正确单击 Enter 键 ;错误输入 0 ( 即:0 )";
inline const std::string confirmY = "确认输入的横座标是否正确  ?  输入正确单击 Enter 键 ;错误输入 0 ( 即:0 )";
inline const std::string confirmXWide = "确认输入的纵座标是否正确  ?  输入正确单击 Enter 键 ;  错误输入 0 ( 即:0 )";
inline const std::string confirmYWide = "确认输入的横座标是否正确  ?  输入正确单击 Enter 键 ;  错误输入 0 ( 即:0 )";
inline const std::string confirmAzimuth = "确认输入的方位角是否正确  ?  输入正确单击 Enter 键 ;错误输入 0 ( 即:0 )";
inline const std::string confirmAzimuthWide = "确认输入的方位角是否正确  ?  输入正确单击 Enter 键 ;  错误输入 0 ( 即:0 )";
inline const std::string confirmOrientation = "确认输入的定向角是否正确  ?  输入正确单击 Enter 键 ;  错误输入 0 ( 即:0 )";
inline const std::string reenterX = "输入正确的纵座标 :";
inline const std::string reenterY = "输入正确的横座标 :";
inline const std::string reenterAzimuth = "输入正确的方位角 :";
inline const std::string reenterOrientation = "输入正确的定向角 :";

inline const ValueTexts xa{"xa", "输入已知点 A 纵座标 :",
                           "确认输入的纵座标是否正确  ?  输入正确单击 Enter 键 ;错误输入按 0 ( 即:0 )",
                           "确认输入的纵座标是否正确  ?  输入正确单击 Enter 键 ;错误输入 0 ( 即:0 ) ", reenterX, {}};
inline const ValueTexts ya{"ya", "输入已知点 A 横座标 :", confirmY, confirmY, reenterY, {}};
inline const ValueTexts xc{"xc", "输入已知点 C 纵座标 :", confirmX, confirmX, reenterX, {}};
inline const ValueTexts yc{"yc", "输入已知点 C 横座标 :", confirmY, confirmY, reenterY, {}};
inline const ValueTexts xd{"xd", "输入已知点 D 纵座标 :", confirmX, confirmX, reenterX, {}};
inline const ValueTexts yd{"yd", "输入已知点 D 横座标 :", confirmY, confirmY, reenterY, {}};
inline const ValueTexts xb{"xb", "输入已知点 B 纵座标 :", confirmX, confirmX, reenterX, {}};
inline const ValueTexts yb{"yb", "输入已知点 B 横座标 :", confirmY, confirmY, reenterY, {}};
inline const ValueTexts xe{"xe", "输入定向点 E 纵座标 :", confirmX, confirmX, reenterX, {}};
inline const ValueTexts ye{"ye", "输入定向点 E 横座标 :",
                           "确认输入的横座标是否正确?  输入正确单击 Enter 键 ;错误输入 0 ( 即:0 )", confirmY, reenterY, {}};
inline const ValueTexts xf{"xf", "输入定向点 F 纵座标 :", confirmXWide, confirmXWide, reenterX, {}};
inline const ValueTexts yf{"yf", "输入定向点 F 横座标 :", confirmYWide, confirmYWide, reenterY, {}};
inline const ValueTexts typedTa{"Ta", "输入起始外方位角 :", confirmAzimuth, confirmAzimuthWide, reenterAzimuth, "起始方位角"};
inline const ValueTexts qa{"Qa", "输入起始定向角 : 由外方位角起始顺时针旋转为正 ( 即:+Qa );  反时针旋转为负 ( 即:-Qa )",
                           confirmOrientation, confirmOrientation, reenterOrientation, {}};
inline const ValueTexts typedTb{"Tb", "输入闭合外方位角 :", confirmAzimuthWide, confirmAzimuthWide, reenterAzimuth, {}};
inline const ValueTexts qb{"Qb", "输入闭合定向角 : 由观测边起始顺时针旋转为正 ( 即:+Qb );  反时针旋转为负 ( 即:-Qb )",
                           "确认输入的定向角是否正确  ?  输入正确单击 Enter 键 ;  错误输入按 0 ( 即:0 )",
                           confirmOrientation, reenterOrientation, {}};

// The two values asked once, without confirmation, with their job-file keys,
// and how the count is shown ("{i}" is the count, with no blank around it).
inline const std::string triangleCountKey = "n";
inline const std::string toleranceKey = "tolerance";
inline const std::string triangleCountPrompt = "输入三角形的个数:";
inline const std::string triangleCountSentence = " 三角锁共有{i}个三角形";
inline const std::string tolerancePrompt = "输入规范测角限差:";

// What the start and closing fields say when a known side or an orientation
// point takes the place of coordinates.
inline const std::string startOnKnownSide = "由已知边起算";
inline const std::string startNotOnKnownSide = "不是已知边起算";
inline const std::string closingOnKnownSide = "由已知边闭合";
inline const std::string closingNotOnKnownSide = "不在已知边闭合";
inline const std::string closingByOrientationPoint = "由外定向点定向";

}  // namespace kestrane::control_texts
