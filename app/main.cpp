// Kestrane: least-squares adjustment of a side-angle triangulation chain.
#include <QApplication>

#include "presentation/fonts.h"
#include "presentation/translations.h"
#include "presentation/main_window.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    kestrane::installFontSubstitutes();
    kestrane::installQtTranslations(app);
    kestrane::MainWindow window;
    window.show();
    return app.exec();
}
