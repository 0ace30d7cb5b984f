// The static drawings of the window: the schematic of a sample chain with
// its orientation directions, and the blue frame of the display panel.
// Their captions are labels of the window (window_layout.h).
#pragma once

#include <QPainter>

#include "presentation/window_layout.h"

namespace kestrane {

// Triangle sides in black, the orientation directions E->A and B->F in red
// with arrow heads, the orientation angles Qa and Qb marked in green.
void paintChainSchematic(QPainter& painter, const TwipScale& scale);

// The frame of the display panel and its dividers, in blue.
void paintPanelFrame(QPainter& painter, const TwipScale& scale);

}  // namespace kestrane
