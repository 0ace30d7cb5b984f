// The fields and changeable labels of the window, as the job writes them.
#pragma once

#include <array>

#include "input/job_io.h"

class QLabel;
class QLineEdit;
class QWidget;

namespace kestrane {

class QtWindowFields : public WindowFields {
public:
    // Finds Text1..Text41 and the changeable labels among window's children.
    explicit QtWindowFields(QWidget& window);

    // Both show the new text before they return.
    void setText(Field field, const std::string& text) override;
    void setCaption(Label label, const std::string& caption) override;

private:
    std::array<QLineEdit*, fieldCount + 1> fields_{};  // by field number; 0 unused
    std::array<QLabel*, Label66 + 1> labels_{};        // by label number
};

}  // namespace kestrane
