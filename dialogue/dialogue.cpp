#include "dialogue/dialogue.h"

#include "chain/number_parse.h"
#include "dialogue/job_signals.h"

namespace kestrane {

bool isZeroAnswer(const std::string& answer)
{
    const auto number = parseNumber(answer);
    return number && *number == 0;
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
