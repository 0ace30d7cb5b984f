#include "presentation/main_window.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>

#include "job/data_input_job.h"
#include "presentation/chain_schematic.h"
#include "presentation/fonts.h"
#include "presentation/qt_input_box.h"
#include "presentation/qt_window_fields.h"
#include "presentation/report_painter.h"
#include "report/print_texts.h"
#include "report/report.h"

namespace kestrane {
namespace {

void paintBackground(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

}  // namespace

MainWindow::MainWindow(QWidget* parent)
    : QWidget(parent), scale_(logicalDpiX())
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Kestrane"));
    paintBackground(this, windowBackground);
    resize(scale_.px(clientWidthTwips), scale_.px(clientHeightTwips));

    for (const CaptionPlace& caption : schematicCaptions()) addCaption(caption);
    for (const CaptionPlace& caption : sectionCaptions()) addCaption(caption);
    addFields();
    addButtons();

    inputBox_ = std::make_unique<QtInputBox>(this);
    fields_ = std::make_unique<QtWindowFields>(*this);
}

MainWindow::~MainWindow() = default;

QLabel* MainWindow::addCaption(const CaptionPlace& place)
{
    auto* label = new QLabel(QString::fromUtf8(place.text), this);
    if (place.objectName) label->setObjectName(QString::fromUtf8(place.objectName));
    label->setFont(captionFont(place.font));
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    paintBackground(label, windowBackground);

    // A caption of the drawing is as wide as its text, so that it hides no
    // more of the lines than the text itself covers.
    QRect box = scale_.rect(place.left, place.top, place.width, captionHeightTwips);
    if (place.width == 0) box.setWidth(label->sizeHint().width());
    label->setGeometry(box);
    return label;
}

void MainWindow::addFields()
{
    for (const FieldPlace& place : fieldPlaces()) {
        auto* field = new QLineEdit(this);
        field->setObjectName(QString::fromStdString(windowId(place.field)));
        field->setReadOnly(true);
        field->setFont(songFont(9));
        field->setGeometry(scale_.rect(place.left, place.top, place.width, fieldHeightTwips));

        addCaption(place.caption)->setBuddy(field);
        if (place.heading.text) addCaption(place.heading);
    }
}

void MainWindow::addButtons()
{
    for (const ButtonPlace& place : buttonPlaces()) {
        auto* button = new QPushButton(QString::fromUtf8(place.caption), this);
        button->setObjectName(QString::fromUtf8(place.objectName));
        button->setFont(songFont(9));
        QPalette palette = button->palette();
        palette.setColor(QPalette::Button, place.background);
        button->setPalette(palette);
        button->setGeometry(scale_.rect(place.left, buttonTopTwips, buttonWidthTwips, buttonHeightTwips));
    }
    connect(findChild<QPushButton*>(QStringLiteral("Command1")), &QPushButton::clicked, this,
            &MainWindow::runDataInput);
    connect(findChild<QPushButton*>(QStringLiteral("Command2")), &QPushButton::clicked, this,
            &MainWindow::exitProgram);
    connect(findChild<QPushButton*>(QStringLiteral("Command3")), &QPushButton::clicked, this,
            &MainWindow::printReport);
}

void MainWindow::runDataInput()
{
    // An abandoned job leaves the window as the surveyor last saw it; a
    // stopped one has already said why. Either leaves the record part
    // refilled; what prints is the last job that ran to its end.
    lastComplete_.jobEnded(job_, runDataInputJob(job_, *inputBox_, *fields_).end);
}

void MainWindow::exitProgram()
{
    close();
    QCoreApplication::quit();
}

void MainWindow::printReport()
{
    if (!hasCompleteJob()) {
        refusePrint();
        return;
    }
    if (lastComplete_.laterJobUnfinished()) inputBox_->warn(print_texts::earlierJobNotice, false);
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(QStringLiteral("Kestrane"));

    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("打印"));
    // The preview shows the report on the printer as it stands when the
    // button is pressed; the dialog hands its choices to the printer only
    // when it is accepted.
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>(QString(), Qt::FindDirectChildrenOnly)) {
        QPushButton* preview = buttons->addButton(QStringLiteral("打印预览"), QDialogButtonBox::ActionRole);
        preview->setObjectName(QStringLiteral("printPreviewButton"));
        connect(preview, &QPushButton::clicked, &dialog, [this, &printer, &dialog] { previewReport(printer, &dialog); });
    }
    if (dialog.exec() == QDialog::Accepted) printReportTo(printer);
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

void MainWindow::previewReport(QPrinter& printer, QWidget* parent)
{
    const std::vector<ReportLine> lines = buildReport(*lastComplete_.job());
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(QStringLiteral("打印预览"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
            [&lines](QPrinter* target) { paintReport(*target, lines); });
    preview.exec();
}

void MainWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paintChainSchematic(painter, scale_);
    paintPanelFrame(painter, scale_);
}

}  // namespace kestrane
