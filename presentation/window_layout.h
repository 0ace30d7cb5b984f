// Where everything stands in the window Form1, in twips from the top-left
// corner of the client area (1440 twips to the logical inch, so 15 twips make
// one pixel at 96 dpi). Text fields are 285 twips high, captions 255 (or as
// high as their font needs), buttons 375.
#pragma once

#include <span>

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QRect>

#include "dialogue/window_fields.h"

namespace kestrane {

inline constexpr int clientWidthTwips = 13200;
inline constexpr int clientHeightTwips = 10700;
inline constexpr int fieldHeightTwips = 285;
inline constexpr int captionHeightTwips = 255;
inline constexpr int buttonHeightTwips = 375;
// The top of the framed panel of fields: the schematic stands above it.
inline constexpr int panelTopTwips = 2520;

inline const QColor windowBackground{255, 255, 192};

// Converts twips to device-independent pixels for one logical resolution.
class TwipScale {
public:
    explicit TwipScale(double logicalDpi) : pixelsPerTwip_(logicalDpi / 1440.0) {}
    int px(int twips) const;
    double pxF(double twips) const { return twips * pixelsPerTwip_; }
    QPointF point(double left, double top) const { return {pxF(left), pxF(top)}; }
    QRect rect(int left, int top, int width, int height) const;

private:
    double pixelsPerTwip_;
};

enum class CaptionFont {
    song,           // "宋体" 9 pt bold: Chinese captions
    section,        // "宋体" 10.5 pt bold: the three section captions
    pointLetter,    // "MS Sans Serif" 12 pt bold: the points A..F and 1..4 of the schematic
    azimuthSymbol,  // "MS Sans Serif" 9.75 pt bold: Ta and Tb
    latin,          // "MS Sans Serif" 8.25 pt bold: every other Latin symbol
};

QFont captionFont(CaptionFont font);

// A static or changeable caption. width 0: as wide as its text.
struct CaptionPlace {
    const char* text;
    int left, top, width;
    CaptionFont font;
    const char* objectName = nullptr;  // only the labels the program addresses
};

// A display field with the caption beside it (the field's buddy) and, for the
// columns of the right-hand panel, the heading above it.
struct FieldPlace {
    Field field;
    int left, top, width;
    CaptionPlace caption;
    CaptionPlace heading;  // text nullptr: none
};

struct ButtonPlace {
    const char* objectName;
    const char* caption;
    int left;
    QColor background;
};

inline constexpr int buttonTopTwips = 10200;
inline constexpr int buttonWidthTwips = 975;

std::span<const FieldPlace> fieldPlaces();
std::span<const CaptionPlace> schematicCaptions();  // the drawing's notation and legend
std::span<const CaptionPlace> sectionCaptions();
std::span<const ButtonPlace> buttonPlaces();

}  // namespace kestrane
