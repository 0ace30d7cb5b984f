// The triangle table as the surveyor types into it: Enter and Tab move to the
// next open cell in field-book order (the name, A, B, C, then the sides of
// the row, then the next row), Shift+Tab back; the arrow keys move as in a
// spreadsheet (also out of a cell being typed into; F2 or a double click
// opens a cell to move within its text); typing into a cell replaces what it
// holds; Delete clears the selected cells.
#pragma once

#include <QTableView>

namespace kestrane {

class TriangleTableModel;

class TriangleTableView : public QTableView {
    Q_OBJECT

public:
    explicit TriangleTableView(TriangleTableModel& model, QWidget* parent = nullptr);

signals:
    // Delete or Backspace on a selection.
    void clearRequested();

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    TriangleTableModel& model_;
};

}  // namespace kestrane
