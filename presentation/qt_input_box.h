// The modal input box and the warning box of a job, as Qt dialogs over the
// window. Texts cross the boundary as UTF-8.
#pragma once

#include <QPointer>
#include <QWidget>

#include "dialogue/input_box.h"

namespace kestrane {

class ClientArea;

// Captions of the warning box's buttons.
inline constexpr const char* continueInputCaption = "继续输入";
inline constexpr const char* abandonJobCaption = "放弃本次计算";
inline constexpr const char* acknowledgeCaption = "确定";

class QtInputBox : public InputBox {
public:
    // The dialogs open over parent (may be null).
    explicit QtInputBox(QWidget* parent) : parent_(parent) {}

    // The input box opens at one place the eye can learn: over the top strip
    // of area, the schematic, where it covers none of the fields it asks
    // about; beside the window instead when it is taller than that strip and
    // the screen has room there. Where neither keeps it off the field whose
    // value it asks about (a small screen, a large scale), it stands above,
    // below or beside that field instead.
    void openOver(const ClientArea* area) { area_ = area; }

    // A text input dialog with an empty entry field: OK or Enter returns the
    // typed text, Cancel or Esc the empty text. While a field is concerned,
    // a line of its own under the prompt reads the field's caption and the
    // whole value the field holds now (a point name whole, however narrow
    // the field): the value being confirmed is always in sight.
    std::string ask(const std::string& prompt, const std::string& title) override;

    void concerning(std::optional<Field> field, bool valueShown) override
    {
        field_ = field;
        valueShown_ = valueShown;
    }

    // How many boxes (input and warning) have opened since the start.
    int boxesOpened() const { return boxesOpened_; }

    // The object name of the line under the prompt, and the property of the
    // box that holds the window number of the field concerned (0: none).
    static constexpr const char* valueLineName = "concernedValue";
    static constexpr const char* concernedFieldProperty = "concernedField";

    // A warning: with canAbandon, "继续输入" (the default, also Esc) or
    // "放弃本次计算" (returns true); otherwise just "确定".
    bool warn(const std::string& message, bool canAbandon) override;

private:
    void place(QWidget& dialog) const;
    // The field's rectangle on the screen; empty when no field is concerned.
    QRect concernedField() const;
    QString concernedValueLine() const;

    QPointer<QWidget> parent_;
    const ClientArea* area_ = nullptr;
    std::optional<Field> field_;
    bool valueShown_ = false;
    int boxesOpened_ = 0;
};

}  // namespace kestrane
