#include "input_box_driver.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "presentation/qt_input_box.h"

namespace kestrane::guitest {
namespace {

// Set on a dialog once it has been answered: a dialog on the stack may be
// born at the address of the one before it, so identity is not enough.
constexpr const char* answeredMark = "kestraneDriverAnswered";

// How long (in ticks) to wait for the dialog to take the keyboard focus
// before typing into it regardless.
constexpr int focusPatienceTicks = 100;

std::string utf8(const QString& text)
{
    return text.toStdString();
}

QPushButton* buttonCaptioned(QMessageBox* box, const char* caption)
{
    for (QAbstractButton* button : box->buttons())
        if (button->text() == QString::fromUtf8(caption)) return qobject_cast<QPushButton*>(button);
    return nullptr;
}

// Types text as a surveyor would: Latin characters key by key, Chinese ones
// committed by the input method, a run of them at a time.
void typeInto(QLineEdit* entry, const QString& text)
{
    QString composed;
    auto commit = [&] {
        if (composed.isEmpty()) return;
        QInputMethodEvent event;
        event.setCommitString(composed);
        QApplication::sendEvent(entry, &event);
        composed.clear();
    };
    for (const QChar c : text) {
        if (c.unicode() >= 0x20 && c.unicode() < 0x7f) {
            commit();
            QTest::keyClick(entry, static_cast<char>(c.unicode()));
        } else {
            composed += c;
        }
    }
    commit();
}

// The prompt shows whole when its label is visible inside the dialog and has
// at least the size the label itself needs for its text at its width.
bool promptShownWhole(QInputDialog* dialog)
{
    const QString prompt = dialog->labelText();
    for (QLabel* label : dialog->findChildren<QLabel*>()) {
        if (label->text() != prompt) continue;
        if (!label->isVisible()) return false;
        const QRect inDialog(label->mapTo(dialog, QPoint(0, 0)), label->size());
        if (!dialog->rect().contains(inDialog)) return false;
        if (label->wordWrap()) return label->height() >= label->heightForWidth(label->width());
        return label->width() >= label->sizeHint().width() && label->height() >= label->sizeHint().height();
    }
    return false;
}

}  // namespace

InputBoxDriver::InputBoxDriver(std::vector<std::string> answers)
    : answers_(answers.begin(), answers.end())
{
    connect(&timer_, &QTimer::timeout, this, &InputBoxDriver::poll);
    timer_.start(10);
}

InputBoxDriver::~InputBoxDriver() = default;

std::vector<AskSeen> InputBoxDriver::asks() const
{
    std::vector<AskSeen> result;
    for (const DialogSeen& dialog : seen_)
        if (dialog.kind == DialogSeen::Kind::ask) result.push_back(dialog.ask);
    return result;
}

std::vector<WarningSeen> InputBoxDriver::warnings() const
{
    std::vector<WarningSeen> result;
    for (const DialogSeen& dialog : seen_)
        if (dialog.kind == DialogSeen::Kind::warning) result.push_back(dialog.warning);
    return result;
}

void InputBoxDriver::poll()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible() || modal->property(answeredMark).toBool()) {
        ticksWaiting_ = 0;
        return;
    }
    auto* inputBox = qobject_cast<QInputDialog*>(modal);
    auto* warning = qobject_cast<QMessageBox*>(modal);
    if (!inputBox && !warning) return;
    if (!readyForInput(modal)) return;

    modal->setProperty(answeredMark, true);
    ticksWaiting_ = 0;
    if (ranOut_) {
        windDown(modal);
    } else if (inputBox) {
        answerInputBox(inputBox);
    } else {
        answerWarning(warning);
    }
}

// A dialog is ready once it is the active window with the focus inside it;
// a platform that never activates it gets the answer after a while anyway.
bool InputBoxDriver::readyForInput(QWidget* dialog)
{
    QWidget* focus = QApplication::focusWidget();
    if (dialog->isActiveWindow() && focus && dialog->isAncestorOf(focus)) return true;
    if (++ticksWaiting_ == focusPatienceTicks / 2) dialog->activateWindow();
    return ticksWaiting_ >= focusPatienceTicks;
}

void InputBoxDriver::answerInputBox(QInputDialog* dialog)
{
    auto* entry = dialog->findChild<QLineEdit*>();
    AskSeen ask;
    ask.prompt = utf8(dialog->labelText());
    ask.title = utf8(dialog->windowTitle());
    ask.fieldEmptyAtOpen = entry && entry->text().isEmpty();
    ask.promptShownWhole = promptShownWhole(dialog);
    ask.frame = dialog->frameGeometry();
    ask.field = dialog->property(QtInputBox::concernedFieldProperty).toInt();
    if (ask.field > 0 && dialog->parentWidget()) {
        const QWidget* field =
            dialog->parentWidget()->window()->findChild<QWidget*>(QStringLiteral("Text%1").arg(ask.field));
        if (field) ask.fieldRect = QRect(field->mapToGlobal(QPoint(0, 0)), field->size());
    }
    if (const auto* line = dialog->findChild<QLabel*>(QString::fromUtf8(QtInputBox::valueLineName)))
        ask.valueLine = utf8(line->text());

    if (look_) look_(dialog);
    if (answers_.empty() && held_) {
        held_();
        return;
    }
    if (answers_.empty()) {
        ranOut_ = true;
        unansweredPrompt_ = ask.prompt;
        windDown(dialog);
        return;
    }
    std::string answer = answers_.front();
    answers_.pop_front();

    if (answer == "@abort") {
        problems_.push_back("@abort at the input box \"" + ask.prompt + "\"");
        ranOut_ = true;
        windDown(dialog);
        return;
    }
    if (answer == "@cancel") {
        ask.cancel = true;
        seen_.push_back({DialogSeen::Kind::ask, ask, {}});
        QTest::keyClick(entry ? static_cast<QWidget*>(entry) : dialog, Qt::Key_Escape);
        if (dialog->isVisible()) {
            problems_.push_back("Esc did not close the input box \"" + ask.prompt + "\"");
            dialog->reject();
        }
        return;
    }
    if (answer.rfind("@@", 0) == 0) answer.erase(0, 1);

    ask.answer = answer;
    seen_.push_back({DialogSeen::Kind::ask, ask, {}});
    const QString text = QString::fromStdString(answer);
    if (entry) {
        typeInto(entry, text);
        if (entry->text() != text)
            problems_.push_back("typed \"" + answer + "\" but the box shows \"" + utf8(entry->text()) + "\"");
        QTest::keyClick(entry, Qt::Key_Return);
    }
    if (dialog->isVisible()) {
        problems_.push_back("Enter did not close the input box \"" + ask.prompt + "\"");
        dialog->setTextValue(text);
        dialog->accept();
    }
}

void InputBoxDriver::answerWarning(QMessageBox* box)
{
    QPushButton* abandon = buttonCaptioned(box, abandonJobCaption);
    QPushButton* goOn = buttonCaptioned(box, abandon ? continueInputCaption : acknowledgeCaption);

    WarningSeen warning;
    warning.message = utf8(box->text());
    warning.canAbandon = abandon != nullptr;

    if (!answers_.empty() && answers_.front() == "@abort") {
        answers_.pop_front();
        if (abandon) {
            warning.abandoned = true;
        } else {
            problems_.push_back("@abort at a warning that does not offer abandoning: \"" + warning.message + "\"");
        }
    }
    seen_.push_back({DialogSeen::Kind::warning, {}, warning});

    QPushButton* choice = warning.abandoned ? abandon : goOn;
    if (choice) {
        choice->click();
    } else {
        problems_.push_back("a warning without the expected buttons: \"" + warning.message + "\"");
        box->reject();
    }
}

void InputBoxDriver::windDown(QWidget* dialog)
{
    if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
        QPushButton* abandon = buttonCaptioned(box, abandonJobCaption);
        QPushButton* only = buttonCaptioned(box, acknowledgeCaption);
        if (abandon) abandon->click();
        else if (only) only->click();
        else box->reject();
        return;
    }
    if (auto* inputBox = qobject_cast<QInputDialog*>(dialog)) inputBox->reject();
}

}  // namespace kestrane::guitest
