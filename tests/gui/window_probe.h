// Finding the window's controls by the names and captions a surveyor sees.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QPushButton>
#include <QString>
#include <QWidget>

namespace kestrane::guitest {

inline QLineEdit* textField(const QWidget& window, int number)
{
    return window.findChild<QLineEdit*>(QStringLiteral("Text%1").arg(number));
}

inline QString fieldText(const QWidget& window, int number)
{
    const QLineEdit* field = textField(window, number);
    return field ? field->text() : QStringLiteral("<no field Text%1>").arg(number);
}

inline QLabel* namedLabel(const QWidget& window, int number)
{
    return window.findChild<QLabel*>(QStringLiteral("Label%1").arg(number));
}

inline QPushButton* commandButton(const QWidget& window, int number)
{
    return window.findChild<QPushButton*>(QStringLiteral("Command%1").arg(number));
}

// The window's own labels with exactly this caption.
inline QList<QLabel*> labelsCaptioned(const QWidget& window, const QString& caption)
{
    QList<QLabel*> found;
    for (QLabel* label : window.findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
        if (label->text() == caption) found.append(label);
    return found;
}

}  // namespace kestrane::guitest
