#include "presentation/triangle_table_view.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>

#include "presentation/draft_document.h"
#include "presentation/triangle_table_model.h"

namespace kestrane {
namespace {

// Enter in a cell being typed into takes the value and moves on, as Tab does.
class FieldBookDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor)) line->setFrame(false);
        return editor;
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        auto* editor = qobject_cast<QWidget*>(object);
        if (editor && event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                emit commitData(editor);
                emit closeEditor(editor, QAbstractItemDelegate::EditNextItem);
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }
};

}  // namespace

TriangleTableView::TriangleTableView(TriangleTableModel& model, QWidget* parent) : QTableView(parent), model_(model)
{
    setModel(&model);
    setItemDelegate(new FieldBookDelegate(this));
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                    QAbstractItemView::EditKeyPressed);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    // Rows of one height, never measured: a table of 6554 rows scrolls at once.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setStretchLastSection(true);
    setWordWrap(false);
}

QModelIndex TriangleTableView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    if (action != MoveNext && action != MovePrevious) return QTableView::moveCursor(action, modifiers);
    const QModelIndex current = currentIndex();
    const TablePosition from = current.isValid() ? TablePosition{current.row(), current.column()} : TablePosition{0, -1};
    const auto next = nextOpenCell(model_.document().draft(), from, action == MoveNext);
    return next ? model_.index(next->row, next->column) : QModelIndex();
}

void TriangleTableView::keyPressEvent(QKeyEvent* event)
{
    if (state() != EditingState) {
        switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (const QModelIndex next = moveCursor(MoveNext, event->modifiers()); next.isValid())
                setCurrentIndex(next);
            return;
        case Qt::Key_Delete:
        case Qt::Key_Backspace: emit clearRequested(); return;
        default: break;
        }
    }
    QTableView::keyPressEvent(event);
}

}  // namespace kestrane
