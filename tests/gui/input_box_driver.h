// Answers the window's modal input boxes and warnings from a queue, the way a
// surveyor at the keyboard would, and records what each dialog showed.
//
// Answers use the notation of the replay transcripts:
//   plain text  type it into the input box and press Enter ("" presses Enter on
//               the empty field); "@@text" types "@text"
//   @cancel     press Cancel (Esc) in the input box
//   @abort      at a warning that offers to abandon the job, abandon it
// At a warning, a next answer other than @abort stays in the queue and the
// warning is acknowledged with its continue (or only) button.
//
// A repeating 10 ms timer looks for the active modal dialog. Create the driver
// before the call that opens the first dialog (a button click, a job); the
// dialogs are answered from inside their own event loops. A driver answers
// every dialog that opens while it lives: keep one alive at a time.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include <QObject>
#include <QRect>
#include <QTimer>

class QInputDialog;
class QMessageBox;

namespace kestrane::guitest {

struct AskSeen {
    std::string prompt;
    std::string title;            // "" when the box has no title
    bool fieldEmptyAtOpen = false;
    bool promptShownWhole = false; // the prompt label shows all its text
    std::string answer;           // "" on Cancel
    bool cancel = false;
    QRect frame;                  // where the box stood on the screen
    int field = 0;                // window number of the field it asked about; 0: none
    QRect fieldRect;              // where that field stood on the screen
    std::string valueLine;        // the line under the prompt; "" when none
};

struct WarningSeen {
    std::string message;
    bool canAbandon = false;      // the box offered "放弃本次计算"
    bool abandoned = false;
};

struct DialogSeen {
    enum class Kind { ask, warning } kind;
    AskSeen ask;        // when kind == ask
    WarningSeen warning; // when kind == warning
};

class InputBoxDriver : public QObject {
    Q_OBJECT

public:
    explicit InputBoxDriver(std::vector<std::string> answers);
    ~InputBoxDriver() override;

    // Every dialog answered, in order.
    const std::vector<DialogSeen>& seen() const { return seen_; }
    std::vector<AskSeen> asks() const;
    std::vector<WarningSeen> warnings() const;

    // Answers not used.
    std::size_t remaining() const { return answers_.size(); }

    // When the answers run out at an input box, leave it open and call held
    // instead of winding the job down: a surveyor who stopped typing there.
    void holdWhenOut(std::function<void()> held) { held_ = std::move(held); }

    // Called with every input box once it is ready for input, before it is
    // answered: a look at the box as the surveyor sees it.
    void beforeAnswer(std::function<void(QInputDialog*)> look) { look_ = std::move(look); }

    // An input box opened when no answer was left. From then on the driver
    // winds the job down (Cancel, abandon, acknowledge) and records nothing.
    bool ranOut() const { return ranOut_; }
    const std::string& unansweredPrompt() const { return unansweredPrompt_; }

    // Answers that could not be applied where they stood (@abort at an input
    // box or at a warning that does not offer abandoning), and keys that did
    // not do their work (Enter or Esc leaving the input box open).
    const std::vector<std::string>& problems() const { return problems_; }

private:
    void poll();
    bool readyForInput(QWidget* dialog);
    void answerInputBox(QInputDialog* dialog);
    void answerWarning(QMessageBox* box);
    void windDown(QWidget* dialog);

    std::deque<std::string> answers_;
    std::vector<DialogSeen> seen_;
    std::vector<std::string> problems_;
    bool ranOut_ = false;
    std::string unansweredPrompt_;
    QTimer timer_;
    int ticksWaiting_ = 0;
    std::function<void()> held_;
    std::function<void(QInputDialog*)> look_;
};

}  // namespace kestrane::guitest
