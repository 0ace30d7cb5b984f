// The window Form1: the schematic of the chain, the display panel that a job
// fills as it runs, and the three buttons. It owns the job record for the
// life of the program.
#pragma once

#include <memory>

#include <QWidget>

#include "chain/chain_survey.h"
#include "presentation/window_layout.h"

class QLabel;

namespace kestrane {

class QtInputBox;
class QtWindowFields;

class MainWindow : public QWidget {
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    const ChainSurvey& job() const { return job_; }

public slots:
    // Command1: one whole job, on this thread, through modal prompts.
    void runDataInput();
    // Command2: ends the program at once, asking nothing.
    void exitProgram();
    // Command3.
    void printReport();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QLabel* addCaption(const CaptionPlace& place);
    void addFields();
    void addButtons();

    TwipScale scale_;
    ChainSurvey job_;
    std::unique_ptr<QtInputBox> inputBox_;
    std::unique_ptr<QtWindowFields> fields_;
};

}  // namespace kestrane
