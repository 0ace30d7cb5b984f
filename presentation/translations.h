// Qt's own dialogs (the print dialog, the preview, the buttons of its message
// boxes) in Chinese, from Qt's translations for zh_CN.
#pragma once

class QCoreApplication;

namespace kestrane {

// Loads Qt's zh_CN translations into the application, before the first
// dialog opens. False when they are not installed (Debian package
// qt6-translations-l10n); Qt's dialogs then speak English.
bool installQtTranslations(QCoreApplication& application);

}  // namespace kestrane
