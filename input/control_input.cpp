#include "input/control_input.h"

#include <cmath>

#include "chain/angles.h"
#include "chain/display_format.h"
#include "chain/number_text.h"
#include "input/control_texts.h"

namespace kestrane {
namespace {

// The triangle count as the record stores it: rounded, halves to even, and
// within the sizes the record can take.
std::optional<std::string> triangleCountText(const std::string& typed)
{
    if (auto refusal = numberText(typed)) return refusal;
    const double count = roundHalfEven(*parseNumber(typed));
    if (count >= 1 && count <= maxTriangleCount) return std::nullopt;
    return "三角形的个数须为 1 到 " + std::to_string(maxTriangleCount) + " 之间的整数;输入的 “" + typed +
           "” 取整后为 " + formatGeneral(count) + "。";
}

TypedNumber promptNumber(Dialogue& dialogue, const ValueTexts& texts, const ValueBox& box)
{
    return TypedNumber::fromText(dialogue.promptValue(texts, box, numberText));
}

TypedNumber promptAngle(Dialogue& dialogue, const ValueTexts& texts, const ValueBox& box)
{
    return TypedNumber::fromText(dialogue.promptValue(texts, box, angleText));
}

struct PointPrompts {
    const char* name;
    const ValueTexts& x;
    const ValueTexts& y;
    Field xBox;
    Field yBox;
};

const PointPrompts pointC{"C", control_texts::xc, control_texts::yc, Text5, Text6};
const PointPrompts pointD{"D", control_texts::xd, control_texts::yd, Text7, Text8};
const PointPrompts pointE{"E", control_texts::xe, control_texts::ye, Text9, Text10};
const PointPrompts pointF{"F", control_texts::xf, control_texts::yf, Text11, Text12};

// Both coordinates of a point among C, D, E, F. A point with exactly one zero
// coordinate is neither known nor unknown: it is refused and asked again.
void promptPoint(Dialogue& dialogue, const PointPrompts& point, TypedNumber& x, TypedNumber& y)
{
    for (;;) {
        x = promptNumber(dialogue, point.x, coordinateBox(point.xBox));
        y = promptNumber(dialogue, point.y, coordinateBox(point.yBox));
        if (isGiven(x, y) || isAbsent(x, y)) return;
        const std::string name = point.name;
        dialogue.warnOrAbandon(name + " 点的两个座标中恰有一个为 0。\n" + name +
                               " 点是已知点时,纵、横座标都输入其实际值(都不为 0);不是已知点时,两个座标都输入 0。\n"
                               "请重新输入 " + name + " 点的座标。");
    }
}

// C and D. C absent with D given has no adjustment: refused, both asked again.
void promptStartAndClosingPoints(ChainSurvey& job, Dialogue& dialogue)
{
    for (;;) {
        promptPoint(dialogue, pointC, job.xc, job.yc);
        promptPoint(dialogue, pointD, job.xd, job.yd);
        if (!(cAbsent(job) && dGiven(job))) return;
        dialogue.warnOrAbandon(
            "C 点不是已知点而 D 点是已知点:这样的三角锁无法平差。\n"
            "可以平差的三种布设是:C、D 都不是已知点;C 是已知点而 D 不是;C、D 都是已知点。\n"
            "请重新输入 C 点和 D 点的座标。");
    }
}

// An azimuth computed from coordinates, shown packed and rounded to 5 decimals.
void showComputedAzimuth(Dialogue& dialogue, Field box, double degrees, double& azimuthDeg, TypedNumber& packed)
{
    requireFinite(degrees);
    azimuthDeg = degrees;
    packed = TypedNumber::fromValue(degreesToPacked(degrees));
    dialogue.fields().setText(box, " " + packedPattern(packed.value));
}

void showBoth(Dialogue& dialogue, Field first, Field second, const std::string& text)
{
    dialogue.fields().setText(first, text);
    dialogue.fields().setText(second, text);
}

// A typed orientation angle: its magnitude in signed degrees, its sign apart.
void promptOrientationAngle(Dialogue& dialogue, const ValueTexts& texts, Field box, TypedNumber& packed,
                            double& degrees, int& sign)
{
    packed = promptAngle(dialogue, texts, packedAngleBox(box));
    sign = signOf(packed.value);
    degrees = signedPackedToDegrees(packed.value);
}

void inputStart(ChainSurvey& job, Dialogue& dialogue)
{
    showBoth(dialogue, Text5, Text6, "不是已知边起算");
    if (eGiven(job)) {
        showComputedAzimuth(dialogue, Text13, azimuthOf(job.xe.value - job.xa.value, job.ye.value - job.ya.value),
                            job.taDeg, job.taPacked);
    } else if (eAbsent(job)) {
        job.taPacked = promptAngle(dialogue, control_texts::typedTa, packedAngleBox(Text13));
        job.taDeg = packedToDegrees(job.taPacked.value);
        for (const Field field : {Text5, Text6, Text9, Text10}) dialogue.fields().setText(field, "");
    }
    promptOrientationAngle(dialogue, control_texts::qa, Text14, job.qaPacked, job.qaDeg, job.spacerSign[0]);
}

void inputClosing(ChainSurvey& job, Dialogue& dialogue)
{
    const int n = job.triangleCount;
    if (fGiven(job)) {
        showComputedAzimuth(dialogue, Text15, azimuthOf(job.xf.value - job.xb.value, job.yf.value - job.yb.value),
                            job.tbDeg, job.tbPacked);
        showBoth(dialogue, Text7, Text8, "不在已知边闭合");
    } else if (fAbsent(job)) {
        job.tbPacked = promptAngle(dialogue, control_texts::typedTb, packedAngleBox(Text15));
        job.tbDeg = packedToDegrees(job.tbPacked.value);
        showBoth(dialogue, Text7, Text8, "不在已知边闭合");
        showBoth(dialogue, Text11, Text12, "由外定向点定向");
    }
    promptOrientationAngle(dialogue, control_texts::qb, Text16, job.qbPacked, job.qbDeg, job.spacerSign[n + 1]);
}

std::string number(int i)
{
    return std::to_string(i);
}

const std::string nameConfirm = "确认点名输入是否正确  ?  输入正确单击 Enter 键 ;  错误输入 0 ( 即:0 )";
const std::string nameConfirmTail = " 点的点名输入是否正确  ?  输入正确单击 Enter 键 ;  错误输入 0 ( 即:0 )";
const std::string nameReentry = "输入正确的点名 :";

void promptName(ChainSurvey& job, Dialogue& dialogue, int point, const ValueTexts& texts,
                const DialogueHooks& hooks = {})
{
    job.pointName[point] = dialogue.promptValue(texts, nameBox(Text35), anyText, hooks);
}

}  // namespace

void inputChainSize(ChainSurvey& job, Dialogue& dialogue)
{
    const std::string countText = dialogue.askChecked("输入三角形的个数:", triangleCountText);
    const int count = static_cast<int>(roundHalfEven(*parseNumber(countText)));
    job.triangleCount = static_cast<std::int16_t>(count);
    dialogue.fields().setText(Text19, " 三角锁共有" + number(count) + "个三角形");

    job.angleTolerance = TypedNumber::fromText(dialogue.askChecked("输入规范测角限差:", numberText));
    dialogue.fields().setText(Text18, " " + job.angleTolerance.text + " 秒");

    job.size(count);
}

void inputControlPoints(ChainSurvey& job, Dialogue& dialogue)
{
    const int n = job.triangleCount;
    job.xa = promptNumber(dialogue, control_texts::xa, coordinateBox(Text1));
    job.ya = promptNumber(dialogue, control_texts::ya, coordinateBox(Text2));
    promptStartAndClosingPoints(job, dialogue);
    job.xb = promptNumber(dialogue, control_texts::xb, coordinateBox(Text3));
    job.yb = promptNumber(dialogue, control_texts::yb, coordinateBox(Text4));

    if (cAbsent(job)) {
        promptPoint(dialogue, pointE, job.xe, job.ye);
    } else if (cGiven(job)) {
        const double dx = job.xc.value - job.xa.value, dy = job.yc.value - job.ya.value;
        job.sideLength[1] = std::sqrt(dx * dx + dy * dy);
        requireFinite(job.sideLength[1]);
        showComputedAzimuth(dialogue, Text13, azimuthOf(dx, dy), job.taDeg, job.taPacked);
        showBoth(dialogue, Text9, Text10, "由已知边起算");
    }

    if (dAbsent(job)) {
        promptPoint(dialogue, pointF, job.xf, job.yf);
    } else if (dGiven(job)) {
        const double dx = job.xb.value - job.xd.value, dy = job.yb.value - job.yd.value;
        job.sideLength[2 * n + 1] = std::sqrt(dx * dx + dy * dy);
        requireFinite(job.sideLength[2 * n + 1]);
        showComputedAzimuth(dialogue, Text15, azimuthOf(dx, dy), job.tbDeg, job.tbPacked);
        showBoth(dialogue, Text11, Text12, "由已知边闭合");
    }

    if (cAbsent(job)) inputStart(job, dialogue);
    if (dAbsent(job)) inputClosing(job, dialogue);
}

void inputPointNames(ChainSurvey& job, Dialogue& dialogue)
{
    const int n = job.triangleCount;
    WindowFields& fields = dialogue.fields();

    promptName(job, dialogue, 0, {"输入起始点 A 的点名 :", nameConfirm, nameConfirm, nameReentry, {}},
               {[&] { fields.setCaption(Label56, "  A点"); }, {}});

    const std::string firstConfirm = "确认第 1" + nameConfirmTail;
    fields.setCaption(Label56, " N(1)");
    if (cAbsent(job)) {
        promptName(job, dialogue, 1,
                   {"按座标推算路线输入第 1 点的点名 :", firstConfirm, firstConfirm, "输入第 1 点正确的点名 :", {}});
    } else {
        promptName(job, dialogue, 1,
                   {"输入起始点 C 的点名 :", firstConfirm, firstConfirm, "输入第 1 点正确的点名 :", {}},
                   {[&] { fields.setCaption(Label56, " C点"); }, {}});
    }

    for (int i = 2; i <= n - 2; ++i) {
        fields.setCaption(Label56, " N(" + number(i) + ")");
        promptName(job, dialogue, i,
                   {"按座标推算路线依次输入第 " + number(i) + " 点的点名 :", "确认第 " + number(i) + nameConfirmTail,
                    "确认输入第 " + number(i) + nameConfirmTail, "输入第 " + number(i) + " 点正确的点名 :", {}});
    }

    // The last two route points; with n = 1 or 2 these ask again for points
    // already named, and the later name replaces the earlier one.
    for (int i = n - 1; i <= n; ++i) {
        fields.setCaption(Label56, dGiven(job) ? " D点" : " N(" + number(i) + " )");
        promptName(job, dialogue, i,
                   {"如果依推算路线此点为闭合点 D ,则输入 D 点的点名 ; 反之按推算路线序号输入点名 :", nameConfirm,
                    nameConfirm, nameReentry, {}});
    }

    fields.setCaption(Label56, "  B点");
    promptName(job, dialogue, n + 1, {"输入闭合点 B 的点名 :", nameConfirm, nameConfirm, nameReentry, {}});
}

}  // namespace kestrane
