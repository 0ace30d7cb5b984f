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

namespace {

// The boxes opened while it lives ask about one field.
class Concerning {
public:
    Concerning(InputBox& box, Field field) : box_(box), field_(field) { box_.concerning(field_, false); }
    ~Concerning() { box_.concerning(std::nullopt, false); }
    Concerning(const Concerning&) = delete;
    Concerning& operator=(const Concerning&) = delete;
    void valueShown(bool shown) { box_.concerning(field_, shown); }

private:
    InputBox& box_;
    Field field_;
};

}  // namespace

std::string Dialogue::promptValue(const ValueTexts& texts, const ValueBox& box, const ValueReading& reading,
                                  const DialogueHooks& hooks)
{
    Concerning concerning(inputBox_, box.field);
    const Answer first = takeValue(texts.key, texts.prompt, reading);
    std::string value = first.value;
    if (hooks.afterFirstAnswer) hooks.afterFirstAnswer();
    fields_.setText(box.field, box.show(value));
    if (hooks.afterFirstShow) hooks.afterFirstShow();
    concerning.valueShown(true);

    // A value from the file was accepted when it was written there.
    const std::string* confirm = &texts.firstConfirm;
    while (!first.fromFile && confirmationRejects(*confirm, texts.confirmTitle)) {
        fields_.setText(box.field, "");
        concerning.valueShown(false);
        value = askChecked(texts.reentry, reading);
        fields_.setText(box.field, box.show(value));
        concerning.valueShown(true);
        confirm = &texts.laterConfirm;
    }
    fields_.setText(box.field, box.show(value));
    record(texts.key, value, first.fromFile ? ValueOrigin::file : ValueOrigin::typed);
    return value;
}

std::string Dialogue::promptUnconfirmed(const std::string& key, const std::string& prompt, const ValueReading& reading)
{
    const Answer answer = takeValue(key, prompt, reading);
    record(key, answer.value, answer.fromFile ? ValueOrigin::file : ValueOrigin::typed);
    return answer.value;
}

Dialogue::Answer Dialogue::takeValue(const std::string& key, const std::string& prompt, const ValueReading& reading)
{
    if (sources_.file && !askedOfSurveyor_.count(key)) {
        if (const auto held = sources_.file->valueFor(key)) {
            inputBox_.answeredFromFile(prompt, {}, *held);
            std::string value = reading.mapsFullWidth ? mappedToAscii(*held) : *held;
            const auto refusal = reading.check(value);
            if (!refusal) return {std::move(value), true};
            warnOrAbandon(refusal->warning, {key});
        }
    }
    everyValueFromFile_ = false;
    return {askChecked(prompt, reading), false};
}

bool Dialogue::confirmationRejects(const std::string& question, const std::string& title)
{
    for (;;) {
        beforeBox();
        const std::string answer = inputBox_.ask(question, title);
        switch (readConfirmation(answer)) {
        case ConfirmationAnswer::right: return false;
        case ConfirmationAnswer::wrong: return true;
        case ConfirmationAnswer::unclear: warnOrAbandon(dialogue_texts::unclearConfirmation(answer)); break;
        }
    }
}

std::string Dialogue::askChecked(const std::string& prompt, const ValueReading& reading)
{
    for (;;) {
        beforeBox();
        const std::string typed = inputBox_.ask(prompt, "");
        std::string value = reading.mapsFullWidth ? mappedToAscii(typed) : typed;
        const auto refusal = reading.check(value);
        if (!refusal) return value;
        warnOrAbandon(refusal->warning);
    }
}

void Dialogue::pause(const std::string& prompt)
{
    // A job read whole from its file runs through to its last figure.
    if (sources_.file && everyValueFromFile_) return;
    beforeBox();
    inputBox_.ask(prompt, "");
}

void Dialogue::warnOrAbandon(const std::string& message, const std::vector<std::string>& reasked)
{
    askedOfSurveyor_.insert(reasked.begin(), reasked.end());
    beforeBox();
    if (inputBox_.warn(message, true)) throw JobAbandoned{};
}

void Dialogue::record(const std::string& key, const std::string& value, ValueOrigin origin)
{
    if (sources_.journal) sources_.journal->accepted(key, value, origin);
}

void Dialogue::beforeBox()
{
    if (sources_.journal) sources_.journal->beforeBox();
}

}  // namespace kestrane
