// What the print button says when it cannot print.
#pragma once

#include <string>

namespace kestrane::print_texts {

// No job has run to its end: none yet, or the last one was abandoned or stopped.
inline const std::string refusal = "没有可打印的计算结果:请先按“数据输入”完成一次计算,再按“打 印”。";

// The latest job did not run to its end: the report printed is the earlier
// complete job's.
inline const std::string earlierJobNotice =
    "最近一次计算没有完成(中途放弃或停止)。\n将打印此前最后一次完成的计算的报告。";

// The chosen printer did not take the report.
inline const std::string failure = "打印失败:所选打印机没有接受报告。";

}  // namespace kestrane::print_texts
