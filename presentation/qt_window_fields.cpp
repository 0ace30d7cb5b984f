#include "presentation/qt_window_fields.h"

#include <stdexcept>

#include <QLabel>
#include <QLineEdit>

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

void QtWindowFields::setText(Field field, const std::string& text)
{
    QLineEdit* box = fields_.at(windowNumber(field));
    box->setText(QString::fromStdString(text));
    // A long field shows the start of its text, as it did when it was empty.
    box->setCursorPosition(0);
    box->repaint();
}

void QtWindowFields::setCaption(Label label, const std::string& caption)
{
    QLabel* box = labels_.at(label);
    box->setText(QString::fromStdString(caption));
    box->repaint();
}

}  // namespace kestrane
