#include "presentation/window_layout.h"

#include <cmath>

#include "presentation/fonts.h"

namespace kestrane {

int TwipScale::px(int twips) const
{
    return static_cast<int>(std::lround(twips * pixelsPerTwip_));
}

QRect TwipScale::rect(int left, int top, int width, int height) const
{
    // Both edges are rounded, so neighbours that touch in twips touch in pixels.
    const int x = px(left);
    const int y = px(top);
    return {x, y, px(left + width) - x, px(top + height) - y};
}

QFont captionFont(CaptionFont font)
{
    switch (font) {
    case CaptionFont::song: return songFont(9);
    case CaptionFont::section: return songFont(10.5);
    case CaptionFont::pointLetter: return latinFont(12);
    case CaptionFont::azimuthSymbol: return latinFont(9.75);
    case CaptionFont::latin: return latinFont(8.25);
    }
    return songFont(9);
}

namespace {

using F = CaptionFont;

// A caption to the left of its field, vertically centred on it, ending one
// pixel before the field.
CaptionPlace leftOf(int fieldLeft, int fieldTop, const char* text, int width, F font,
                    const char* objectName = nullptr)
{
    return {text, fieldLeft - 15 - width, fieldTop + (fieldHeightTwips - captionHeightTwips) / 2, width, font,
            objectName};
}

// A caption on the line above its field, starting at the field's left edge.
CaptionPlace above(int fieldLeft, int fieldTop, const char* text, int width, F font = F::song,
                   const char* objectName = nullptr)
{
    return {text, fieldLeft, fieldTop - captionHeightTwips - 15, width, font, objectName};
}

// A heading over a column whose caption stands left of the field.
CaptionPlace headingOver(const CaptionPlace& caption, int fieldTop, const char* text, int width)
{
    return {text, caption.left, fieldTop - captionHeightTwips - 15, width, F::song, nullptr};
}

const CaptionPlace noHeading{nullptr, 0, 0, 0, F::song, nullptr};

// The left column: control data. The fields are wider than the coordinates
// need so that the notes written into them ("由外定向点定向") show whole.
FieldPlace controlField(Field field, int top, const char* caption)
{
    const int left = 3720;
    return {field, left, top, 1455, leftOf(left, top, caption, 1500, F::song), noHeading};
}

// A field with a Latin symbol on its left and, optionally, a heading above.
FieldPlace symbolField(Field field, int left, int top, int width, const char* symbol, int symbolWidth,
                       const char* heading = nullptr, int headingWidth = 0, const char* objectName = nullptr)
{
    const CaptionPlace caption = leftOf(left, top, symbol, symbolWidth, F::latin, objectName);
    return {field, left, top, width, caption, heading ? headingOver(caption, top, heading, headingWidth) : noHeading};
}

}  // namespace

std::span<const FieldPlace> fieldPlaces()
{
    static const FieldPlace places[] = {
        controlField(Field::xa, 2760, " A 点纵座标"),
        controlField(Field::ya, 3120, " A 点横座标"),
        controlField(Field::xc, 3600, " C 点纵座标"),
        controlField(Field::yc, 3960, " C 点横座标"),
        controlField(Field::xd, 4440, " D 点纵座标"),
        controlField(Field::yd, 4800, " D 点横座标"),
        controlField(Field::xb, 5280, " B 点纵座标"),
        controlField(Field::yb, 5640, " B 点横座标"),
        controlField(Field::xe, 6480, "定向点 E 纵座标"),
        controlField(Field::ye, 6840, "定向点 E 横座标"),
        controlField(Field::xf, 7320, "定向点 F 纵座标"),
        controlField(Field::yf, 7680, "定向点 F 横座标"),
        controlField(Field::startAzimuth, 8160, "起算方位角"),
        controlField(Field::startOrientation, 8520, "起始定向角"),
        controlField(Field::closingAzimuth, 9000, "闭合方位角"),
        controlField(Field::closingOrientation, 9360, "闭合定向角"),

        // The chain and its tolerance.
        {Field::triangleCount, 7200, 2640, 3735, leftOf(7200, 2640, " 图形个数说明 ", 1260, F::song), noHeading},
        {Field::tolerance, 7440, 3120, 975, leftOf(7440, 3120, "规范测角限差", 1140, F::song), noHeading},
        {Field::meanSide, 9360, 3120, 1335, leftOf(9360, 3120, "平均边长", 780, F::song), noHeading},

        // Precision of the job.
        symbolField(Field::mb, 7560, 4080, 1095, " mb", 360, "单位权测角中误差", 1500),
        symbolField(Field::ms, 9360, 4080, 1095, " ms", 360, "单位权测边中误差", 1500),
        symbolField(Field::weakestPointInvPx, 6720, 4920, 1215, "1/px", 480),
        symbolField(Field::weakestPointInvPy, 6720, 5760, 1215, "1/py", 480),
        symbolField(Field::weakestPointMx, 8280, 4920, 1215, " mx", 330),
        symbolField(Field::weakestPointMy, 8280, 5760, 1215, " my", 330),
        symbolField(Field::weakestPointMd, 9960, 4920, 1215, " md", 450),
        symbolField(Field::weakestPointRelative, 9960, 5760, 1215, " 1/m", 450),

        // Closing misclosures.
        {Field::azimuthMisclosure, 6720, 6480, 1215, leftOf(6720, 6480, " wb", 480, F::latin), above(6720, 6480, "方位角闭合差", 1140)},
        {Field::xMisclosure, 8280, 6480, 1215, leftOf(8280, 6480, " wx", 330, F::latin), above(8280, 6480, "纵座标闭合差", 1140)},
        {Field::yMisclosure, 9960, 6480, 1215, leftOf(9960, 6480, " wy", 450, F::latin), above(9960, 6480, "横座标闭合差", 1140)},

        // The triangle being entered. B and C stand a little right of the
        // drawing's places so that captions such as "B(12)" fit before them.
        {Field::angleA, 5880, 7800, 1215, leftOf(5880, 7800, initialCaption(Label::angleARow), 420, F::latin, "Label46"),
         above(5880, 7800, " 求距角", 900)},
        {Field::angleB, 7560, 7800, 1095, leftOf(7560, 7800, initialCaption(Label::angleBRow), 435, F::latin, "Label47"),
         above(7560, 7800, " 前进角", 900)},
        {Field::angleC, 9120, 7800, 1095, leftOf(9120, 7800, initialCaption(Label::angleCRow), 435, F::latin, "Label48"),
         above(9120, 7800, " 间隔角", 900)},
        {Field::triangleMisclosure, 10800, 7800, 1215, leftOf(10800, 7800, initialCaption(Label::triangleMisclosureRow), 555, F::latin, "Label49"),
         above(10800, 7800, "三角形闭合差", 1140)},

        // The side being entered and the side-angle condition.
        {Field::sideNotice, 5760, 8400, 1785, above(5760, 8400, "边长输入说明", 1140), noHeading},
        {Field::oddSide, 7560, 8400, 1305, above(7560, 8400, " 奇数边", 900), noHeading},
        {Field::evenSide, 8880, 8400, 1335, above(8880, 8400, "偶数边", 900), noHeading},
        {Field::sideAngleMisclosure, 10800, 8400, 1215, leftOf(10800, 8400, initialCaption(Label::sideAngleRow), 555, F::latin, "Label66"),
         above(10800, 8400, "边条件闭合差", 1140)},

        // Adjusted coordinates, point by point.
        {Field::pointName, 7080, 9480, 855, leftOf(7080, 9480, initialCaption(Label::pointNameRow), 600, F::latin, "Label56"),
         above(7080, 9480, "点  名", 855)},
        {Field::pointX, 8280, 9480, 1335, leftOf(8280, 9480, " Xp", 315, F::latin, "Label57"),
         above(8280, 9480, "纵 座 标", 900)},
        {Field::pointY, 9960, 9480, 1335, leftOf(9960, 9480, " Yp", 315, F::latin, "Label58"),
         above(9960, 9480, "横 座 标", 900)},
    };
    return places;
}

std::span<const CaptionPlace> schematicCaptions()
{
    static const CaptionPlace captions[] = {
        {"A", 3360, 840, 0, F::pointLetter},
        {"B", 11040, 1200, 0, F::pointLetter},
        {"C", 5280, 120, 0, F::pointLetter},
        {"D", 9600, 120, 0, F::pointLetter},
        {"E", 1680, 240, 0, F::pointLetter},
        {"F", 12600, 480, 0, F::pointLetter},
        {"Ta", 2400, 360, 0, F::azimuthSymbol},
        {"Tb", 11520, 960, 0, F::azimuthSymbol},
        {"Qa", 3480, 480, 0, F::latin},
        {"Qb", 11160, 720, 0, F::latin},
        {"[xa,ya]", 3120, 1080, 0, F::latin},
        {"[xb,yb]", 10800, 1440, 0, F::latin},
        {"[xc,yc]", 4680, 120, 0, F::latin},
        {"[xd,yd]", 9840, 120, 0, F::latin},
        {"[xe,ye]", 1320, 480, 0, F::latin},
        {"[xf,yf]", 12600, 720, 0, F::latin},
        {"a(1)", 3840, 840, 0, F::latin},
        {"b(1)", 4800, 1320, 0, F::latin},
        {"c(1)", 4920, 480, 0, F::latin},
        {"a(2)", 5280, 1440, 0, F::latin},
        {"b(2)", 6360, 1440, 0, F::latin},
        {"c(2)", 5400, 600, 0, F::latin},
        {"a(3)", 5760, 360, 0, F::latin},
        {"b(3)", 7080, 480, 0, F::latin},
        {"c(3)", 6720, 1200, 0, F::latin},
        {"a(n)", 9120, 1320, 0, F::latin},
        {"b(n)", 10560, 1080, 0, F::latin},
        {"c(n)", 9600, 480, 0, F::latin},
        {"S(1)", 4320, 480, 0, F::latin},
        {"S(2)", 4200, 1200, 0, F::latin},
        {"S(3)", 5040, 960, 0, F::latin},
        {"S(4)", 5880, 1560, 0, F::latin},
        {"S(5)", 6120, 960, 0, F::latin},
        {"S(6)", 6360, 240, 0, F::latin},
        {"S(7)", 7080, 960, 0, F::latin},
        {"S(2n)", 9840, 1320, 0, F::latin},
        {"S(2n+1)", 10080, 600, 0, F::latin},
        {"1", 5040, 1680, 0, F::pointLetter},
        {"2", 6960, 1680, 0, F::pointLetter},
        {"3", 7560, 120, 0, F::pointLetter},
        {"4", 8760, 1680, 0, F::pointLetter},
        {"注记说明 :", 1080, 1440, 0, F::song},
        {"Ta ,Tb 为外方位角", 2040, 1680, 0, F::song},
        {"Qa ,Qb 为定向角", 2040, 1920, 0, F::song},
        {"当 C,D,E,F 点为已知点时输入其点的座标  ", 2040, 2160, 0, F::song},
    };
    return captions;
}

std::span<const CaptionPlace> sectionCaptions()
{
    static const CaptionPlace captions[] = {
        {"精度统计:", 5880, 3840, 1080, F::section},
        {"观测数据:", 5640, 7200, 1080, F::section},
        {"平差结果:", 5640, 9120, 1080, F::section},
    };
    return captions;
}

std::span<const ButtonPlace> buttonPlaces()
{
    static const ButtonPlace buttons[] = {
        {"Command1", "数据输入", 5880, QColor(192, 255, 192)},
        {"Command2", "退出计算", 7080, QColor(192, 255, 192)},
        {"Command3", "打 印", 8280, QColor(192, 192, 255)},
    };
    return buttons;
}

}  // namespace kestrane
