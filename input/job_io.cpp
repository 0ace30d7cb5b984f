#include "input/job_io.h"

namespace kestrane {

const char* initialCaption(Label label)
{
    switch (label) {
    case Label46: return "  A";
    case Label47: return "  B";
    case Label48: return "  C";
    case Label49: return "       w";
    case Label56: return "   Ni";
    case Label66: return "     ws";
    }
    return "";
}

}  // namespace kestrane
