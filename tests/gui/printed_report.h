// Helpers for the tests of the printed report: whole jobs through the window,
// and what a printed PDF file holds, read back with poppler's tools.
#pragma once

#include <string>
#include <vector>

#include <QString>

#include "golden_files.h"
#include "report/report.h"
#include "report_text.h"

namespace kestrane {
class MainWindow;
}

namespace kestrane::guitest {

using testing::goldenJobAnswers;
using testing::reportText;
using testing::withoutBlanks;

// Presses Command1 and answers the job's dialogs from answers; every answer
// must be used, and none may be left unapplied.
void runJobThroughWindow(MainWindow& window, const std::vector<std::string>& answers);

// pdftotext's text of the file in content order, "" when it cannot be read.
std::string pdfText(const QString& pdfPath);

// The footers of the report's pages, in page order, as pdftotext reads them
// ("2026-12-09 10:45:12 手工输入 第 1 页 共 5 页"), and the text without them.
std::vector<std::string> reportFooters(const std::string& pdfText);
std::string withoutFooters(const std::string& pdfText);

// The fonts the file uses, as pdffonts lists them.
std::string pdfFonts(const QString& pdfPath);

// Pages of the file by pdfinfo, 0 when it cannot be read.
int pdfPageCount(const QString& pdfPath);

// One word of pdftotext -bbox, in points from the page's top-left corner.
struct PdfWord {
    int page = 0;  // counted from 1
    std::string text;
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
    double height() const { return yMax - yMin; }
};

struct PdfLayout {
    double pageWidth = 0, pageHeight = 0;  // of the first page, in points
    std::vector<PdfWord> words;
    std::string raw;  // the -bbox output less its metadata
};

PdfLayout pdfLayout(const QString& pdfPath);

}  // namespace kestrane::guitest
