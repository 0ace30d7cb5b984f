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

// "宋体" with the Song faces that stand for it and a generic serif at the
// end, as a font-family list of a drawing that leaves the program (SVG):
// a viewer without 宋体 still finds a face for the Chinese text.
QString songFamilyList();

// "MS Sans Serif", bold: the Latin symbols of the schematic and beside the
// fields. Chinese characters in such a caption (a point name such as "A点")
// come from the Song face.
QFont latinFont(double points);

}  // namespace kestrane
