// The prompt-and-confirm dialogue through which every value of a job passes:
// ask, show the value in its box at once, ask for confirmation, and for as
// long as the answer is zero clear the box and ask again. A value is checked
// as soon as the input box returns it; a refused text brings a warning that
// offers to abandon the job, then the same prompt again.
//
// With a job file behind it, a prompt whose key the file holds is answered
// by the file and the value taken as accepted, unconfirmed, after the same
// checks as a typed one. A file value that a warning refuses is asked again
// of the surveyor, and so is every key a later warning asks again. The pause
// prompts pass by themselves for as long as every value has come from the
// file. Each accepted value goes to the journal, if there is one, before the
// next prompt opens.
#pragma once

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "dialogue/input_box.h"
#include "dialogue/value_sources.h"
#include "dialogue/window_fields.h"

namespace kestrane {

// The texts of one value and the key that names it in a job file.
struct ValueTexts {
    std::string key;
    std::string prompt;
    std::string firstConfirm;
    std::string laterConfirm;   // asked after every re-entry
    std::string reentry;
    std::string confirmTitle;   // title of the confirmation boxes; empty for none
};

// A text a check refuses: the warning the prompts show, and the few words
// that name the fault after the value's key where faults are listed one to a
// phrase ("的分为 66" in "C3 的分为 66").
struct Refusal {
    std::string warning;
    std::string brief;
};

// A check of a typed text: the refusal, or nothing when it is accepted.
using ValueCheck = std::function<std::optional<Refusal>(const std::string& typed)>;

// How a typed text is read as a value. A number is read with the full-width
// forms of a Chinese input method mapped to ASCII, and the mapped text is the
// one checked, stored and shown; a name is taken exactly as typed.
struct ValueReading {
    bool mapsFullWidth;
    ValueCheck check;
};

// The box of a value: which field shows it and how an accepted text is shown.
struct ValueBox {
    Field field;
    std::function<std::string(const std::string& typed)> show;
};

// Steps some values take between the first answer and its confirmation:
// afterFirstAnswer runs once the first text is accepted, before it is shown;
// afterFirstShow runs after it is shown, before the first confirmation.
struct DialogueHooks {
    std::function<void()> afterFirstAnswer;
    std::function<void()> afterFirstShow;
};

class Dialogue {
public:
    Dialogue(InputBox& inputBox, WindowFields& fields, ValueSources sources = {})
        : inputBox_(inputBox), fields_(fields), sources_(sources)
    {
    }

    // Runs the whole prompt-and-confirm dialogue and returns the accepted text.
    std::string promptValue(const ValueTexts& texts, const ValueBox& box, const ValueReading& reading,
                            const DialogueHooks& hooks = {});

    // A value asked once and accepted without confirmation (the triangle
    // count, the tolerance): asked until the text reads as a value.
    std::string promptUnconfirmed(const std::string& key, const std::string& prompt, const ValueReading& reading);

    // A prompt whose answer, even a cancel, is ignored (pauses between displays).
    void pause(const std::string& prompt);

    // A warning that offers to abandon the job; throws JobAbandoned if taken.
    // The values under the keys reasked are asked again after it, of the
    // surveyor even where a job file holds them.
    void warnOrAbandon(const std::string& message, const std::vector<std::string>& reasked = {});

    WindowFields& fields() { return fields_; }

private:
    struct Answer {
        std::string value;
        bool fromFile = false;
    };

    // The file's value for key when it holds one that reads as a value;
    // otherwise the surveyor's, asked until it reads as one.
    Answer takeValue(const std::string& key, const std::string& prompt, const ValueReading& reading);

    // Asks until the text reads as a value, warning at every refusal.
    std::string askChecked(const std::string& prompt, const ValueReading& reading);

    // Asks the confirmation question until the answer says right or wrong;
    // true when it says wrong.
    bool confirmationRejects(const std::string& question, const std::string& title);

    void record(const std::string& key, const std::string& value, ValueOrigin origin);
    // The journal settled before the surveyor sees a box.
    void beforeBox();

    InputBox& inputBox_;
    WindowFields& fields_;
    ValueSources sources_;
    std::set<std::string> askedOfSurveyor_;  // keys a warning took away from the file
    bool everyValueFromFile_ = true;
};

// How an answer to a confirmation question is read, after the full-width
// forms are mapped: empty or blanks only (Enter, Cancel) and any number but
// zero say right; a zero (0, 0.0, 00, -0 ...) says wrong; anything else
// ("n", "否") is not guessed at.
enum class ConfirmationAnswer { right, wrong, unclear };
ConfirmationAnswer readConfirmation(const std::string& answer);

}  // namespace kestrane
