// The report of a whole job on real print queues. Run by
// system_printer_test.sh, which starts a private print scheduler with a
// cups-pdf queue and a PDF printer on a file, and names each queue and the
// folder its documents land in.
#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "presentation/main_window.h"
#include "report/report.h"
#include "printed_report.h"

namespace kestrane::guitest {
namespace {

// A document the queue has finished writing: a PDF that pdfinfo reads whole
// and whose size has stopped changing.
QString waitForDocument(const QString& folder, int seconds)
{
    const QDeadlineTimer deadline(seconds * 1000);
    qint64 lastSize = -1;
    while (!deadline.hasExpired()) {
        const QFileInfoList found = QDir(folder).entryInfoList({QStringLiteral("*.pdf")}, QDir::Files);
        if (found.size() == 1) {
            const QFileInfo& file = found.front();
            QProcess info;
            info.start(QStringLiteral("pdfinfo"), {file.filePath()});
            info.waitForFinished(10000);
            const bool readable = info.exitStatus() == QProcess::NormalExit && info.exitCode() == 0;
            if (readable && file.size() > 0 && file.size() == lastSize) return file.filePath();
            lastSize = file.size();
        } else if (found.size() > 1) {
            ADD_FAILURE() << found.size() << " documents came out of the queue for one print";
            return {};
        }
        QTest::qWait(250);
    }
    return {};
}

// The figures in a text: runs of digits, points and minus signs that hold a
// digit, in order.
std::vector<std::string> figures(const std::string& text)
{
    std::vector<std::string> found(1);
    for (const char c : text) {
        if ((c >= '0' && c <= '9') || c == '.' || c == '-') {
            found.back() += c;
        } else if (!found.back().empty()) {
            found.emplace_back();
        }
    }
    std::erase_if(found, [](const std::string& run) { return run.find_first_of("0123456789") == std::string::npos; });
    return found;
}

// The figures of the report, item by item: two items printed side by side
// are two figures however close they stand.
std::vector<std::string> reportFigures(const std::vector<ReportLine>& lines)
{
    std::vector<std::string> found;
    for (const ReportLine& line : lines) {
        for (const ReportItem& item : line.items) {
            for (std::string& figure : figures(testing::itemText(item))) found.push_back(std::move(figure));
        }
    }
    return found;
}

// Does a whole job of the window, prints its report on the queue by name, and
// returns the document that came out in the folder, with the report's lines.
class SystemPrinter : public ::testing::Test {
protected:
    void printOn(const char* queueVariable, const char* folderVariable)
    {
        const QString queue = qEnvironmentVariable(queueVariable);
        const QString folder = qEnvironmentVariable(folderVariable);
        ASSERT_FALSE(queue.isEmpty() || folder.isEmpty())
            << queueVariable << " and " << folderVariable << " name the queue and the folder its output lands in";
        ASSERT_TRUE(QPrinterInfo::availablePrinterNames().contains(queue))
            << "the scheduler does not offer the queue " << queue.toStdString();
        ASSERT_TRUE(QDir(folder).isEmpty());

        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        runJobThroughWindow(window, goldenJobAnswers("typical_n4_orientation_points"));
        ASSERT_TRUE(window.hasCompleteJob());
        lines = buildReport(window.job());

        // As the print dialog leaves it when the queue is chosen.
        QPrinter printer(QPrinter::HighResolution);
        printer.setPrinterName(queue);
        ASSERT_EQ(printer.outputFormat(), QPrinter::NativeFormat);
        ASSERT_TRUE(printer.isValid());
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setDocName(QStringLiteral("Kestrane"));
        ASSERT_TRUE(window.printReportTo(printer));

        document = waitForDocument(folder, 30);
        ASSERT_FALSE(document.isEmpty()) << "no document came out of the queue";

        // The same report on a PDF file, for its number of pages.
        QTemporaryDir files;
        QPrinter pdf(QPrinter::HighResolution);
        pdf.setOutputFormat(QPrinter::PdfFormat);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setOutputFileName(files.filePath(QStringLiteral("report.pdf")));
        ASSERT_TRUE(window.printReportTo(pdf));
        reportPages = pdfPageCount(pdf.outputFileName());
        ASSERT_GT(reportPages, 1);
    }

    MainWindow window;
    std::vector<ReportLine> lines;
    QString document;
    int reportPages = 0;
};

// The system's default printer: a queue with a driver, through the spooler's
// filters and Ghostscript (PDF to PostScript to PDF). That round trip does not
// keep the Unicode names of every glyph, Chinese ones above all, so what is
// read back is the figures: every one of the report, in order.
TEST_F(SystemPrinter, DriverQueuePrintsTheReport)
{
    printOn("KESTRANE_TEST_PDF_QUEUE", "KESTRANE_TEST_PDF_OUT");
    if (HasFatalFailure()) return;
    EXPECT_EQ(pdfPageCount(document), reportPages);

    const std::vector<std::string> expected = reportFigures(lines);
    const std::vector<std::string> printed = figures(pdfText(document));
    ASSERT_GT(expected.size(), 100u);
    // Glyphs that lost their names may read as stray characters between the
    // figures; the report's figures must all be there, in order.
    std::size_t next = 0;
    for (const std::string& figure : expected) {
        while (next < printed.size() && printed[next] != figure) ++next;
        ASSERT_LT(next, printed.size()) << "the figure " << figure << " is missing or out of order";
        ++next;
    }
}

// A PDF printer on a file: the spooler's filters keep the document a PDF, and
// every text of the report must be there, in order.
TEST_F(SystemPrinter, FileQueueReceivesTheWholeReport)
{
    printOn("KESTRANE_TEST_FILE_QUEUE", "KESTRANE_TEST_FILE_OUT");
    if (HasFatalFailure()) return;
    EXPECT_EQ(pdfPageCount(document), reportPages);
    EXPECT_EQ(withoutBlanks(withoutFooters(pdfText(document))), withoutBlanks(reportText(lines)));
}

}  // namespace
}  // namespace kestrane::guitest
