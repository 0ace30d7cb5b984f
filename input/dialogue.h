// The prompt-and-confirm dialogue through which every value of a job passes:
// ask, show the value in its box at once, ask for confirmation, and for as
// long as the answer is zero clear the box and ask again. Values that must be
// numbers are checked as soon as the input box returns; a refused text brings
// a warning that offers to abandon the job, then the same prompt again.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "input/job_io.h"

namespace kestrane {

// Thrown when the surveyor abandons the job at a warning. The job ends there;
// the window keeps whatever it shows.
struct JobAbandoned {};

// Thrown by a stage when the job cannot go on; the job tells the surveyor why.
struct JobStopped {
    std::string reason;
};

// The four texts of one value.
struct ValueTexts {
    std::string prompt;
    std::string firstConfirm;
    std::string laterConfirm;   // asked after every re-entry
    std::string reentry;
    std::string confirmTitle;   // title of the confirmation boxes; empty for none
};

// A check of a typed text: the warning to show, or nothing when it is accepted.
using ValueCheck = std::function<std::optional<std::string>(const std::string& typed)>;

// Accepts any text (point names).
std::optional<std::string> anyText(const std::string& typed);
// Accepts numbers only.
std::optional<std::string> numberText(const std::string& typed);
// Accepts packed angles whose degrees can be computed (any number not so
// large that the conversion overflows).
std::optional<std::string> angleText(const std::string& typed);

// Stops the job when a figure it is about to show or carry on with is not a
// finite number: values so large that the arithmetic overflows.
void requireFinite(double value);

// The box of a value: which field shows it and how an accepted text is shown.
struct ValueBox {
    Field field;
    std::function<std::string(const std::string& typed)> show;
};

// " " followed by the text formatted with the pattern; a text that is not a
// number is shown unchanged after the blank.
ValueBox coordinateBox(Field field);   // "0.000"
ValueBox packedAngleBox(Field field);  // "0.00000"
ValueBox nameBox(Field field);         // the text itself

// Steps some values take between the first answer and its confirmation:
// afterFirstAnswer runs once the first text is accepted, before it is shown;
// afterFirstShow runs after it is shown, before the first confirmation.
struct DialogueHooks {
    std::function<void()> afterFirstAnswer;
    std::function<void()> afterFirstShow;
};

class Dialogue {
public:
    Dialogue(InputBox& inputBox, WindowFields& fields) : inputBox_(inputBox), fields_(fields) {}

    // Runs the whole prompt-and-confirm dialogue and returns the accepted text.
    std::string promptValue(const ValueTexts& texts, const ValueBox& box, const ValueCheck& check,
                            const DialogueHooks& hooks = {});

    // Asks until check accepts the text, warning at every refusal.
    std::string askChecked(const std::string& prompt, const ValueCheck& check, const std::string& title = {});

    // A prompt whose answer, even a cancel, is ignored (pauses between displays).
    void pause(const std::string& prompt);

    // A warning that offers to abandon the job; throws JobAbandoned if taken.
    void warnOrAbandon(const std::string& message);

    WindowFields& fields() { return fields_; }

private:
    InputBox& inputBox_;
    WindowFields& fields_;
};

// A zero answer (0, 0.0, 00, -0 ...) rejects the value being confirmed;
// every other answer, the empty one included, accepts it.
bool isZeroAnswer(const std::string& answer);

// Rounds to the nearest integer, halves to the even neighbour (2.5 -> 2).
double roundHalfEven(double x);

}  // namespace kestrane
