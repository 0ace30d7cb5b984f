#include "presentation/qt_window_fields.h"

#include <stdexcept>

#include <QLabel>
#include <QLineEdit>

namespace kestrane {

QtWindowFields::QtWindowFields(QWidget& window)
{
    for (int n = 1; n <= fieldCount; ++n) {
        fields_[n] = window.findChild<QLineEdit*>(QStringLiteral("Text%1").arg(n));
        if (!fields_[n]) throw std::logic_error("the window has no field Text" + std::to_string(n));
    }
    for (Label label : changeableLabels) {
        labels_[label] = window.findChild<QLabel*>(QStringLiteral("Label%1").arg(static_cast<int>(label)));
        if (!labels_[label]) throw std::logic_error("the window has no label Label" + std::to_string(label));
    }
}

void QtWindowFields::setText(Field field, const std::string& text)
{
    QLineEdit* box = fields_.at(field);
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
