// kestrane-replay --check FILE: every fault of a job file at once, without a
// job. The file is read as 打开作业 reads it and laid into the job editor's
// draft, whose checks are those of the prompts. One finding a line, UTF-8:
//
//   FILE:LINE: KEY: WARNING   a value a job would refuse, with its prompt's
//                             warning (its lines joined by blanks); a point's
//                             two coordinates, and C's and D's together, are
//                             named as KEY,KEY
//   FILE: KEY: 缺少数值 …     a value a job would ask for that the file lacks
//                             (a line with an empty value is a fault: a job
//                             refuses it as it refuses an empty box)
//   FILE:LINE: wI: …          a triangle whose misclosure exceeds the tolerance
//                             (LINE: that of its angle C)
//   FILE:LINE: KEY: 不会询问 … a value the job would never ask (reported unused)
//   FILE:LINE: MESSAGE        a file that cannot be read at all (LINE 0 when
//                             no line is at fault); nothing else follows
//
// and last a line of counts, "FILE: 错误 E 处,缺少 M 个数值,…". Findings come
// in the order of the table (the control data, then row by row). The status
// is 0 when a job opened from the file would run to its end asking nothing,
// 1 otherwise (a fault, a missing value, a file that cannot be read); a
// triangle over the tolerance or an unused value leaves it 0.
#pragma once

#include <ostream>
#include <string>

namespace kestrane::replay {

int checkJobFile(const std::string& path, std::ostream& out);

}  // namespace kestrane::replay
