#include "printed_report.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include <QApplication>
#include <QProcess>
#include <QRegularExpression>

#include "input_box_driver.h"
#include "presentation/main_window.h"
#include "window_probe.h"

namespace kestrane::guitest {
namespace {

// Runs a poppler tool; its standard output, or "" when it failed.
QByteArray runTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString() << " failed on " << arguments.join(' ').toStdString() << ": "
                      << process.readAllStandardError().toStdString();
        return {};
    }
    return process.readAllStandardOutput();
}

std::string unescapeXml(std::string text)
{
    const std::pair<const char*, const char*> entities[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}};
    for (const auto& [entity, character] : entities) {
        for (std::size_t at = text.find(entity); at != std::string::npos; at = text.find(entity, at + 1))
            text.replace(at, std::char_traits<char>::length(entity), character);
    }
    return text;
}

// A footer line: the job's time and source where known, then the page.
const QRegularExpression& footerLine()
{
    static const QRegularExpression line(QStringLiteral("^[^\\n]*第 \\d+ 页 共 \\d+ 页$"),
                                         QRegularExpression::MultilineOption);
    return line;
}

}  // namespace

std::vector<std::string> reportFooters(const std::string& pdfText)
{
    std::vector<std::string> footers;
    auto matches = footerLine().globalMatch(QString::fromStdString(pdfText));
    while (matches.hasNext()) footers.push_back(matches.next().captured(0).toStdString());
    return footers;
}

std::string withoutFooters(const std::string& pdfText)
{
    return QString::fromStdString(pdfText).remove(footerLine()).toStdString();
}

void runJobThroughWindow(MainWindow& window, const std::vector<std::string>& answers)
{
    InputBoxDriver driver(answers);
    commandButton(window, 1)->click();
    EXPECT_FALSE(driver.ranOut()) << "no answer left for \"" << driver.unansweredPrompt() << "\"";
    EXPECT_EQ(driver.remaining(), 0u);
    for (const std::string& problem : driver.problems()) ADD_FAILURE() << problem;
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

std::string pdfText(const QString& pdfPath)
{
    return runTool(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), QStringLiteral("-enc"),
                                                 QStringLiteral("UTF-8"), pdfPath, QStringLiteral("-")})
        .toStdString();
}

std::string pdfFonts(const QString& pdfPath)
{
    return runTool(QStringLiteral("pdffonts"), {pdfPath}).toStdString();
}

int pdfPageCount(const QString& pdfPath)
{
    const QString info = QString::fromUtf8(runTool(QStringLiteral("pdfinfo"), {pdfPath}));
    const QRegularExpressionMatch pages = QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"),
                                                             QRegularExpression::MultilineOption)
                                              .match(info);
    return pages.hasMatch() ? pages.captured(1).toInt() : 0;
}

PdfLayout pdfLayout(const QString& pdfPath)
{
    const std::string bbox = runTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-enc"),
                                                                   QStringLiteral("UTF-8"), pdfPath,
                                                                   QStringLiteral("-")})
                                 .toStdString();
    PdfLayout layout;
    const QRegularExpression pageTag(QStringLiteral("<page width=\"([0-9.]+)\" height=\"([0-9.]+)\">"));
    const QRegularExpression wordTag(QStringLiteral(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">(.*)</word>"));
    std::istringstream lines(bbox);
    int page = 0;
    for (std::string line; std::getline(lines, line);) {
        // The metadata names the time of printing; the rest is the document.
        if (line.find("<meta ") != std::string::npos) continue;
        layout.raw += line + '\n';
        const QString text = QString::fromStdString(line);
        if (const auto match = pageTag.match(text); match.hasMatch()) {
            if (++page == 1) {
                layout.pageWidth = match.captured(1).toDouble();
                layout.pageHeight = match.captured(2).toDouble();
            }
        } else if (const auto word = wordTag.match(text); word.hasMatch()) {
            layout.words.push_back({page, unescapeXml(word.captured(5).toStdString()), word.captured(1).toDouble(),
                                    word.captured(2).toDouble(), word.captured(3).toDouble(),
                                    word.captured(4).toDouble()});
        }
    }
    return layout;
}

}  // namespace kestrane::guitest
