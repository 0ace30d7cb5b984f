// The program's icon, the chain drawn in app/kestrane.svg, built into the
// program so that its windows carry it wherever the program is run from.
#pragma once

#include <QIcon>

namespace kestrane {

// The icon at the sizes a desktop asks for; null when the drawing cannot be read.
QIcon programIcon();

}  // namespace kestrane
