#include "presentation/qt_input_box.h"

#include <algorithm>

#include <QGuiApplication>
#include <QBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

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

// The line under the prompt: a label of its own, placed between the prompt
// and the entry field, so that the prompt's label keeps the prompt's text.
void addValueLine(QInputDialog& dialog, const QString& line)
{
    auto* layout = qobject_cast<QBoxLayout*>(dialog.layout());
    auto* prompt = dialog.findChild<QLabel*>();
    if (!layout || !prompt) return;
    // Close set, so that the box with its extra line still fits over the
    // schematic at 150 %.
    layout->setContentsMargins(8, 6, 8, 6);
    layout->setSpacing(4);
    if (line.isEmpty()) return;
    auto* value = new QLabel(line, &dialog);
    value->setObjectName(QString::fromUtf8(QtInputBox::valueLineName));
    value->setTextFormat(Qt::PlainText);
    value->setWordWrap(true);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    const int at = layout->indexOf(prompt);
    layout->insertWidget(at < 0 ? 0 : at + 1, value);
}

}  // namespace

QRect QtInputBox::concernedField() const
{
    if (!area_ || !field_) return {};
    const QWidget* box = area_->field(*field_);
    if (!box || !box->isVisible()) return {};
    return QRect(box->mapToGlobal(QPoint(0, 0)), box->size());
}

QString QtInputBox::concernedValueLine() const
{
    if (!area_ || !field_) return {};
    const auto* box = qobject_cast<const QLineEdit*>(area_->field(*field_));
    if (!box) return {};
    const QString caption = area_->fieldCaption(*field_);
    // While the value is being typed the field holds no value of it yet
    // (or the one before it, or an earlier job's).
    const QString value = valueShown_ ? box->text().trimmed() : QString();
    return value.isEmpty() ? caption + QStringLiteral(":") : caption + QStringLiteral(":") + value;
}

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
    addValueLine(dialog, concernedValueLine());
    dialog.setProperty(concernedFieldProperty, field_ ? windowNumber(*field_) : 0);
    place(dialog);
    ++boxesOpened_;
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
    // A frame of a few pixels that the window manager adds around the
    // dialog, and its title bar above it; the offscreen platform of the
    // tests and screenshots draws neither.
    constexpr int frame = 8;
    const bool framed = QGuiApplication::platformName() != QLatin1String("offscreen");
    const int titleBar = framed ? dialog.style()->pixelMetric(QStyle::PM_TitleBarHeight) : 0;

    QPoint at = stripTopLeft + QPoint(frame, frame);
    if (size.height() + 2 * frame + titleBar > strip.height()) {
        // Taller than the schematic: beside the window if the screen has room.
        const QWidget* window = area_->window();
        const QRect outer = window->frameGeometry();
        if (outer.right() + size.width() + 2 * frame <= available.right())
            at = QPoint(outer.right() + frame, outer.top());
        else if (outer.left() - size.width() - 2 * frame >= available.left())
            at = QPoint(outer.left() - size.width() - frame, outer.top());
    }
    const auto clamped = [&](QPoint point) {
        point.setX(std::clamp(point.x(), available.left(), std::max(available.left(), available.right() - size.width())));
        point.setY(std::clamp(point.y(), available.top(), std::max(available.top(), available.bottom() - size.height())));
        return point;
    };
    at = clamped(at);

    // The dialog as the window manager frames it, placed at point.
    const QRect field = concernedField();
    const auto covers = [&](QPoint point) {
        const QRect outer(point - QPoint(frame, frame), size + QSize(3 * frame, 3 * frame + titleBar));
        return !field.isEmpty() && outer.intersects(field);
    };
    if (covers(at)) {
        // Off the field: above it, below it, then to its right or left, the
        // first of these that the screen holds.
        const QPoint candidates[] = {
            {at.x(), field.top() - size.height() - 2 * frame - titleBar},
            {at.x(), field.bottom() + 2 * frame},
            {field.right() + 2 * frame, at.y()},
            {field.left() - size.width() - 2 * frame, at.y()},
            {available.left(), available.top()},
            {available.right() - size.width(), available.bottom() - size.height()},
        };
        for (const QPoint& candidate : candidates) {
            const QPoint moved = clamped(candidate);
            if (!covers(moved)) {
                at = moved;
                break;
            }
        }
    }
    dialog.move(at);
}

bool QtInputBox::warn(const std::string& message, bool canAbandon)
{
    ++boxesOpened_;
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
