#include "presentation/main_window.h"

#include <algorithm>

#include <QApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <QPageSize>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QStyle>

#include "chain/version.h"
#include "job/data_input_job.h"
#include "presentation/analysis_window.h"
#include "presentation/client_area.h"
#include "presentation/export_actions.h"
#include "presentation/job_editor_actions.h"
#include "presentation/job_file_actions.h"
#include "presentation/print_dialog.h"
#include "presentation/qt_input_box.h"
#include "presentation/qt_window_fields.h"
#include "presentation/report_painter.h"
#include "job/print_texts.h"
#include "report/report.h"

namespace kestrane {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Kestrane"));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, windowBackground);
    setPalette(palette);

    client_ = new ClientArea;
    // The client area keeps its size in twips; on a screen too small for it
    // the window shows it in a scrolling view, so that the buttons can
    // always be reached.
    scrollArea_ = new QScrollArea;
    scrollArea_->setObjectName(QStringLiteral("clientView"));
    scrollArea_->setFrameShape(QFrame::NoFrame);
    scrollArea_->setWidget(client_);
    scrollArea_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setCentralWidget(scrollArea_);
    addMenus();
    addExportMenu(*this);

    connect(client_->button(1), &QPushButton::clicked, this, &MainWindow::runDataInput);
    connect(client_->button(2), &QPushButton::clicked, this, &MainWindow::exitProgram);
    connect(client_->button(3), &QPushButton::clicked, this, &MainWindow::printReport);

    inputBox_ = std::make_unique<QtInputBox>(this);
    inputBox_->openOver(client_);
    fields_ = std::make_unique<QtWindowFields>(*client_);
    jobFiles_ = new JobFileActions(*this);
    jobEditors_ = new JobEditorActions(*this);
    fitToScreen();
}

MainWindow::~MainWindow() = default;

void MainWindow::addMenus()
{
    fileMenu_ = menuBar()->addMenu(QStringLiteral("文件(&F)"));
    fileMenu_->setObjectName(QStringLiteral("fileMenu"));
    QAction* print = fileMenu_->addAction(QStringLiteral("打印(&P)…"), this, &MainWindow::printReport);
    print->setShortcut(QKeySequence::Print);
    print->setObjectName(QStringLiteral("printAction"));
    fileMenu_->addSeparator();
    QAction* quit = fileMenu_->addAction(QStringLiteral("退出(&X)"), this, &MainWindow::exitProgram);
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    quit->setObjectName(QStringLiteral("quitAction"));

    QMenu* analysisMenu = menuBar()->addMenu(QStringLiteral("分析(&A)"));
    analysisMenu->setObjectName(QStringLiteral("analysisMenu"));
    QAction* analyse = analysisMenu->addAction(QStringLiteral("平差分析(&Q)…"), this, &MainWindow::showAnalysis);
    analyse->setObjectName(QStringLiteral("analysisAction"));
    // The analysis is of the last job that ran to its end: there is none before.
    analyse->setEnabled(false);
    connect(this, &MainWindow::jobEnded, analyse, [this, analyse] { analyse->setEnabled(hasCompleteJob()); });

    QMenu* helpMenu = menuBar()->addMenu(QStringLiteral("帮助(&H)"));
    helpMenu->setObjectName(QStringLiteral("helpMenu"));
    QAction* about = helpMenu->addAction(QStringLiteral("关于 Kestrane(&A)"), this, &MainWindow::showAbout);
    about->setObjectName(QStringLiteral("aboutAction"));
}

void MainWindow::showAbout()
{
    QMessageBox::about(this, QStringLiteral("关于 Kestrane"),
                       QStringLiteral("Kestrane %1\n\n边角三角锁条件平差计算:闭合差、平差座标与精度评定。")
                           .arg(QString::fromUtf8(programVersion)));
}

void MainWindow::showAnalysis()
{
    const ChainSurvey* complete = lastComplete_.job();
    if (!complete) return;
    // The grade goes with the job: chosen in the analysis, it is saved with it.
    if (AnalysisWindow* window = showAnalysisWindow(this, *complete, jobFiles_->grade()))
        connect(window, &AnalysisWindow::gradeChosen, this,
                [this](const std::optional<Grade>& grade) { jobFiles_->setGrade(grade); });
}

void MainWindow::fitToScreen()
{
    // The window at its logical size: the client area under the menu bar and
    // above the status bar.
    const QSize wanted(client_->width(),
                       client_->height() + menuBar()->sizeHint().height() + statusBar()->sizeHint().height());
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    QSize size = wanted;
    if (screen) {
        // Leave room for the window's frame and title bar.
        const QSize available = screen->availableGeometry().size() - QSize(16, 48);
        if (size.width() > available.width() || size.height() > available.height()) {
            const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
            size = QSize(std::min(available.width(), wanted.width() + scrollBar),
                         std::min(available.height(), wanted.height() + scrollBar));
        }
    }
    resize(size);
}

void MainWindow::runDataInput()
{
    jobFiles_->runTypedJob();
}

void MainWindow::runJob(const JobRun& run)
{
    // An abandoned job leaves the window as the surveyor last saw it; a
    // stopped one has already said why. Either leaves the record part
    // refilled; what prints is the last job that ran to its end.
    fields_->markEarlierJob();
    lastComplete_.jobEnded(job_, run(job_, *inputBox_, *fields_));
    emit jobEnded();
}

void MainWindow::exitProgram()
{
    // A job editor with changes not yet saved may keep the window open.
    if (close()) QCoreApplication::quit();
}

void MainWindow::printReport()
{
    const ChainSurvey* job = jobToPrint(lastComplete_, *inputBox_);
    if (!job) return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(QStringLiteral("Kestrane"));
    const std::vector<ReportLine> lines = buildReport(*job);
    if (choosePrinter(printer, this, [&lines](QPrinter* target) { paintReport(*target, lines); }) == PrintChoice::print)
        printReportTo(printer);
}

bool MainWindow::printReportTo(QPrinter& printer)
{
    if (!hasCompleteJob()) {
        refusePrint();
        return false;
    }
    if (!paintReport(printer, buildReport(*lastComplete_.job()))) {
        inputBox_->warn(print_texts::failure, false);
        return false;
    }
    return true;
}

void MainWindow::refusePrint()
{
    inputBox_->warn(print_texts::refusal, false);
}

}  // namespace kestrane
