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

ClientArea::ClientArea(QWidget* parent) : QWidget(parent), naturalDpi_(logicalDpiX()), scale_(naturalDpi_)
{
    setObjectName(QStringLiteral("clientArea"));
    paintBackground(this, windowBackground);
    for (const CaptionPlace& caption : schematicCaptions()) addCaption(caption);
    for (const CaptionPlace& caption : sectionCaptions()) addCaption(caption);
    addFields();
    addButtons();
    layOut();
}

QSize ClientArea::naturalSize() const
{
    const TwipScale natural(naturalDpi_);
    return {natural.px(clientWidthTwips), natural.px(clientHeightTwips)};
}

void ClientArea::setZoom(double zoom)
{
    if (zoom <= 0 || zoom == zoom_) return;
    zoom_ = zoom;
    scale_ = TwipScale(naturalDpi_ * zoom_);
    layOut();
    update();
}

void ClientArea::place(QWidget* widget, const QRect& twips, const QFont& font)
{
    placed_.push_back({widget, twips, font});
}

void ClientArea::layOut()
{
    setFixedSize(scale_.px(clientWidthTwips), scale_.px(clientHeightTwips));
    for (const Placed& placed : placed_) {
        if (!placed.widget) continue;
        QFont font = placed.font;
        font.setPointSizeF(placed.font.pointSizeF() * zoom_);
        placed.widget->setFont(font);
        const QRect& t = placed.twips;
        QRect box = scale_.rect(t.x(), t.y(), t.width(), t.height());
        // A caption of the drawing is as wide as its text, so that it hides
        // no more of the lines than the text itself covers.
        if (t.width() == 0) box.setWidth(placed.widget->sizeHint().width());
        placed.widget->setGeometry(box);
    }
}

QWidget* ClientArea::field(Field field) const
{
    return findChild<QWidget*>(QString::fromStdString(windowId(field)), Qt::FindDirectChildrenOnly);
}

QString ClientArea::fieldCaption(Field field) const
{
    QString caption;
    for (const FieldPlace& place : fieldPlaces()) {
        if (place.field != field) continue;
        // The changeable captions are read from their labels: they name the
        // triangle, the side or the point being entered.
        QString beside = QString::fromUtf8(place.caption.text);
        if (place.caption.objectName) {
            if (const auto* label = findChild<QLabel*>(QString::fromUtf8(place.caption.objectName)))
                beside = label->text();
        }
        if (place.heading.text) caption = QString::fromUtf8(place.heading.text).simplified() + QLatin1Char(' ');
        caption += beside.simplified();
    }
    return caption.trimmed();
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
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    paintBackground(label, windowBackground);
    this->place(label, QRect(place.left, place.top, place.width, captionHeightTwips), captionFont(place.font));
    return label;
}

void ClientArea::addFields()
{
    for (const FieldPlace& place : fieldPlaces()) {
        auto* field = new QLineEdit(this);
        field->setObjectName(QString::fromStdString(windowId(place.field)));
        field->setReadOnly(true);
        // The fields cannot grow: the style's inner padding goes, so that a
        // figure such as " -245.89 毫米" shows whole in 1215 twips.
        field->setStyleSheet(QStringLiteral("QLineEdit { padding: 0px; }"));
        field->setTextMargins(0, 0, 0, 0);
        this->place(field, QRect(place.left, place.top, place.width, fieldHeightTwips), songFont(9));

        addCaption(place.caption)->setBuddy(field);
        if (place.heading.text) addCaption(place.heading);
    }
}

void ClientArea::addButtons()
{
    for (const ButtonPlace& place : buttonPlaces()) {
        auto* button = new QPushButton(QString::fromUtf8(place.caption), this);
        button->setObjectName(QString::fromUtf8(place.objectName));
        button->setStyleSheet(flatButtonStyle(place.background));
        this->place(button, QRect(place.left, buttonTopTwips, buttonWidthTwips, buttonHeightTwips), songFont(9));
    }
}

void ClientArea::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paintChainSchematic(painter, scale_);
    paintPanelFrame(painter, scale_);
}

}  // namespace kestrane
