// The texts of the control-data dialogue: value prompt, first confirmation
// question, later confirmation question, re-entry prompt, and the title of
// the confirmation boxes. They differ from value to value in blanks, in "按"
// and in a trailing blank, and are shown exactly as they stand.
#pragma once

#include "input/dialogue.h"

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

inline const ValueTexts xa{"输入已知点 A 纵座标 :",
                           "确认输入的纵座标是否正确  ?  输入正确单击 Enter 键 ;错误输入按 0 ( 即:0 )",
                           "确认输入的纵座标是否正确  ?  输入正确单击 Enter 键 ;错误输入 0 ( 即:0 ) ", reenterX, {}};
inline const ValueTexts ya{"输入已知点 A 横座标 :", confirmY, confirmY, reenterY, {}};
inline const ValueTexts xc{"输入已知点 C 纵座标 :", confirmX, confirmX, reenterX, {}};
inline const ValueTexts yc{"输入已知点 C 横座标 :", confirmY, confirmY, reenterY, {}};
inline const ValueTexts xd{"输入已知点 D 纵座标 :", confirmX, confirmX, reenterX, {}};
inline const ValueTexts yd{"输入已知点 D 横座标 :", confirmY, confirmY, reenterY, {}};
inline const ValueTexts xb{"输入已知点 B 纵座标 :", confirmX, confirmX, reenterX, {}};
inline const ValueTexts yb{"输入已知点 B 横座标 :", confirmY, confirmY, reenterY, {}};
inline const ValueTexts xe{"输入定向点 E 纵座标 :", confirmX, confirmX, reenterX, {}};
inline const ValueTexts ye{"输入定向点 E 横座标 :",
                           "确认输入的横座标是否正确?  输入正确单击 Enter 键 ;错误输入 0 ( 即:0 )", confirmY, reenterY, {}};
inline const ValueTexts xf{"输入定向点 F 纵座标 :", confirmXWide, confirmXWide, reenterX, {}};
inline const ValueTexts yf{"输入定向点 F 横座标 :", confirmYWide, confirmYWide, reenterY, {}};
inline const ValueTexts typedTa{"输入起始外方位角 :", confirmAzimuth, confirmAzimuthWide, reenterAzimuth, "起始方位角"};
inline const ValueTexts qa{"输入起始定向角 : 由外方位角起始顺时针旋转为正 ( 即:+Qa );  反时针旋转为负 ( 即:-Qa )",
                           confirmOrientation, confirmOrientation, reenterOrientation, {}};
inline const ValueTexts typedTb{"输入闭合外方位角 :", confirmAzimuthWide, confirmAzimuthWide, reenterAzimuth, {}};
inline const ValueTexts qb{"输入闭合定向角 : 由观测边起始顺时针旋转为正 ( 即:+Qb );  反时针旋转为负 ( 即:-Qb )",
                           "确认输入的定向角是否正确  ?  输入正确单击 Enter 键 ;  错误输入按 0 ( 即:0 )",
                           confirmOrientation, reenterOrientation, {}};

}  // namespace kestrane::control_texts
