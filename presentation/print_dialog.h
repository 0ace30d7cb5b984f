// The print dialog of both windows: the system's dialog, titled "打印", with
// a "打印预览" button that shows the document on the printer as the dialog
// has set it so far. The preview opens large, the page fitted to its width;
// printing from it is the one print of that press, and closes the dialog.
// The report and the analysis window's report and plot are all printed
// through it, each painted by its one paint function.
#pragma once

#include <functional>

class QPrinter;
class QWidget;

namespace kestrane {

enum class PrintChoice {
    print,                // the dialog was accepted: print on the printer it set up
    printedFromPreview,   // the preview printed the document; nothing more to do
    cancelled,
};

PrintChoice choosePrinter(QPrinter& printer, QWidget* parent, const std::function<void(QPrinter*)>& paint);

}  // namespace kestrane
