// The fonts of the window. Its captions name "宋体" for Chinese text and
// "MS Sans Serif" for the Latin symbols; neither face is installed on this
// platform, so both are mapped onto installed faces.
#pragma once

#include <QFont>

namespace kestrane {

// Maps "宋体" onto a Song (Ming) face and "MS Sans Serif" onto a sans face.
// Call once, before the first widget is created.
void installFontSubstitutes();

// "宋体", bold unless said otherwise: the text fields, buttons and Chinese
// captions (9 pt), the section captions (10.5 pt).
QFont songFont(double points, bool bold = true);

// "MS Sans Serif", bold: the Latin symbols of the schematic and beside the
// fields. Chinese characters in such a caption (a point name such as "A点")
// come from the Song face.
QFont latinFont(double points);

}  // namespace kestrane
