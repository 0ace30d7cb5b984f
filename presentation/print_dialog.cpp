#include "presentation/print_dialog.h"

#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>

namespace kestrane {
namespace {

const QString dialogTitle = QStringLiteral("打印");
const QString previewCaption = QStringLiteral("打印预览");

// True when the preview printed the document.
bool preview(QPrinter& printer, QWidget* parent, const std::function<void(QPrinter*)>& paint)
{
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(previewCaption);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, paint);
    // Large enough to read a line of the report, the page fitted to its width.
    if (const QScreen* screen = preview.screen()) {
        const QRect available = screen->availableGeometry();
        preview.resize(available.width() * 3 / 4, available.height() * 9 / 10);
    }
    if (auto* view = preview.findChild<QPrintPreviewWidget*>()) view->fitToWidth();
    return preview.exec() == QDialog::Accepted;
}

}  // namespace

PrintChoice choosePrinter(QPrinter& printer, QWidget* parent, const std::function<void(QPrinter*)>& paint)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(dialogTitle);
    bool printedFromPreview = false;
    // The dialog hands its choices to the printer only when it is accepted;
    // the preview shows the printer as it stands when the button is pressed.
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>(QString(), Qt::FindDirectChildrenOnly)) {
        QPushButton* button = buttons->addButton(previewCaption, QDialogButtonBox::ActionRole);
        button->setObjectName(QStringLiteral("printPreviewButton"));
        QObject::connect(button, &QPushButton::clicked, &dialog, [&] {
            printedFromPreview = preview(printer, &dialog, paint);
            if (printedFromPreview) dialog.reject();
        });
    }
    if (dialog.exec() == QDialog::Accepted) return PrintChoice::print;
    return printedFromPreview ? PrintChoice::printedFromPreview : PrintChoice::cancelled;
}

}  // namespace kestrane
