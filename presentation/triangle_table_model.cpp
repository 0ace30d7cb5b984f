#include "presentation/triangle_table_model.h"

#include <algorithm>

#include "chain/display_format.h"
#include "presentation/draft_document.h"

namespace kestrane {
namespace {

QString qt(const std::string& text)
{
    return QString::fromStdString(text);
}

const char* const columnTitles[] = {"点名", "求距角 A", "前进角 B", "间隔角 C", "奇数边 S", "偶数边 S",
                                    "闭合差 w(秒)", "说明"};

}  // namespace

TriangleTableModel::TriangleTableModel(DraftDocument& document, QObject* parent)
    : QAbstractTableModel(parent), document_(document)
{
    connect(&document, &DraftDocument::changed, this, &TriangleTableModel::changed);
}

int TriangleTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : tableRows(document_.draft().triangles());
}

int TriangleTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : notesColumn + 1;
}

std::optional<JobKey> TriangleTableModel::keyOf(const QModelIndex& index) const
{
    if (!index.isValid()) return std::nullopt;
    return keyAt(index.row(), index.column(), document_.draft().triangles());
}

QString TriangleTableModel::notesOf(int row) const
{
    const JobDraft& draft = document_.draft();
    QStringList notes;
    for (int column = 0; column < tableKeyColumns; ++column) {
        const auto key = keyAt(row, column, draft.triangles());
        if (!key) continue;
        if (const auto refusal = draft.refusal(*key)) notes << qt(DraftFault{{*key}, *refusal}.phrase());
    }
    if (draft.overTolerance(row))
        notes << QStringLiteral("w%1 超过限差 %2 秒").arg(row).arg(qt(draft.text({KeyFamily::tolerance, 0})));
    return notes.join(QStringLiteral(";"));
}

QVariant TriangleTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid()) return {};
    const JobDraft& draft = document_.draft();
    const int row = index.row();
    const int triangle = row >= 1 && row <= draft.triangles() ? row : 0;

    if (index.column() == misclosureColumn) {
        const auto w = draft.misclosure(triangle);
        const bool over = draft.overTolerance(triangle);
        switch (role) {
        case Qt::DisplayRole: return w ? qt(formatRounded(*w, 2)) : QVariant();
        case Qt::TextAlignmentRole: return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        case Qt::ForegroundRole: return over ? QVariant(overToleranceColour) : QVariant();
        case Qt::BackgroundRole: return triangle ? (over ? QVariant(refusedCellColour) : QVariant()) : QVariant(noCellColour);
        case Qt::ToolTipRole:
            return over ? QStringLiteral("三角形 %1 的闭合差超过限差 %2 秒").arg(row).arg(qt(draft.text({KeyFamily::tolerance, 0})))
                        : QVariant();
        default: return {};
        }
    }
    if (index.column() == notesColumn) {
        if (role == Qt::DisplayRole || role == Qt::ToolTipRole) return notesOf(row);
        if (role == Qt::ForegroundRole) return QVariant(overToleranceColour);
        return {};
    }

    const auto key = keyOf(index);
    if (!key) return role == Qt::BackgroundRole ? QVariant(noCellColour) : QVariant();
    const bool open = draft.isOpen(*key);
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: return qt(draft.text(*key));
    case Qt::TextAlignmentRole:
        return key->family == KeyFamily::pointName ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                                   : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        if (!open) return QVariant(closedCellColour);
        return draft.refusal(*key) ? QVariant(refusedCellColour) : QVariant();
    case Qt::ForegroundRole: return open ? QVariant() : QVariant(QColor(Qt::darkGray));
    case Qt::ToolTipRole: {
        if (!open) return qt(draft.closedReason(*key));
        if (const auto refusal = draft.refusal(*key)) return qt(refusal->warning);
        return qt(key->text() + ":" + keyMeaning(*key));
    }
    default: return {};
    }
}

bool TriangleTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    const auto key = keyOf(index);
    if (role != Qt::EditRole || !key || !document_.draft().isOpen(*key)) return false;
    document_.edit({{*key, value.toString().toStdString()}}, QStringLiteral("输入 %1").arg(qt(key->text())));
    return true;
}

Qt::ItemFlags TriangleTableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const auto key = keyOf(index);
    if (key && document_.draft().isOpen(*key)) flags |= Qt::ItemIsEditable;
    return flags;
}

QVariant TriangleTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal)
        return section >= 0 && section <= notesColumn ? QString::fromUtf8(columnTitles[section]) : QVariant();
    const int n = document_.draft().triangles();
    if (section == 0) return QStringLiteral("A");
    if (section == n + 1) return QStringLiteral("B");
    return QString::number(section);
}

void TriangleTableModel::changed(const DraftChange& change)
{
    if (change.trianglesBefore != change.trianglesAfter) {
        beginResetModel();
        endResetModel();
        return;
    }
    const int rows = rowCount();
    if (rows == 0) return;
    // A plain key (a coordinate, the tolerance) may change every row's look:
    // repaint all; otherwise the rows of the cells changed.
    int first = rows, last = -1;
    for (const CellChange& cell : change.cells) {
        if (!isIndexed(cell.key.family)) {
            first = 0;
            last = rows - 1;
            break;
        }
        first = std::min(first, cellOf(cell.key).row);
        last = std::max(last, cellOf(cell.key).row);
    }
    if (last >= first) emit dataChanged(index(first, 0), index(last, notesColumn));
}

}  // namespace kestrane
