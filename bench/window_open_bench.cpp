// kestrane-window-bench [N]: the window opening the job file of a generated
// N-triangle chain (6552 by default), from 打开作业 until the job has shown
// its last figure; on the offscreen platform unless told otherwise, with
// its journals in a scratch data folder. Prints the time of each of three
// openings.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include <QApplication>
#include <QTemporaryDir>

#include "generated_job_file.h"
#include "presentation/fonts.h"
#include "presentation/job_file_actions.h"
#include "presentation/main_window.h"

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
    return 0;
}
