// The triangle table of the job editor as a Qt item model over the draft
// (draft/draft_table.h gives the rows and the key of each cell): the values
// as the draft holds them, closed cells greyed with the reason in their tool
// tip, refused cells tinted with the prompt's warning in their tool tip, and
// after the keys two columns of what the draft computes: each triangle's
// misclosure w, marked where it exceeds the tolerance, and the faults of the
// row in brief.
#pragma once

#include <optional>

#include <QAbstractTableModel>
#include <QColor>

#include "draft/draft_table.h"

namespace kestrane {

class DraftDocument;

// The tints of the cells.
inline const QColor refusedCellColour(255, 222, 222);
inline const QColor closedCellColour(232, 232, 232);
inline const QColor noCellColour(210, 210, 210);
inline const QColor overToleranceColour(176, 0, 0);

class TriangleTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // The computed columns after the keys.
    static constexpr int misclosureColumn = tableKeyColumns;
    static constexpr int notesColumn = tableKeyColumns + 1;

    explicit TriangleTableModel(DraftDocument& document, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    DraftDocument& document() const { return document_; }

    // The key of a cell; nothing for the computed columns and the empty cells.
    std::optional<JobKey> keyOf(const QModelIndex& index) const;

private:
    void changed(const DraftChange& change);
    QString notesOf(int row) const;

    DraftDocument& document_;
};

}  // namespace kestrane
