// The client area of the window Form1, below its menu bar: the schematic of
// the chain, the framed panel of display fields with their captions, and the
// three buttons, each at its place in twips.
#pragma once

#include <QWidget>

#include "presentation/window_layout.h"

class QLabel;
class QPushButton;

namespace kestrane {

class ClientArea : public QWidget {
    Q_OBJECT

public:
    explicit ClientArea(QWidget* parent = nullptr);

    const TwipScale& scale() const { return scale_; }

    // Command1 .. Command3.
    QPushButton* button(int number) const;

    // The strip of the schematic, above the panel, in the area's pixels:
    // where the input box opens so that it covers no field.
    QRect schematicStrip() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QLabel* addCaption(const CaptionPlace& place);
    void addFields();
    void addButtons();

    TwipScale scale_;
};

}  // namespace kestrane
