// How an accepted value is shown in its box: " " followed by the text
// formatted with the box's pattern; a text that is not a number is shown
// unchanged after the blank.
#pragma once

#include <string>

#include "dialogue/dialogue.h"

namespace kestrane {

ValueBox coordinateBox(Field field);    // "0.000"
ValueBox packedAngleBox(Field field);   // "0.00000"
ValueBox spacerAngleBox(Field field);   // "0.00000" of the magnitude: the sign is never shown
ValueBox nameBox(Field field);          // the text itself
// "s" + k + "=" + the side formatted "0.000", with no blank before it.
ValueBox sideBox(Field field, int side);

}  // namespace kestrane
