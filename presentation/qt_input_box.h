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
    // the screen has room there.
    void openOver(const ClientArea* area) { area_ = area; }

    // A text input dialog with an empty entry field: OK or Enter returns the
    // typed text, Cancel or Esc the empty text.
    std::string ask(const std::string& prompt, const std::string& title) override;

    // A warning: with canAbandon, "继续输入" (the default, also Esc) or
    // "放弃本次计算" (returns true); otherwise just "确定".
    bool warn(const std::string& message, bool canAbandon) override;

private:
    void place(QWidget& dialog) const;

    QPointer<QWidget> parent_;
    const ClientArea* area_ = nullptr;
};

}  // namespace kestrane
