#include "presentation/export_actions.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMenu>
#include <QStatusBar>

#include "export/job_export.h"
#include "presentation/job_file_actions.h"
#include "presentation/main_window.h"
#include "presentation/qt_input_box.h"

namespace kestrane {
namespace {

// How long the status bar tells of a written file.
constexpr int writtenNoticeMilliseconds = 15000;

// One entry of the menu and the file dialog it opens.
struct ExportEntry {
    ExportFormat format;
    const char* objectName;
    const char* caption;        // in the menu
    const char* fileKind;       // in the dialog's title and the status bar
    const char* suggestedName;  // the file name the dialog proposes, without its suffix
    const char* suffix;         // added when the surveyor types none
    QStringList fileTypes;      // the dialog's file types; for CASS, one per encoding
};

const ExportEntry& entry(ExportFormat format)
{
    static const ExportEntry entries[] = {
        {ExportFormat::csv, exportCsvActionName, "坐标表 (CSV)…", "坐标表", "坐标表", "csv",
         {QStringLiteral("坐标表,UTF-8 (*.csv)")}},
        {ExportFormat::cass, exportCassActionName, "CASS 坐标文件…", "CASS 坐标文件", "坐标", "dat",
         {QStringLiteral("CASS 坐标文件,GB18030 编码 (*.dat)"), QStringLiteral("CASS 坐标文件,UTF-8 编码 (*.dat)")}},
        {ExportFormat::dxf, exportDxfActionName, "DXF 图形…", "DXF 图形", "三角锁", "dxf",
         {QStringLiteral("DXF 图形,R12 (*.dxf)")}},
        {ExportFormat::gama, exportGamaActionName, "GNU Gama 网文件…", "GNU Gama 网文件", "三角锁网", "gkf",
         {QStringLiteral("GNU Gama 网文件 (*.gkf *.xml)")}},
    };
    for (const ExportEntry& e : entries)
        if (e.format == format) return e;
    return entries[0];
}

// The CASS file's encoding by the file type chosen in the dialog.
CassEncoding encodingOf(const ExportEntry& entry, const QString& fileType)
{
    return entry.format == ExportFormat::cass && fileType == entry.fileTypes.value(1) ? CassEncoding::utf8
                                                                                       : CassEncoding::gb18030;
}

// The menu and what its entries remember: the folder of the last export,
// where the next one's dialog opens.
class ExportMenu : public QObject {
public:
    explicit ExportMenu(MainWindow& window) : QObject(&window), window_(window), folder_(QDir::homePath())
    {
        menu_ = new QMenu(QStringLiteral("导出(&E)"), &window);
        menu_->setObjectName(QString::fromUtf8(exportMenuName));
        for (const ExportFormat format : {ExportFormat::csv, ExportFormat::cass, ExportFormat::dxf, ExportFormat::gama}) {
            const ExportEntry& e = entry(format);
            QAction* action = menu_->addAction(QString::fromUtf8(e.caption), this, [this, format] { exportAs(format); });
            action->setObjectName(QString::fromUtf8(e.objectName));
        }
        insertAboveQuit(window.fileMenu());
        enableForCompleteJob();
        connect(&window, &MainWindow::jobEnded, this, &ExportMenu::enableForCompleteJob);
    }

private:
    // Above the separator that sets 退出 apart, or at the end.
    void insertAboveQuit(QMenu* file)
    {
        QAction* before = nullptr;
        const QList<QAction*> actions = file->actions();
        for (qsizetype i = 0; i < actions.size(); ++i)
            if (actions[i]->objectName() == QLatin1String("quitAction"))
                before = i > 0 && actions[i - 1]->isSeparator() ? actions[i - 1] : actions[i];
        file->insertMenu(before, menu_);
    }

    void enableForCompleteJob()
    {
        const bool enabled = window_.hasCompleteJob();
        menu_->menuAction()->setEnabled(enabled);
        for (QAction* action : menu_->actions()) action->setEnabled(enabled);
    }

    void exportAs(ExportFormat format)
    {
        const ExportEntry& e = entry(format);
        QFileDialog dialog(&window_, QStringLiteral("导出") + QString::fromUtf8(e.fileKind), folder_);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setNameFilters(e.fileTypes);
        dialog.setDefaultSuffix(QString::fromUtf8(e.suffix));
        dialog.selectFile(QString::fromUtf8(e.suggestedName) + QLatin1Char('.') + QString::fromUtf8(e.suffix));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;

        const QString path = dialog.selectedFiles().constFirst();
        folder_ = QFileInfo(path).absolutePath();
        const LastCompleteJob& last = window_.lastCompleteJob();
        const ExportResult result = exportCompleteJob(last.job(), format, QFile::encodeName(path).toStdString(),
                                                      encodingOf(e, dialog.selectedNameFilter()),
                                                      window_.jobFileActions()->grade());
        if (!result.written()) {
            QtInputBox(&window_).warn(result.message, false);
            return;
        }
        QString notice = QStringLiteral("已导出%1:%2").arg(QString::fromUtf8(e.fileKind), QDir::toNativeSeparators(path));
        if (last.laterJobUnfinished()) notice += QStringLiteral("(最近一次计算没有完成,导出的是此前最后一次完成的计算)");
        window_.statusBar()->showMessage(notice, writtenNoticeMilliseconds);
    }

    MainWindow& window_;
    QMenu* menu_ = nullptr;
    QString folder_;
};

}  // namespace

void addExportMenu(MainWindow& window)
{
    new ExportMenu(window);
}

}  // namespace kestrane
