#include "input/control_input.h"

#include <cmath>

#include "chain/angles.h"
#include "chain/display_format.h"
#include "dialogue/indexed_text.h"
#include "dialogue/job_signals.h"
#include "input/control_texts.h"
#include "input/name_texts.h"
#include "input/value_boxes.h"
#include "input/value_checks.h"

namespace kestrane {
namespace {

TypedNumber promptNumber(Dialogue& dialogue, const ValueTexts& texts, const ValueBox& box)
{
    return TypedNumber::fromText(dialogue.promptValue(texts, box, asNumber));
}

TypedNumber promptAngle(Dialogue& dialogue, const ValueTexts& texts, const ValueBox& box)
{
    return TypedNumber::fromText(dialogue.promptValue(texts, box, asAngle));
}

struct PointPrompts {
    const char* name;
    const ValueTexts& x;
    const ValueTexts& y;
    Field xBox;
    Field yBox;
};

const PointPrompts pointC{"C", control_texts::xc, control_texts::yc, Field::xc, Field::yc};
const PointPrompts pointD{"D", control_texts::xd, control_texts::yd, Field::xd, Field::yd};
const PointPrompts pointE{"E", control_texts::xe, control_texts::ye, Field::xe, Field::ye};
const PointPrompts pointF{"F", control_texts::xf, control_texts::yf, Field::xf, Field::yf};

// Both coordinates of a point among C, D, E, F. A point with exactly one zero
// coordinate is neither known nor unknown: it is refused and asked again.
void promptPoint(Dialogue& dialogue, const PointPrompts& point, TypedNumber& x, TypedNumber& y)
{
    for (;;) {
        x = promptNumber(dialogue, point.x, coordinateBox(point.xBox));
        y = promptNumber(dialogue, point.y, coordinateBox(point.yBox));
        const auto refusal = pointCoordinatesRefusal(point.name, x, y);
        if (!refusal) return;
        dialogue.warnOrAbandon(refusal->warning, {point.x.key, point.y.key});
    }
}

// C and D. C absent with D given has no adjustment: refused, both asked again.
void promptStartAndClosingPoints(ChainSurvey& job, Dialogue& dialogue)
{
    for (;;) {
        promptPoint(dialogue, pointC, job.xc, job.yc);
        promptPoint(dialogue, pointD, job.xd, job.yd);
        const auto refusal = startAndClosingRefusal(job.xc, job.yc, job.xd, job.yd);
        if (!refusal) return;
        dialogue.warnOrAbandon(refusal->warning, {control_texts::xc.key, control_texts::yc.key, control_texts::xd.key,
                                                  control_texts::yd.key});
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
    showBoth(dialogue, Field::xc, Field::yc, control_texts::startNotOnKnownSide);
    if (eGiven(job)) {
        showComputedAzimuth(dialogue, Field::startAzimuth,
                            azimuthOf(job.xe.value - job.xa.value, job.ye.value - job.ya.value), job.taDeg,
                            job.taPacked);
    } else if (eAbsent(job)) {
        job.taPacked = promptAngle(dialogue, control_texts::typedTa, packedAngleBox(Field::startAzimuth));
        job.taDeg = packedToDegrees(job.taPacked.value);
        for (const Field field : {Field::xc, Field::yc, Field::xe, Field::ye}) dialogue.fields().setText(field, "");
    }
    promptOrientationAngle(dialogue, control_texts::qa, Field::startOrientation, job.qaPacked, job.qaDeg,
                           job.spacerSign[0]);
}

void inputClosing(ChainSurvey& job, Dialogue& dialogue)
{
    const int n = job.triangleCount;
    if (fGiven(job)) {
        showComputedAzimuth(dialogue, Field::closingAzimuth,
                            azimuthOf(job.xf.value - job.xb.value, job.yf.value - job.yb.value), job.tbDeg,
                            job.tbPacked);
        showBoth(dialogue, Field::xd, Field::yd, control_texts::closingNotOnKnownSide);
    } else if (fAbsent(job)) {
        job.tbPacked = promptAngle(dialogue, control_texts::typedTb, packedAngleBox(Field::closingAzimuth));
        job.tbDeg = packedToDegrees(job.tbPacked.value);
        showBoth(dialogue, Field::xd, Field::yd, control_texts::closingNotOnKnownSide);
        showBoth(dialogue, Field::xf, Field::yf, control_texts::closingByOrientationPoint);
    }
    promptOrientationAngle(dialogue, control_texts::qb, Field::closingOrientation, job.qbPacked, job.qbDeg,
                           job.spacerSign[n + 1]);
}

double knownSide(const TypedNumber& x0, const TypedNumber& y0, const TypedNumber& x1, const TypedNumber& y1)
{
    const double side = knownSideLength(x0, y0, x1, y1);
    requireFinite(side);
    return side;
}

void promptName(ChainSurvey& job, Dialogue& dialogue, int point, const ValueTexts& texts,
                const DialogueHooks& hooks = {})
{
    job.pointName[point] = dialogue.promptValue(texts, nameBox(Field::pointName), asName, hooks);
}

}  // namespace

double knownSideLength(const TypedNumber& x0, const TypedNumber& y0, const TypedNumber& x1, const TypedNumber& y1)
{
    const double dx = x1.value - x0.value, dy = y1.value - y0.value;
    return std::sqrt(dx * dx + dy * dy);
}

void inputChainSize(ChainSurvey& job, Dialogue& dialogue)
{
    const std::string countText =
        dialogue.promptUnconfirmed(control_texts::triangleCountKey, control_texts::triangleCountPrompt, asTriangleCount);
    const int count = *triangleCountOf(countText);
    job.triangleCount = static_cast<std::int16_t>(count);
    dialogue.fields().setText(Field::triangleCount, withIndex(control_texts::triangleCountSentence, count));

    job.angleTolerance = TypedNumber::fromText(
        dialogue.promptUnconfirmed(control_texts::toleranceKey, control_texts::tolerancePrompt, asNumber));
    dialogue.fields().setText(Field::tolerance, " " + job.angleTolerance.text + " 秒");

    job.size(count);
}

void inputControlPoints(ChainSurvey& job, Dialogue& dialogue)
{
    const int n = job.triangleCount;
    job.xa = promptNumber(dialogue, control_texts::xa, coordinateBox(Field::xa));
    job.ya = promptNumber(dialogue, control_texts::ya, coordinateBox(Field::ya));
    promptStartAndClosingPoints(job, dialogue);
    job.xb = promptNumber(dialogue, control_texts::xb, coordinateBox(Field::xb));
    job.yb = promptNumber(dialogue, control_texts::yb, coordinateBox(Field::yb));

    if (cAbsent(job)) {
        promptPoint(dialogue, pointE, job.xe, job.ye);
    } else if (cGiven(job)) {
        job.sideLength[1] = knownSide(job.xa, job.ya, job.xc, job.yc);
        showComputedAzimuth(dialogue, Field::startAzimuth,
                            azimuthOf(job.xc.value - job.xa.value, job.yc.value - job.ya.value), job.taDeg,
                            job.taPacked);
        showBoth(dialogue, Field::xe, Field::ye, control_texts::startOnKnownSide);
    }

    if (dAbsent(job)) {
        promptPoint(dialogue, pointF, job.xf, job.yf);
    } else if (dGiven(job)) {
        job.sideLength[2 * n + 1] = knownSide(job.xd, job.yd, job.xb, job.yb);
        showComputedAzimuth(dialogue, Field::closingAzimuth,
                            azimuthOf(job.xb.value - job.xd.value, job.yb.value - job.yd.value), job.tbDeg,
                            job.tbPacked);
        showBoth(dialogue, Field::xf, Field::yf, control_texts::closingOnKnownSide);
    }

    if (cAbsent(job)) inputStart(job, dialogue);
    if (dAbsent(job)) inputClosing(job, dialogue);
}

void inputPointNames(ChainSurvey& job, Dialogue& dialogue)
{
    using namespace name_texts;
    const int n = job.triangleCount;
    WindowFields& fields = dialogue.fields();
    const auto caption = [&](const std::string& text) { fields.setCaption(Label::pointNameRow, text); };

    promptName(job, dialogue, 0, startPoint, {[&] { caption(captionA); }, {}});

    caption(withIndex(captionNumbered, 1));
    if (cAbsent(job))
        promptName(job, dialogue, 1, withIndex(firstRoutePoint, 1));
    else
        promptName(job, dialogue, 1, withIndex(knownPointC, 1), {[&] { caption(captionC); }, {}});

    for (int i = 2; i <= n - 2; ++i) {
        caption(withIndex(captionNumbered, i));
        promptName(job, dialogue, i, withIndex(middleRoutePoint, i));
    }

    // The last two route points; with n = 1 or 2 these ask again for points
    // already named, and the later name replaces the earlier one.
    for (int i = n - 1; i <= n; ++i) {
        caption(dGiven(job) ? captionD : withIndex(captionLastNumbered, i));
        promptName(job, dialogue, i, withIndex(lastRoutePoint, i));
    }

    caption(captionB);
    promptName(job, dialogue, n + 1, withIndex(closingPoint, n + 1));
}

}  // namespace kestrane
