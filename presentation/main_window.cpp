#include "presentation/main_window.h"

#include <algorithm>

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPageSize>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QStyle>
#include <QWindow>

#include "chain/version.h"
#include "job/data_input_job.h"
#include "job/job_status.h"
#include "presentation/analysis_window.h"
#include "presentation/client_area.h"
#include "presentation/export_actions.h"
#include "presentation/fonts.h"
#include "presentation/program_icon.h"
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

    setWindowIcon(programIcon());
    client_ = new ClientArea;
    // The client area is drawn smaller on a screen too small for it; below a
    // legible size the window shows it in a scrolling view instead, so that
    // the buttons can always be reached.
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
    // The captions are Chinese and take no mnemonic letter without changing
    // their text: the keys are shortcuts, named in the buttons' tooltips.
    const QKeySequence keys[] = {QKeySequence(Qt::ALT | Qt::Key_D), QKeySequence(Qt::ALT | Qt::Key_X),
                                 QKeySequence(Qt::ALT | Qt::Key_P)};
    for (int number = 1; number <= 3; ++number) {
        QPushButton* button = client_->button(number);
        button->setShortcut(keys[number - 1]);
        button->setToolTip(button->text() + QStringLiteral(" (") + keys[number - 1].toString(QKeySequence::NativeText) +
                           QStringLiteral(")"));
    }

    status_ = new QLabel;
    status_->setObjectName(QStringLiteral("jobStatus"));
    status_->setFont(songFont(9, false));
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    statusBar()->addWidget(status_, 1);
    statusBar()->setSizeGripEnabled(false);

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
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QSize natural = client_->naturalSize();
    // The menu bar above the client area, the status line below it.
    const int chrome = menuBar()->sizeHint().height() + statusBar()->sizeHint().height();
    double zoom = 1;
    QSize available(natural.width(), natural.height() + chrome);
    if (screen) {
        // Leave room for the window's frame and title bar.
        available = screen->availableGeometry().size() - QSize(16, 48);
        zoom = std::min({1.0, double(available.width()) / natural.width(),
                         double(available.height() - chrome) / natural.height()});
    }
    // Legible on the screen's own pixels: at 150 % a device pixel is two
    // thirds of a logical one.
    const double devicePixelsPerTwip = client_->logicalDpiX() / 1440.0 * (screen ? screen->devicePixelRatio() : 1.0);
    const double legibleZoom = std::min(1.0, legiblePixelsPerTwip / devicePixelsPerTwip);
    zoom = std::max(zoom, legibleZoom);
    client_->setZoom(zoom);

    QSize size(client_->width(), client_->height() + chrome);
    if (size.width() > available.width() || size.height() > available.height()) {
        const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        size = QSize(std::min(available.width(), size.width() + scrollBar),
                     std::min(available.height(), size.height() + scrollBar));
    }
    resize(size);
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (followsScreen_ || !windowHandle()) return;
    followsScreen_ = true;
    const auto follow = [this](QScreen* screen) {
        if (!screen) return;
        connect(screen, &QScreen::availableGeometryChanged, this, &MainWindow::fitToScreen, Qt::UniqueConnection);
        fitToScreen();
    };
    connect(windowHandle(), &QWindow::screenChanged, this, follow);
    if (QScreen* screen = windowHandle()->screen())
        connect(screen, &QScreen::availableGeometryChanged, this, &MainWindow::fitToScreen, Qt::UniqueConnection);
}

void MainWindow::runDataInput()
{
    jobFiles_->runTypedJob();
}

void MainWindow::runJob(const JobRun& run, JobOrigin origin)
{
    // An abandoned job leaves the window as the surveyor last saw it; a
    // stopped one has already said why. Either leaves the record part
    // refilled; what prints is the last job that ran to its end.
    if (!origin.started.isValid()) origin.started = QDateTime::currentDateTime();
    fields_->markEarlierJob();
    const int boxesBefore = inputBox_->boxesOpened();
    const JobEnd end = run(job_, *inputBox_, *fields_);
    lastComplete_.jobEnded(job_, end);
    if (end == JobEnd::done) lastCompleteOrigin_ = origin;
    showJobEnd(end, origin, inputBox_->boxesOpened() != boxesBefore);
    emit jobEnded();
}

void MainWindow::showJobEnd(JobEnd end, const JobOrigin& origin, bool boxOpened)
{
    const QString source = origin.fileName.isEmpty() ? QString() : QFileInfo(origin.fileName).fileName();
    QString text = QString::fromStdString(jobEndStatus(end, source.toStdString()));
    // A job that ran through from its file showed its misclosures for no
    // longer than it took to compute them: the blunders are named here.
    if (end == JobEnd::done && !origin.fileName.isEmpty() && !boxOpened) {
        const std::string blunders = blunderStatus(job_, trianglesBeyondTolerance(job_));
        if (!blunders.empty()) text += QStringLiteral("  ") + QString::fromStdString(blunders);
    }
    status_->setText(text);
    status_->setToolTip(text);
}

QString MainWindow::statusText() const
{
    return status_->text();
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
    const auto paint = [this](QPrinter* target) { paintLastCompleteReport(*target); };
    if (choosePrinter(printer, this, paint) == PrintChoice::print) printReportTo(printer);
}

bool MainWindow::paintLastCompleteReport(QPrinter& printer) const
{
    const ChainSurvey* job = lastComplete_.job();
    if (!job) return false;
    PageFooter footer;
    footer.jobTime = lastCompleteOrigin_.started.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toStdString();
    footer.jobSource = lastCompleteOrigin_.fileName.isEmpty()
                           ? std::string("手工输入")
                           : QFileInfo(lastCompleteOrigin_.fileName).fileName().toStdString();
    return paintReport(printer, buildReport(*job), footer);
}

bool MainWindow::printReportTo(QPrinter& printer)
{
    if (!hasCompleteJob()) {
        refusePrint();
        return false;
    }
    if (!paintLastCompleteReport(printer)) {
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
