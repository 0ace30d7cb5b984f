#include "presentation/qt_window_fields.h"

#include <stdexcept>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

namespace kestrane {

QtWindowFields::QtWindowFields(QWidget& window)
{
    for (int number = 1; number <= fieldCount; ++number) {
        const std::string id = windowId(fieldNumbered(number));
        fields_[number] = window.findChild<QLineEdit*>(QString::fromStdString(id));
        if (!fields_[number]) throw std::logic_error("the window has no field " + id);
    }
    for (const Label label : changeableLabels) {
        const std::string id = windowId(label);
        labels_[label] = window.findChild<QLabel*>(QString::fromStdString(id));
        if (!labels_[label]) throw std::logic_error("the window has no label " + id);
    }
}

namespace {

// The grey of a text left from an earlier job.
const QColor earlierJobText(140, 140, 140);

void setTextColour(QLineEdit* box, const QColor& colour)
{
    QPalette palette = box->palette();
    palette.setColor(QPalette::Text, colour);
    box->setPalette(palette);
}

bool fitsWhole(const QLineEdit* box, const QString& text)
{
    const QMargins margins = box->textMargins();
    QStyleOptionFrame option;
    option.initFrom(box);
    const QRect contents = box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box);
    return box->fontMetrics().horizontalAdvance(text) <= contents.width() - margins.left() - margins.right();
}

}  // namespace

void QtWindowFields::setText(Field field, const std::string& text)
{
    QLineEdit* box = fields_.at(windowNumber(field));
    const QString shown = QString::fromStdString(text);
    box->setText(shown);
    // A long field shows the start of its text, as it did when it was empty.
    box->setCursorPosition(0);
    const bool wholeName = field == Field::pointName;
    // The tooltip gives the text without the blank every field text starts with.
    const QString whole = shown.startsWith(QLatin1Char(' ')) ? shown.mid(1) : shown;
    box->setToolTip(wholeName || !fitsWhole(box, shown) ? whole : QString());
    if (box->property(earlierJobMark).toBool()) {
        box->setProperty(earlierJobMark, false);
        setTextColour(box, QApplication::palette(box).color(QPalette::Text));
    }
    paint(box);
}

void QtWindowFields::paint(QWidget* box) const
{
    if (deferredPainting_) box->update();
    else box->repaint();
}

void QtWindowFields::setDeferredPainting(bool deferred)
{
    if (deferredPainting_ == deferred) return;
    deferredPainting_ = deferred;
    if (deferred) return;
    for (int number = 1; number <= fieldCount; ++number) fields_[number]->repaint();
    for (const auto& [label, caption] : labels_) caption->repaint();
}

void QtWindowFields::markEarlierJob()
{
    for (int number = 1; number <= fieldCount; ++number) {
        QLineEdit* box = fields_[number];
        if (box->text().isEmpty()) continue;
        box->setProperty(earlierJobMark, true);
        setTextColour(box, earlierJobText);
        box->repaint();
    }
}

void QtWindowFields::setCaption(Label label, const std::string& caption)
{
    QLabel* box = labels_.at(label);
    box->setText(QString::fromStdString(caption));
    paint(box);
}

}  // namespace kestrane
