#include "presentation/qt_input_box.h"

#include <algorithm>

#include <QGuiApplication>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include "presentation/client_area.h"
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
    place(dialog);
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.textValue().toStdString();
}

void QtInputBox::place(QWidget& dialog) const
{
    if (!area_) return;
    dialog.adjustSize();
    const QSize size = dialog.size();
    // The strip of the schematic that is on screen now (the client area may
    // be scrolled), in global coordinates.
    const QRect strip = area_->schematicStrip().intersected(area_->visibleRegion().boundingRect());
    const QPoint stripTopLeft = area_->mapToGlobal(strip.topLeft());
    const QScreen* screen = area_->screen();
    const QRect available = screen ? screen->availableGeometry() : QRect(stripTopLeft, size);
    // A frame of a few pixels that the window manager adds around the dialog.
    constexpr int frame = 8;

    QPoint at = stripTopLeft + QPoint(frame, frame);
    if (size.height() + 2 * frame > strip.height()) {
        // Taller than the schematic: beside the window if the screen has room.
        const QWidget* window = area_->window();
        const QRect outer = window->frameGeometry();
        if (outer.right() + size.width() + 2 * frame <= available.right())
            at = QPoint(outer.right() + frame, outer.top());
        else if (outer.left() - size.width() - 2 * frame >= available.left())
            at = QPoint(outer.left() - size.width() - frame, outer.top());
    }
    at.setX(std::clamp(at.x(), available.left(), std::max(available.left(), available.right() - size.width())));
    at.setY(std::clamp(at.y(), available.top(), std::max(available.top(), available.bottom() - size.height())));
    dialog.move(at);
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
