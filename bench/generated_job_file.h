// The job file of a generated noisy chain (C and D absent, E and F given,
// angles 2", sides 4 mm), saved as the window's 保存作业 saves it: for timing
// a job opened from a file.
#pragma once

#include <string>

namespace kestrane::bench {

std::string generatedJobFile(int triangles, unsigned seed = 7);

}  // namespace kestrane::bench
