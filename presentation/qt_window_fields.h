// The fields and changeable labels of the window, as the job writes them.
#pragma once

#include <array>
#include <map>

#include "dialogue/window_fields.h"

class QLabel;
class QLineEdit;
class QWidget;

namespace kestrane {

class QtWindowFields : public WindowFields {
public:
    // Finds every field and changeable label among the window's children by its window id.
    explicit QtWindowFields(QWidget& window);

    // Both show the new text before they return.
    void setText(Field field, const std::string& text) override;
    void setCaption(Label label, const std::string& caption) override;

private:
    std::array<QLineEdit*, fieldCount + 1> fields_{};  // by window number; 0 unused
    std::map<Label, QLabel*> labels_;
};

}  // namespace kestrane
