// A table of the quality analysis (analysis/analysis_tables.h) as a Qt item
// model: the cells' texts to show, their keys to sort by, figures aligned
// right, and the marked rows (suspect observations, the weakest point)
// tinted red.
#pragma once

#include <QAbstractTableModel>
#include <QColor>

#include "analysis/analysis_tables.h"

namespace kestrane {

// The tint of a marked row, on screen and on paper.
inline const QColor markedRowColour(255, 222, 222);
// The text of a check over its limit.
inline const QColor overLimitColour(192, 0, 0);

class AnalysisTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // The role under which every cell gives its sort key (a double).
    static constexpr int sortKeyRole = Qt::UserRole + 1;

    // table must outlive the model.
    explicit AnalysisTableModel(const AnalysisTable& table, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const AnalysisTable& table_;
};

}  // namespace kestrane
