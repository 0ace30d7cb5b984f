// The client area of the window Form1, below its menu bar: the schematic of
// the chain, the framed panel of display fields with their captions, and the
// three buttons, each at its place in twips.
#pragma once

#include <vector>

#include <QFont>
#include <QPointer>
#include <QWidget>

#include "presentation/window_layout.h"

class QLabel;
class QPushButton;

namespace kestrane {

class ClientArea : public QWidget {
    Q_OBJECT

public:
    explicit ClientArea(QWidget* parent = nullptr);

    // Twips to pixels at the area's present zoom.
    const TwipScale& scale() const { return scale_; }

    // The area drawn at zoom times its natural size (the twips at the
    // screen's logical resolution), 1 by default: every control, caption,
    // font and line of the drawing alike, so that the whole window fits a
    // screen that is smaller than it.
    void setZoom(double zoom);
    double zoom() const { return zoom_; }

    // The area's size in pixels at zoom 1.
    QSize naturalSize() const;

    // Command1 .. Command3.
    QPushButton* button(int number) const;

    // The strip of the schematic, above the panel, in the area's pixels:
    // where the input box opens so that it covers no field.
    QRect schematicStrip() const;

    // The field that shows a value, and what the surveyor reads beside it:
    // the heading over its column and its caption as they stand now
    // ("求距角 A(3)", "A 点纵座标").
    QWidget* field(Field field) const;
    QString fieldCaption(Field field) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QLabel* addCaption(const CaptionPlace& place);
    void addFields();
    void addButtons();
    // A control at its place in twips, in font at zoom 1; a caption of
    // width 0 is as wide as its text.
    void place(QWidget* widget, const QRect& twips, const QFont& font);
    void layOut();

    struct Placed {
        QPointer<QWidget> widget;
        QRect twips;
        QFont font;
    };

    double naturalDpi_;
    double zoom_ = 1;
    TwipScale scale_;
    std::vector<Placed> placed_;
};

}  // namespace kestrane
