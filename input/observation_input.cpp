#include "input/observation_input.h"

#include <cmath>

#include "adjustment/misclosures.h"
#include "chain/angles.h"
#include "chain/display_format.h"
#include "chain/number_parse.h"
#include "chain/single_precision.h"
#include "dialogue/indexed_text.h"
#include "dialogue/job_signals.h"
#include "input/observation_texts.h"
#include "input/value_boxes.h"
#include "input/value_checks.h"

namespace kestrane {
namespace {

double readNumber(const std::string& typed)
{
    return *parseNumber(typed);
}

void clearFields(WindowFields& fields, std::initializer_list<Field> boxes)
{
    for (const Field box : boxes) fields.setText(box, "");
}

// Triangle i's three angles, then its misclosure.
void inputTriangle(ChainSurvey& job, Dialogue& dialogue, int i)
{
    using namespace observation_texts;
    WindowFields& fields = dialogue.fields();

    fields.setText(Field::angleA, "");
    fields.setCaption(Label::angleARow, withIndex(captionA, i));
    const std::string a = dialogue.promptValue(
        withIndex(angleA, i), packedAngleBox(Field::angleA), asAngle,
        {{}, [&] {
             // The rest of the previous triangle's row is cleared only now.
             for (const Label label : {Label::angleBRow, Label::angleCRow, Label::triangleMisclosureRow})
                 fields.setCaption(label, "");
             clearFields(fields, {Field::angleB, Field::angleC, Field::triangleMisclosure});
         }});

    const std::string b = dialogue.promptValue(withIndex(angleB, i), packedAngleBox(Field::angleB), asAngle,
                                               {[&] { fields.setCaption(Label::angleBRow, withIndex(captionB, i)); }, {}});

    const std::string c = dialogue.promptValue(withIndex(angleC, i), spacerAngleBox(Field::angleC), asAngle,
                                               {[&] { fields.setCaption(Label::angleCRow, withIndex(captionC, i)); }, {}});
    const TriangleAngles angles = triangleAnglesOf(a, b, c);
    job.packedA[i] = angles.packedA;
    job.packedB[i] = angles.packedB;
    job.packedC[i] = angles.packedC;
    job.spacerSign[i] = angles.spacerSign;
    job.angleA[i] = angles.degreesA;
    job.angleB[i] = angles.degreesB;
    job.angleC[i] = angles.degreesC;

    fields.setCaption(Label::triangleMisclosureRow, withIndex(captionMisclosure, i));
    const float w = settleTriangle(job, i);
    requireFinite(w);
    fields.setText(Field::triangleMisclosure, " " + formatRounded(w, 2) + " 秒");
}

enum class SideKind { odd, even, last };

// Side k: the notice, the prompt, its box (the odd-side box for odd and last
// sides, the even-side box for even ones) and the clearing of the rest of the row.
void inputSide(ChainSurvey& job, Dialogue& dialogue, int k, SideKind kind)
{
    using namespace observation_texts;
    WindowFields& fields = dialogue.fields();
    const ValueTexts& texts = kind == SideKind::odd ? oddSide : kind == SideKind::even ? evenSide : lastSide;
    const Field box = kind == SideKind::even ? Field::evenSide : Field::oddSide;
    const Field otherBox = kind == SideKind::even ? Field::oddSide : Field::evenSide;

    fields.setText(Field::sideNotice, withIndex(sideNotice, k));
    DialogueHooks hooks;
    if (kind != SideKind::last)
        hooks.afterFirstAnswer = [&] {
            clearFields(fields, {Field::angleA, Field::angleB, Field::angleC, Field::triangleMisclosure});
        };
    hooks.afterFirstShow = [&] { fields.setText(otherBox, ""); };
    job.sideLength[k] = readNumber(dialogue.promptValue(withIndex(texts, k), sideBox(box, k), asSide, hooks));
}

}  // namespace

TriangleAngles triangleAnglesOf(const std::string& a, const std::string& b, const std::string& c)
{
    TriangleAngles angles{};
    angles.packedA = readNumber(a);
    angles.packedB = readNumber(b);
    angles.spacerSign = signOf(readNumber(c));
    angles.packedC = std::fabs(readNumber(c));
    angles.degreesA = packedToDegrees(angles.packedA);
    angles.degreesB = packedToDegrees(angles.packedB);
    angles.degreesC = packedToDegrees(angles.packedC);
    return angles;
}

double meanSideOf(const std::vector<double>& sideLength, int triangles)
{
    double sum = 0;
    for (int k = 1; k <= 2 * triangles + 1; ++k) sum += sideLength[k];
    return sum / (2 * triangles + 1);
}

void inputAngles(ChainSurvey& job, Dialogue& dialogue)
{
    job.firstGroupSumVV = 0;
    for (int i = 1; i <= job.triangleCount; ++i) inputTriangle(job, dialogue, i);
}

void inputSides(ChainSurvey& job, Dialogue& dialogue)
{
    const int n = job.triangleCount;
    for (int i = 1; i <= n; ++i) {
        if (!(i == 1 && cGiven(job))) inputSide(job, dialogue, 2 * i - 1, SideKind::odd);
        inputSide(job, dialogue, 2 * i, SideKind::even);
    }
    if (dAbsent(job)) inputSide(job, dialogue, 2 * n + 1, SideKind::last);

    for (int k = 1; k <= 2 * n + 1; ++k) job.observedSide[k] = toSingle(job.sideLength[k]);
    job.meanSide = meanSideOf(job.sideLength, n);
    requireFinite(job.meanSide);
    dialogue.fields().setText(Field::meanSide, formatRounded(job.meanSide, 2) + " 米");
}

}  // namespace kestrane
