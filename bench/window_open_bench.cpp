// kestrane-window-bench [N]: the window opening the job file of a generated
// N-triangle chain (6552 by default), from 打开作业 until the job has shown
// its last figure; then the job editor opening the same file until its table
// is painted, the table scrolled to its end and back a page at a time, and
// one cell typed; on the offscreen platform unless told otherwise, with its
// journals in a scratch data folder. Prints the time of each of three runs.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include <QApplication>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QUndoStack>

#include "generated_job_file.h"
#include "presentation/draft_document.h"
#include "presentation/fonts.h"
#include "presentation/job_editor_actions.h"
#include "presentation/job_editor_window.h"
#include "presentation/job_file_actions.h"
#include "presentation/main_window.h"
#include "presentation/triangle_table_model.h"
#include "presentation/triangle_table_view.h"

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.path().toUtf8());
    const int n = argc > 1 ? std::atoi(argv[1]) : 6552;
    QApplication app(argc, argv);
    kestrane::installFontSubstitutes();

    const QString path = data.path() + QStringLiteral("/chain.kjob");
    std::ofstream(path.toStdString(), std::ios::binary) << kestrane::bench::generatedJobFile(n);
    kestrane::MainWindow window;
    window.show();
    QApplication::processEvents();
    for (int run = 1; run <= 3; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const bool ran = window.jobFileActions()->openJobFile(path);
        QApplication::processEvents();
        const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
        std::printf("n = %d, opening %d: %.3f s%s\n", n, run, seconds.count(), ran ? "" : " (no job ran)");
    }
    for (int run = 1; run <= 3; ++run) {
        auto start = std::chrono::steady_clock::now();
        const auto since = [&start] {
            const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
            start = std::chrono::steady_clock::now();
            return seconds.count();
        };
        kestrane::JobEditorWindow* editor = window.jobEditorActions()->editJobFile(path);
        editor->repaint();
        QApplication::processEvents();
        const double opened = since();
        // Page by page down the table and back, each page painted.
        QTableView* table = editor->table();
        int pages = 0;
        for (const int direction : {1, -1}) {
            QScrollBar* bar = table->verticalScrollBar();
            while (direction > 0 ? bar->value() < bar->maximum() : bar->value() > bar->minimum()) {
                bar->setValue(bar->value() + direction * bar->pageStep());
                table->viewport()->repaint();
                ++pages;
            }
        }
        const double scrolled = since();
        const QModelIndex cell = editor->tableModel()->index(n / 2, 2);
        editor->tableModel()->setData(cell, QStringLiteral("60.1234"), Qt::EditRole);
        table->viewport()->repaint();
        QApplication::processEvents();
        const double typed = since();
        std::printf("n = %d, editor %d: opened %.3f s, %d pages scrolled in %.3f s (%.2f ms a page), one cell typed %.1f ms\n",
                    n, run, opened, pages, scrolled, 1000 * scrolled / std::max(pages, 1), 1000 * typed);
        editor->document().history()->setClean();
        editor->close();
        QApplication::processEvents();
    }
    return 0;
}
