// The window Form1: the schematic of the chain, the display panel that a job
// fills as it runs, and the three buttons. It owns the job record for the
// life of the program.
#pragma once

#include <memory>

#include <QWidget>

#include "chain/chain_survey.h"
#include "job/last_complete_job.h"
#include "presentation/window_layout.h"

class QLabel;
class QPrinter;

namespace kestrane {

class QtInputBox;
class QtWindowFields;

class MainWindow : public QWidget {
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    const ChainSurvey& job() const { return job_; }

    // Whether a job has run to its end since the program started. The last
    // such job is what the print button prints, kept as it ended: a later job
    // abandoned or stopped half way costs nothing.
    bool hasCompleteJob() const { return lastComplete_.job() != nullptr; }

    // What the print button does once a printer has been chosen: paints the
    // report of the last complete job on printer. Without one it shows the
    // refusal and prints nothing. False when nothing was printed.
    bool printReportTo(QPrinter& printer);

public slots:
    // Command1: one whole job, on this thread, through modal prompts.
    void runDataInput();
    // Command2: ends the program at once, asking nothing.
    void exitProgram();
    // Command3: the system's print dialog, with a print preview one click
    // away, then the report on the chosen printer.
    void printReport();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QLabel* addCaption(const CaptionPlace& place);
    void addFields();
    void addButtons();
    void refusePrint();
    void previewReport(QPrinter& printer, QWidget* parent);

    TwipScale scale_;
    ChainSurvey job_;
    LastCompleteJob lastComplete_;
    std::unique_ptr<QtInputBox> inputBox_;
    std::unique_ptr<QtWindowFields> fields_;
};

}  // namespace kestrane
