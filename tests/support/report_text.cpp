#include "report_text.h"

namespace kestrane::testing {

std::string itemText(const ReportItem& item, bool markColumns)
{
    switch (item.kind) {
    case ReportItem::Kind::column: return markColumns ? "|" + std::to_string(item.column) + "|" : "";
    case ReportItem::Kind::text: return item.text;
    case ReportItem::Kind::number: return numberItemText(item.number);
    }
    return "";
}

std::string lineText(const ReportLine& line, bool markColumns)
{
    std::string text;
    for (const ReportItem& item : line.items) text += itemText(item, markColumns);
    return text;
}

std::string reportText(const std::vector<ReportLine>& lines)
{
    std::string text;
    for (const ReportLine& line : lines) text += lineText(line) + '\n';
    return text;
}

std::string withoutBlanks(const std::string& text)
{
    std::string kept;
    for (const char c : text)
        if (c != ' ' && c != '\n' && c != '\r' && c != '\t' && c != '\f') kept += c;
    return kept;
}

}  // namespace kestrane::testing
