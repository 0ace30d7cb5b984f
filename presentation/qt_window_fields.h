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

    // Both show the new text before they return. A text wider than its field
    // is shown whole in the field's tooltip; the point name's tooltip is
    // always the whole name.
    void setText(Field field, const std::string& text) override;
    void setCaption(Label label, const std::string& caption) override;

    // At the start of a job: every field that still shows a text of an
    // earlier job is drawn in grey until this job writes it.
    void markEarlierJob();

    // While a job runs from a file no box opens between its values: the texts
    // are then painted with the window's next turn of events instead of each
    // at once. Turned off, whatever waits is painted before it returns.
    void setDeferredPainting(bool deferred);

    // The property of a field whose text is an earlier job's.
    static constexpr const char* earlierJobMark = "earlierJob";

private:
    std::array<QLineEdit*, fieldCount + 1> fields_{};  // by window number; 0 unused
    std::map<Label, QLabel*> labels_;
    bool deferredPainting_ = false;

    void paint(QWidget* box) const;
};

}  // namespace kestrane
