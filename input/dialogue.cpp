#include "input/dialogue.h"

#include <cmath>

#include "chain/angles.h"
#include "chain/display_format.h"
#include "chain/number_text.h"

namespace kestrane {
namespace {

std::string blankThenPattern(const std::string& typed, std::string (*pattern)(double))
{
    const auto number = parseNumber(typed);
    return " " + (number ? pattern(*number) : typed);
}

}  // namespace

std::optional<std::string> anyText(const std::string&)
{
    return std::nullopt;
}

std::optional<std::string> numberText(const std::string& typed)
{
    if (parseNumber(typed)) return std::nullopt;
    const std::string expected = "此处需要输入一个数,例如 123.456 或 -0.3015。";
    if (typed.find_first_not_of(" \t") == std::string::npos)
        return "没有输入数值(输入框为空,或按了取消)。\n" + expected;
    return "“" + typed + "” 不是一个数。\n" + expected;
}

std::optional<std::string> angleText(const std::string& typed)
{
    if (auto refusal = numberText(typed)) return refusal;
    if (std::isfinite(packedToDegrees(std::fabs(*parseNumber(typed))))) return std::nullopt;
    return "“" + typed + "” 作为角度数值过大。\n请按 度.分秒 输入角度,例如 45.3015 表示 45°30′15″。";
}

void requireFinite(double value)
{
    if (!std::isfinite(value))
        throw JobStopped{"计算结果超出了数的范围:输入的数值过大或不合理。\n请检查输入的座标、角度和边长。"};
}

ValueBox coordinateBox(Field field)
{
    return {field, [](const std::string& typed) { return blankThenPattern(typed, coordinatePattern); }};
}

ValueBox packedAngleBox(Field field)
{
    return {field, [](const std::string& typed) { return blankThenPattern(typed, packedPattern); }};
}

ValueBox nameBox(Field field)
{
    return {field, [](const std::string& typed) { return " " + typed; }};
}

bool isZeroAnswer(const std::string& answer)
{
    const auto number = parseNumber(answer);
    return number && *number == 0;
}

double roundHalfEven(double x)
{
    const double nearest = std::round(x);  // halves away from zero
    if (std::fabs(x - std::trunc(x)) == 0.5) return 2 * std::round(x / 2);
    return nearest;
}

std::string Dialogue::promptValue(const ValueTexts& texts, const ValueBox& box, const ValueCheck& check,
                                  const DialogueHooks& hooks)
{
    std::string value = askChecked(texts.prompt, check);
    if (hooks.afterFirstAnswer) hooks.afterFirstAnswer();
    fields_.setText(box.field, box.show(value));
    if (hooks.afterFirstShow) hooks.afterFirstShow();

    const std::string* confirm = &texts.firstConfirm;
    while (isZeroAnswer(inputBox_.ask(*confirm, texts.confirmTitle))) {
        fields_.setText(box.field, "");
        value = askChecked(texts.reentry, check);
        fields_.setText(box.field, box.show(value));
        confirm = &texts.laterConfirm;
    }
    fields_.setText(box.field, box.show(value));
    return value;
}

std::string Dialogue::askChecked(const std::string& prompt, const ValueCheck& check, const std::string& title)
{
    for (;;) {
        std::string typed = inputBox_.ask(prompt, title);
        const auto refusal = check(typed);
        if (!refusal) return typed;
        warnOrAbandon(*refusal);
    }
}

void Dialogue::pause(const std::string& prompt)
{
    inputBox_.ask(prompt, "");
}

void Dialogue::warnOrAbandon(const std::string& message)
{
    if (inputBox_.warn(message, true)) throw JobAbandoned{};
}

}  // namespace kestrane
