// How a job ends early. Both unwind the job to the data-input button, which
// logs or shows the end; the window keeps whatever it shows.
#pragma once

#include <cmath>
#include <string>

namespace kestrane {

// The surveyor abandoned the job at a warning.
struct JobAbandoned {};

// The job cannot go on; the job tells the surveyor why.
struct JobStopped {
    std::string reason;
};

inline const std::string figureOutOfRange =
    "计算结果超出了数的范围:输入的数值过大或不合理。\n请检查输入的座标、角度和边长。";

// Stops the job when a figure it is about to show or carry on with is not a
// finite number: values so large that the arithmetic overflows.
inline void requireFinite(double value)
{
    if (!std::isfinite(value)) throw JobStopped{figureOutOfRange};
}

}  // namespace kestrane
