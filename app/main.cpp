// Kestrane: least-squares adjustment of a side-angle triangulation chain.
#include <QApplication>
#include <QTimer>

#include "presentation/fonts.h"
#include "presentation/translations.h"
#include "presentation/job_file_actions.h"
#include "presentation/main_window.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // The user's data folder, AppDataLocation, is named by the program.
    QCoreApplication::setApplicationName(QStringLiteral("Kestrane"));
    kestrane::installFontSubstitutes();
    kestrane::installQtTranslations(app);
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
