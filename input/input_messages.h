// The warnings of the input, as the surveyor reads them. Each says what was
// expected and, where there is one, quotes the text that was typed. Beside
// each, its brief: the few words that follow a value's key where faults are
// listed one to a phrase ("S4 须大于 0"); a fault of a point or of the layout
// is named whole.
#pragma once

#include <string>

namespace kestrane::input_messages {

inline const std::string numberExpected = "此处需要输入一个数,例如 123.456 或 -0.3015。";
inline const std::string nothingTyped = "没有输入数值(输入框为空,或按了取消)。\n";
inline std::string notANumber(const std::string& typed) { return "“" + typed + "” 不是一个数。\n"; }
inline const std::string nothingTypedBrief = "没有输入数值";
inline const std::string notANumberBrief = "不是一个数";
inline const std::string commaForPointBrief = "的小数点用了逗号";
inline std::string commaForPoint(const std::string& typed)
{
    return "“" + typed + "” 不是一个数:小数点要用“.”(或全角的“.”“。”),不能用逗号。\n";
}
inline std::string minutesOrSecondsOf60(const std::string& typed, const std::string& reading)
{
    return "“" + typed + "” 按 度.分秒 读作 " + reading + ",分和秒都必须小于 60。\n"
           "请按 度.分秒 输入角度,例如 45.3015 表示 45°30′15″。";
}
// "的分为 66", "的秒为 75", "的分为 66、秒为 75": the parts of a d.mmss angle of 60 or more.
inline std::string minutesOrSecondsOf60Brief(const std::string& minutes, const std::string& seconds, bool minutesOf60,
                                             bool secondsOf60)
{
    if (minutesOf60 && secondsOf60) return "的分为 " + minutes + "、秒为 " + seconds;
    return minutesOf60 ? "的分为 " + minutes : "的秒为 " + seconds;
}
inline const std::string emptyName = "点名不能为空(输入框为空、只有空格,或按了取消)。\n请输入该点的点名,例如 P7 或 东山。";
inline const std::string emptyNameBrief = "的点名为空";
inline std::string angleTooLarge(const std::string& typed)
{
    return "“" + typed + "” 作为角度数值过大。\n请按 度.分秒 输入角度,例如 45.3015 表示 45°30′15″。";
}
inline const std::string angleTooLargeBrief = "作为角度数值过大";
inline std::string triangleCountOutOfRange(int largest, const std::string& typed, const std::string& rounded)
{
    return "三角形的个数须为 1 到 " + std::to_string(largest) + " 之间的整数;输入的 “" + typed + "” 取整后为 " +
           rounded + "。";
}
inline std::string triangleCountOutOfRangeBrief(int largest)
{
    return "须为 1 到 " + std::to_string(largest) + " 之间的整数";
}
inline std::string sideNotPositive(const std::string& typed)
{
    return "边长须大于 0;输入的 “" + typed + "” 不是正数。\n请输入以米为单位的边长,例如 1234.567。";
}
inline const std::string sideNotPositiveBrief = "须大于 0";
// A point among C, D, E, F with exactly one zero coordinate.
inline std::string oneZeroCoordinate(const std::string& point)
{
    return point + " 点的两个座标中恰有一个为 0。\n" + point +
           " 点是已知点时,纵、横座标都输入其实际值(都不为 0);不是已知点时,两个座标都输入 0。\n"
           "请重新输入 " + point + " 点的座标。";
}
inline std::string oneZeroCoordinateBrief(const std::string& point)
{
    return point + " 点的两个座标中恰有一个为 0";
}
inline const std::string startAbsentEndKnownBrief = "C 点不是已知点而 D 点是已知点";
inline const std::string startAbsentEndKnown =
    "C 点不是已知点而 D 点是已知点:这样的三角锁无法平差。\n"
    "可以平差的三种布设是:C、D 都不是已知点;C 是已知点而 D 不是;C、D 都是已知点。\n"
    "请重新输入 C 点和 D 点的座标。";

}  // namespace kestrane::input_messages
