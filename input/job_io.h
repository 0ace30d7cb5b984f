// The two doors through which a job meets the surveyor: the modal input box
// with its warning box, and the fields and changeable labels of the window.
// The window implements them with real dialogs and widgets, the replay tool
// from a transcript and a log; the job code is the same behind both.
#pragma once

#include <string>

namespace kestrane {

// The window's text fields Text1..Text41, by number.
enum Field : int {
    Text1 = 1, Text2, Text3, Text4, Text5, Text6, Text7, Text8, Text9, Text10,
    Text11, Text12, Text13, Text14, Text15, Text16, Text17, Text18, Text19, Text20,
    Text21, Text22, Text23, Text24, Text25, Text26, Text27, Text28, Text29, Text30,
    Text31, Text32, Text33, Text34, Text35, Text36, Text37, Text38, Text39, Text40,
    Text41,
};
inline constexpr int fieldCount = 41;

// The labels whose captions a job changes.
enum Label : int {
    Label46 = 46,  // row caption of angle A of the triangle being entered
    Label47 = 47,  // angle B
    Label48 = 48,  // angle C
    Label49 = 49,  // triangle misclosure
    Label56 = 56,  // the point being named, later each route point
    Label66 = 66,  // the side-angle condition being shown
};
inline constexpr Label changeableLabels[] = {Label46, Label47, Label48, Label49, Label56, Label66};

// The caption a changeable label has when the window opens.
const char* initialCaption(Label label);

class InputBox {
public:
    virtual ~InputBox() = default;

    // Opens the modal input box with an empty entry field and returns the
    // typed text; Cancel returns the empty text. An empty title means none.
    virtual std::string ask(const std::string& prompt, const std::string& title) = 0;

    // Shows a warning. When canAbandon is set the box also offers to abandon
    // the job; returns true when the surveyor chose that.
    virtual bool warn(const std::string& message, bool canAbandon) = 0;
};

class WindowFields {
public:
    virtual ~WindowFields() = default;
    virtual void setText(Field field, const std::string& text) = 0;
    virtual void setCaption(Label label, const std::string& caption) = 0;
};

}  // namespace kestrane
