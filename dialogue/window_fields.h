// The window's display fields and the labels whose captions a job changes,
// named by what they show. The number of each is its window id (Text1 ..
// Text41, Label46 ..), which the window's layout and the replay log use.
#pragma once

#include <string>

namespace kestrane {

enum class Field : int {
    xa = 1,                   // X (north) of the start point A, metres
    ya = 2,                   // Y (east) of A
    xb = 3,                   // X of the closing point B
    yb = 4,                   // Y of B
    xc = 5,                   // X of C, or how the chain starts
    yc = 6,                   // Y of C, or how the chain starts
    xd = 7,                   // X of D, or how the chain closes
    yd = 8,                   // Y of D, or how the chain closes
    xe = 9,                   // X of the orientation point E, or a note
    ye = 10,                  // Y of E, or a note
    xf = 11,                  // X of the orientation point F, or a note
    yf = 12,                  // Y of F, or a note
    startAzimuth = 13,        // Ta, typed or computed, packed d.mmss
    startOrientation = 14,    // Qa, packed d.mmss
    closingAzimuth = 15,      // Tb, typed or computed
    closingOrientation = 16,  // Qb
    meanSide = 17,            // the mean side, metres
    tolerance = 18,           // the angle tolerance as typed, seconds
    triangleCount = 19,       // the sentence that says how many triangles
    mb = 20,                  // RMS error of unit weight (an angle), seconds
    ms = 21,                  // RMS error of a side, millimetres
    weakestPointInvPx = 22,   // 1/px of the weakest point
    weakestPointInvPy = 23,   // 1/py
    weakestPointMx = 24,      // its mx, millimetres
    weakestPointMy = 25,      // its my
    weakestPointMd = 26,      // its position error md
    weakestPointRelative = 27,  // its relative error 1/M with respect to A
    angleA = 28,              // distance angle A(i) of the triangle being entered
    angleB = 29,              // forward angle B(i)
    angleC = 30,              // spacer angle C(i), its magnitude
    triangleMisclosure = 31,  // w(i) of that triangle, seconds
    sideNotice = 32,          // which side is being entered
    oddSide = 33,             // an odd or the last side being entered
    evenSide = 34,            // an even side being entered
    pointName = 35,           // the point being named, later each route point
    pointX = 36,              // adjusted X of that route point
    pointY = 37,              // adjusted Y
    azimuthMisclosure = 38,   // W(2n+1), seconds
    xMisclosure = 39,         // W(2n+2), millimetres
    yMisclosure = 40,         // W(2n+3), millimetres
    sideAngleMisclosure = 41, // the side-angle misclosure being shown, millimetres
};
inline constexpr int fieldCount = 41;

enum class Label : int {
    angleARow = 46,           // "A(i)" beside the distance angle
    angleBRow = 47,           // "B(i)"
    angleCRow = 48,           // "C(i)"
    triangleMisclosureRow = 49,  // "wb(i)"
    pointNameRow = 56,        // which point is being named or shown
    sideAngleRow = 66,        // "ws(k)": which side-angle condition is shown
};
inline constexpr Label changeableLabels[] = {Label::angleARow, Label::angleBRow, Label::angleCRow,
                                             Label::triangleMisclosureRow, Label::pointNameRow, Label::sideAngleRow};

// The field with window id TextN, N = 1..fieldCount.
inline Field fieldNumbered(int number) { return static_cast<Field>(number); }
inline int windowNumber(Field field) { return static_cast<int>(field); }
inline int windowNumber(Label label) { return static_cast<int>(label); }
// "Text38", "Label66".
std::string windowId(Field field);
std::string windowId(Label label);

// The caption a changeable label has when the window opens.
const char* initialCaption(Label label);

// The fields and changeable labels of the window, as a job writes them.
class WindowFields {
public:
    virtual ~WindowFields() = default;
    virtual void setText(Field field, const std::string& text) = 0;
    virtual void setCaption(Label label, const std::string& caption) = 0;
};

}  // namespace kestrane
