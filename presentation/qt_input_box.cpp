#include "presentation/qt_input_box.h"

#include <algorithm>

#include <QGuiApplication>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include "presentation/fonts.h"

namespace kestrane {
namespace {

// The dialogs speak the surveyor's language in the Song face at the size of
// body text, like the system dialogs of a Chinese desktop.
QFont dialogFont()
{
    return songFont(10.5, false);
}

// The widest a prompt may make the input box before its lines wrap: a
// comfortable line of Chinese text, and never more than most of the screen.
int widestPrompt(const QWidget* dialog)
{
    const QScreen* screen = dialog->screen() ? dialog->screen() : QGuiApplication::primaryScreen();
    const int available = screen ? screen->availableGeometry().width() : 1024;
    return std::min(640, std::max(240, available * 2 / 3));
}

// QInputDialog sizes its prompt label to the text's natural width and never
// wraps it; a long question would widen the box past the screen. Let the
// label wrap, and give it the width the text needs, up to widestPrompt.
void fitPrompt(QInputDialog& dialog)
{
    auto* label = dialog.findChild<QLabel*>();
    if (!label) return;
    label->setWordWrap(true);
    const int textWidth = label->fontMetrics().horizontalAdvance(label->text()) + 2 * label->margin() + 4;
    label->setMinimumWidth(std::min(textWidth, widestPrompt(&dialog)));
}

}  // namespace

std::string QtInputBox::ask(const std::string& prompt, const std::string& title)
{
    QInputDialog dialog(parent_);
    dialog.setFont(dialogFont());
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(QString::fromStdString(title));
    dialog.setLabelText(QString::fromStdString(prompt));
    dialog.setTextValue(QString());
    dialog.setOkButtonText(QStringLiteral("确定"));
    dialog.setCancelButtonText(QStringLiteral("取消"));
    fitPrompt(dialog);
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.textValue().toStdString();
}

bool QtInputBox::warn(const std::string& message, bool canAbandon)
{
    QMessageBox box(parent_);
    box.setFont(dialogFont());
    box.setIcon(QMessageBox::Warning);
    box.setWindowTitle(QStringLiteral("Kestrane"));
    box.setText(QString::fromStdString(message));
    if (!canAbandon) {
        QPushButton* ok = box.addButton(QString::fromUtf8(acknowledgeCaption), QMessageBox::AcceptRole);
        box.setDefaultButton(ok);
        box.setEscapeButton(ok);
        box.exec();
        return false;
    }
    QPushButton* goOn = box.addButton(QString::fromUtf8(continueInputCaption), QMessageBox::AcceptRole);
    QPushButton* abandon = box.addButton(QString::fromUtf8(abandonJobCaption), QMessageBox::RejectRole);
    box.setDefaultButton(goOn);
    box.setEscapeButton(goOn);
    box.exec();
    return box.clickedButton() == abandon;
}

}  // namespace kestrane
