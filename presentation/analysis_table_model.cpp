#include "presentation/analysis_table_model.h"

#include <QBrush>

namespace kestrane {

AnalysisTableModel::AnalysisTableModel(const AnalysisTable& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table)
{
}

int AnalysisTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(table_.rows.size());
}

int AnalysisTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(table_.headings.size());
}

QVariant AnalysisTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid()) return {};
    const TableCell& cell = table_.rows[index.row()][index.column()];
    switch (role) {
    case Qt::DisplayRole: return QString::fromStdString(cell.text);
    case sortKeyRole: return cell.sortKey;
    case Qt::TextAlignmentRole:
        return static_cast<int>((table_.figureColumns[index.column()] ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    case Qt::BackgroundRole: return table_.marked[index.row()] ? QBrush(markedRowColour) : QVariant();
    case Qt::ForegroundRole:
        return table_.overLimitMarks && table_.marked[index.row()] ? QBrush(overLimitColour) : QVariant();
    default: return {};
    }
}

QVariant AnalysisTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return QString::fromStdString(table_.headings[section]);
    return QAbstractTableModel::headerData(section, orientation, role);
}

}  // namespace kestrane
