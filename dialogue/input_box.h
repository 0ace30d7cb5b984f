// The modal input box through which a job meets the surveyor, with its
// warning box. The window implements it with real dialogs, the replay tool
// from a transcript; the job code is the same behind both.
#pragma once

#include <optional>
#include <string>

#include "dialogue/window_fields.h"

namespace kestrane {

class InputBox {
public:
    virtual ~InputBox() = default;

    // Opens the modal input box with an empty entry field and returns the
    // typed text; Cancel returns the empty text. An empty title means none.
    virtual std::string ask(const std::string& prompt, const std::string& title) = 0;

    // Shows a warning. When canAbandon is set the box also offers to abandon
    // the job; returns true when the surveyor chose that.
    virtual bool warn(const std::string& message, bool canAbandon) = 0;

    // The field whose value the boxes that follow ask for or confirm, until
    // the next call; nothing for boxes that ask about no field. valueShown:
    // the field shows the value being confirmed (not yet, or no more, while
    // the value is being typed). The window keeps its boxes off that field
    // and shows its value beside the prompt; the prompts themselves are
    // unchanged by it.
    virtual void concerning(std::optional<Field> field, bool valueShown)
    {
        (void)field, (void)valueShown;
    }

    // A prompt that a job file answered: the box did not open, and the
    // answer was taken as accepted. The replay tool logs it; the window has
    // nothing to show.
    virtual void answeredFromFile(const std::string& prompt, const std::string& title, const std::string& answer)
    {
        (void)prompt, (void)title, (void)answer;
    }
};

}  // namespace kestrane
