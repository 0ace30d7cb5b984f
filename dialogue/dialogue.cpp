#include "dialogue/dialogue.h"

#include "chain/number_parse.h"
#include "dialogue/dialogue_texts.h"
#include "dialogue/full_width.h"
#include "dialogue/job_signals.h"

namespace kestrane {

ConfirmationAnswer readConfirmation(const std::string& answer)
{
    const std::string mapped = mappedToAscii(answer);
    if (isBlankText(mapped)) return ConfirmationAnswer::right;
    const auto number = parseNumber(mapped);
    if (!number) return ConfirmationAnswer::unclear;
    return *number == 0 ? ConfirmationAnswer::wrong : ConfirmationAnswer::right;
}

std::string Dialogue::promptValue(const ValueTexts& texts, const ValueBox& box, const ValueReading& reading,
                                  const DialogueHooks& hooks)
{
    std::string value = askChecked(texts.prompt, reading);
    if (hooks.afterFirstAnswer) hooks.afterFirstAnswer();
    fields_.setText(box.field, box.show(value));
    if (hooks.afterFirstShow) hooks.afterFirstShow();

    const std::string* confirm = &texts.firstConfirm;
    while (confirmationRejects(*confirm, texts.confirmTitle)) {
        fields_.setText(box.field, "");
        value = askChecked(texts.reentry, reading);
        fields_.setText(box.field, box.show(value));
        confirm = &texts.laterConfirm;
    }
    fields_.setText(box.field, box.show(value));
    return value;
}

bool Dialogue::confirmationRejects(const std::string& question, const std::string& title)
{
    for (;;) {
        const std::string answer = inputBox_.ask(question, title);
        switch (readConfirmation(answer)) {
        case ConfirmationAnswer::right: return false;
        case ConfirmationAnswer::wrong: return true;
        case ConfirmationAnswer::unclear: warnOrAbandon(dialogue_texts::unclearConfirmation(answer)); break;
        }
    }
}

std::string Dialogue::askChecked(const std::string& prompt, const ValueReading& reading, const std::string& title)
{
    for (;;) {
        const std::string typed = inputBox_.ask(prompt, title);
        std::string value = reading.mapsFullWidth ? mappedToAscii(typed) : typed;
        const auto refusal = reading.check(value);
        if (!refusal) return value;
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
