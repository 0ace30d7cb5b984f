#include "dialogue/window_fields.h"

namespace kestrane {

std::string windowId(Field field)
{
    return "Text" + std::to_string(windowNumber(field));
}

std::string windowId(Label label)
{
    return "Label" + std::to_string(windowNumber(label));
}

const char* initialCaption(Label label)
{
    switch (label) {
    case Label::angleARow: return "  A";
    case Label::angleBRow: return "  B";
    case Label::angleCRow: return "  C";
    case Label::triangleMisclosureRow: return "       w";
    case Label::pointNameRow: return "   Ni";
    case Label::sideAngleRow: return "     ws";
    }
    return "";
}

}  // namespace kestrane
