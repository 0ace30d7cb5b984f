#include "input/observation_input.h"

#include <cmath>

#include "adjustment/misclosures.h"
#include "chain/angles.h"
#include "chain/display_format.h"
#include "chain/number_text.h"

namespace kestrane {
namespace {

std::string number(int i)
{
    return std::to_string(i);
}

const std::string confirmTail = " 输入是否正确  ?  输入正确单击 Enter 键 ;错误输入 0 ( 即:0 )";

double readNumber(const std::string& typed)
{
    return *parseNumber(typed);
}

void clearFields(WindowFields& fields, std::initializer_list<Field> boxes)
{
    for (const Field box : boxes) fields.setText(box, "");
}

// The spacer angle's box shows its magnitude; the sign is never shown.
ValueBox spacerAngleBox(Field field)
{
    return {field, [](const std::string& typed) { return " " + packedPattern(std::fabs(readNumber(typed))); }};
}

// Triangle i's three angles, then its misclosure.
void inputTriangle(ChainSurvey& job, Dialogue& dialogue, int i)
{
    WindowFields& fields = dialogue.fields();
    const std::string id = number(i);

    fields.setText(Text28, "");
    fields.setCaption(Label46, "A(" + id + ")");
    const std::string a = dialogue.promptValue(
        {"输入第 " + id + " 个三角形的求距角 A" + id + " :", "确认求距角 A" + id + confirmTail,
         "确认求距角 A" + id + confirmTail, "输入正确的求距角 A" + id + " :", {}},
        packedAngleBox(Text28), angleText,
        {{}, [&] {
             // The rest of the previous triangle's row is cleared only now.
             for (const Label label : {Label47, Label48, Label49}) fields.setCaption(label, "");
             clearFields(fields, {Text29, Text30, Text31});
         }});
    job.packedA[i] = readNumber(a);
    job.angleA[i] = packedToDegrees(job.packedA[i]);

    const std::string b = dialogue.promptValue(
        {"输入第 " + id + " 个三角形的前进角 B" + id + " :", "确认前进角 B" + id + confirmTail,
         "确认前进角 B" + id + confirmTail, "输入正确的前进角 B" + id + " :", {}},
        packedAngleBox(Text29), angleText, {[&] { fields.setCaption(Label47, "B(" + id + ")"); }, {}});
    job.packedB[i] = readNumber(b);
    job.angleB[i] = packedToDegrees(job.packedB[i]);

    const std::string c = dialogue.promptValue(
        {"输入第 " + id + " 个三角形的间隔角 C" + id +
             " : 位于推算路线右侧输负值 ( 即: -B ); 位于推算路线左侧输正值 ( 即: +B )",
         "确认间隔角 C" + id + confirmTail, "确认间隔角 C" + id + confirmTail, "输入正确的间隔角 C" + id + " :", {}},
        spacerAngleBox(Text30), angleText, {[&] { fields.setCaption(Label48, "C(" + id + ")"); }, {}});
    job.spacerSign[i] = signOf(readNumber(c));
    job.packedC[i] = std::fabs(readNumber(c));
    job.angleC[i] = packedToDegrees(job.packedC[i]);

    fields.setCaption(Label49, "wb(" + id + ")");
    const float w = settleTriangle(job, i);
    requireFinite(w);
    fields.setText(Text31, " " + formatRounded(w, 2) + " 秒");
}

std::optional<std::string> sideText(const std::string& typed)
{
    if (auto refusal = numberText(typed)) return refusal;
    if (readNumber(typed) > 0) return std::nullopt;
    return "边长须大于 0;输入的 “" + typed + "” 不是正数。\n请输入以米为单位的边长,例如 1234.567。";
}

enum class SideKind { odd, even, last };

// Side k: the notice, the prompt, its box (Text33 for odd and last sides,
// Text34 for even ones) and the clearing of the rest of the row.
void inputSide(ChainSurvey& job, Dialogue& dialogue, int k, SideKind kind)
{
    WindowFields& fields = dialogue.fields();
    const std::string id = number(k);
    const std::string confirm = "确认 S" + id + confirmTail;

    ValueTexts texts{"输入第 " + id + " 条边 :", confirm, confirm, "输入正确的 S" + id + " :", {}};
    if (kind == SideKind::odd) texts.laterConfirm = "确认 S" + id + " 输入是否正确  ?  输入正确单击 Enter 键) ;错误输入 0 ( 即:0 )";
    if (kind == SideKind::even) texts.prompt = "输入第 " + id + " 条边 : ";
    if (kind == SideKind::last) texts.prompt = "输入第 " + id + "条边 :";

    const Field box = kind == SideKind::even ? Text34 : Text33;
    const Field otherBox = kind == SideKind::even ? Text33 : Text34;
    const ValueBox sideBox{box, [id](const std::string& typed) {
                               return "s" + id + "=" + coordinatePattern(readNumber(typed));
                           }};

    fields.setText(Text32, "现在输入第 " + id + " 条边");
    DialogueHooks hooks;
    if (kind != SideKind::last) hooks.afterFirstAnswer = [&] { clearFields(fields, {Text28, Text29, Text30, Text31}); };
    hooks.afterFirstShow = [&] { fields.setText(otherBox, ""); };
    job.sideLength[k] = readNumber(dialogue.promptValue(texts, sideBox, sideText, hooks));
}

}  // namespace

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

    double sum = 0;
    for (int k = 1; k <= 2 * n + 1; ++k) {
        job.observedSide[k] = toSingle(job.sideLength[k]);
        sum += job.sideLength[k];
    }
    job.meanSide = sum / (2 * n + 1);
    requireFinite(job.meanSide);
    dialogue.fields().setText(Text17, formatRounded(job.meanSide, 2) + " 米");
}

}  // namespace kestrane
