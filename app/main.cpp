// Kestrane: least-squares adjustment of a side-angle triangulation chain.
// kestrane [FILE.kjob] opens the window, and the job file once it is up;
// kestrane --version prints the name and version, with no window.
#include <cstring>
#include <iostream>

#include <QApplication>
#include <QTimer>

#include "chain/version.h"
#include "presentation/fonts.h"
#include "presentation/translations.h"
#include "presentation/job_file_actions.h"
#include "presentation/main_window.h"
#include "presentation/program_icon.h"

int main(int argc, char* argv[])
{
    // Before Qt: --version needs no display.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::cout << "kestrane " << kestrane::programVersion << '\n';
        return 0;
    }
    QApplication app(argc, argv);
    // The user's data folder, AppDataLocation, is named by the program.
    QCoreApplication::setApplicationName(QStringLiteral("Kestrane"));
    QCoreApplication::setApplicationVersion(QString::fromUtf8(kestrane::programVersion));
    kestrane::installFontSubstitutes();
    kestrane::installQtTranslations(app);
    // Every window of the program carries its icon, wherever it was installed.
    QApplication::setWindowIcon(kestrane::programIcon());
    kestrane::MainWindow window;
    window.show();
    // kestrane FILE.kjob: the job of the file, once the window is up.
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 1) {
        const QString path = arguments.at(1);
        QTimer::singleShot(0, &window, [&window, path] { window.jobFileActions()->openJobFile(path); });
    }
    return app.exec();
}
