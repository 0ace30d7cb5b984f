// A surveyor and a window for tests of the job code: answers come from a
// list, and every box, warning, field and caption is recorded as one line of
// text in the order it happened.
#pragma once

#include <deque>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "dialogue/input_box.h"
#include "dialogue/window_fields.h"

namespace kestrane::testing {

// Answers in the replay notation: a plain text is typed and confirmed with
// Enter, "@cancel" cancels, "@abort" abandons the job at a warning that
// offers it (at such a warning any other next answer is left for later).
class ScriptedIo final : public InputBox, public WindowFields {
public:
    explicit ScriptedIo(std::vector<std::string> answers = {}) : answers_(answers.begin(), answers.end()) {}

    void add(const std::string& answer) { answers_.push_back(answer); }

    std::string ask(const std::string& prompt, const std::string& title) override
    {
        if (answers_.empty()) throw std::runtime_error("no answer left for: " + prompt);
        std::string answer = answers_.front();
        answers_.pop_front();
        if (answer == "@cancel") answer.clear();
        events.push_back("ask " + prompt + (title.empty() ? "" : " [" + title + "]") + " -> " + answer);
        return answer;
    }

    bool warn(const std::string& message, bool canAbandon) override
    {
        const bool abandon = canAbandon && !answers_.empty() && answers_.front() == "@abort";
        if (abandon) answers_.pop_front();
        events.push_back(std::string(abandon ? "abandon " : "warn ") + message);
        ++warnings;
        return abandon;
    }

    void setText(Field field, const std::string& text) override
    {
        fields[field] = text;
        events.push_back(windowId(field) + " = " + text);
    }

    void setCaption(Label label, const std::string& caption) override
    {
        captions[label] = caption;
        events.push_back(windowId(label) + " = " + caption);
    }

    bool allAnswered() const { return answers_.empty(); }

    std::vector<std::string> events;
    std::map<Field, std::string> fields;
    std::map<Label, std::string> captions;
    int warnings = 0;

private:
    std::deque<std::string> answers_;
};

// A surveyor who answers every pause at once, and fields nobody reads: a
// job's adjustment run straight through.
class Unattended final : public InputBox, public WindowFields {
public:
    std::string ask(const std::string&, const std::string&) override { return {}; }
    bool warn(const std::string&, bool) override { return false; }
    void setText(Field, const std::string&) override {}
    void setCaption(Label, const std::string&) override {}
};

}  // namespace kestrane::testing
