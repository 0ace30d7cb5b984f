#include "presentation/client_area.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

#include "presentation/chain_schematic.h"
#include "presentation/fonts.h"

namespace kestrane {
namespace {

void paintBackground(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// A button drawn flat in its own colour, as the window's buttons are, not in
// the gradient the style would give it.
QString flatButtonStyle(const QColor& colour)
{
    return QStringLiteral("QPushButton { background-color: %1; border: 1px solid #7a7a7a; }"
                          "QPushButton:pressed { background-color: %2; }"
                          "QPushButton:focus { border: 1px solid #202020; }")
        .arg(colour.name(), colour.darker(115).name());
}

}  // namespace

ClientArea::ClientArea(QWidget* parent) : QWidget(parent), scale_(logicalDpiX())
{
    setObjectName(QStringLiteral("clientArea"));
    paintBackground(this, windowBackground);
    setFixedSize(scale_.px(clientWidthTwips), scale_.px(clientHeightTwips));
    for (const CaptionPlace& caption : schematicCaptions()) addCaption(caption);
    for (const CaptionPlace& caption : sectionCaptions()) addCaption(caption);
    addFields();
    addButtons();
}

QPushButton* ClientArea::button(int number) const
{
    return findChild<QPushButton*>(QStringLiteral("Command%1").arg(number));
}

QRect ClientArea::schematicStrip() const
{
    return QRect(0, 0, width(), scale_.px(panelTopTwips));
}

QLabel* ClientArea::addCaption(const CaptionPlace& place)
{
    auto* label = new QLabel(QString::fromUtf8(place.text), this);
    if (place.objectName) label->setObjectName(QString::fromUtf8(place.objectName));
    label->setFont(captionFont(place.font));
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    paintBackground(label, windowBackground);

    // A caption of the drawing is as wide as its text, so that it hides no
    // more of the lines than the text itself covers.
    QRect box = scale_.rect(place.left, place.top, place.width, captionHeightTwips);
    if (place.width == 0) box.setWidth(label->sizeHint().width());
    label->setGeometry(box);
    return label;
}

void ClientArea::addFields()
{
    for (const FieldPlace& place : fieldPlaces()) {
        auto* field = new QLineEdit(this);
        field->setObjectName(QString::fromStdString(windowId(place.field)));
        field->setReadOnly(true);
        field->setFont(songFont(9));
        // The fields cannot grow: the style's inner padding goes, so that a
        // figure such as " -245.89 毫米" shows whole in 1215 twips.
        field->setStyleSheet(QStringLiteral("QLineEdit { padding: 0px; }"));
        field->setTextMargins(0, 0, 0, 0);
        field->setGeometry(scale_.rect(place.left, place.top, place.width, fieldHeightTwips));

        addCaption(place.caption)->setBuddy(field);
        if (place.heading.text) addCaption(place.heading);
    }
}

void ClientArea::addButtons()
{
    for (const ButtonPlace& place : buttonPlaces()) {
        auto* button = new QPushButton(QString::fromUtf8(place.caption), this);
        button->setObjectName(QString::fromUtf8(place.objectName));
        button->setFont(songFont(9));
        button->setStyleSheet(flatButtonStyle(place.background));
        button->setGeometry(scale_.rect(place.left, buttonTopTwips, buttonWidthTwips, buttonHeightTwips));
    }
}

void ClientArea::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paintChainSchematic(painter, scale_);
    paintPanelFrame(painter, scale_);
}

}  // namespace kestrane
