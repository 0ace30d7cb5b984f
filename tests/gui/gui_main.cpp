// GoogleTest main with the QApplication every test of the window needs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include "presentation/fonts.h"
#include "presentation/translations.h"

namespace {

QtMessageHandler qtDefaultHandler = nullptr;

// The offscreen platform says these of every dialog and window it shows; they tell nothing.
void quietOffscreenNoise(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message == QLatin1String("This plugin does not support propagateSizeHints()") ||
        message == QLatin1String("This plugin does not support raise()"))
        return;
    qtDefaultHandler(type, context, message);
}

}  // namespace

int main(int argc, char* argv[])
{
    // Headless unless told otherwise; ctest names the platform itself.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qtDefaultHandler = qInstallMessageHandler(quietOffscreenNoise);
    // The windows' settings (the analysis window's size) in a folder of the
    // run's own: no run sees what an earlier one, or the user, left there.
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(settings.path()));
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    kestrane::installFontSubstitutes();
    kestrane::installQtTranslations(app);
    return RUN_ALL_TESTS();
}
