#include "presentation/triangle_table_view.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>

#include "presentation/draft_document.h"
#include "presentation/triangle_table_model.h"

namespace kestrane {
namespace {

// The editor of a cell opened by typing into it, rather than by F2 or a
// double click: the arrow keys leave it, as in a spreadsheet.
const char* const typedIntoProperty = "typedInto";

// Enter, Tab and Shift+Tab in a cell being typed into take the value and
// move on, and so do the arrow keys when the typing opened the cell; the view
// then moves as it does from a cell that is not being typed into.
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
        if (!editor || event->type() != QEvent::KeyPress) return QStyledItemDelegate::eventFilter(object, event);
        const auto* press = static_cast<QKeyEvent*>(event);
        const int key = press->key();
        const bool movesOn = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab || key == Qt::Key_Backtab;
        const bool arrow = key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Left || key == Qt::Key_Right;
        if (!movesOn && !(arrow && editor->property(typedIntoProperty).toBool()))
            return QStyledItemDelegate::eventFilter(object, event);
        auto* view = qobject_cast<QWidget*>(parent());
        emit commitData(editor);
        emit closeEditor(editor, QAbstractItemDelegate::NoHint);
        QKeyEvent again(QEvent::KeyPress, key, press->modifiers(), press->text());
        QCoreApplication::sendEvent(view, &again);
        return true;
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

bool TriangleTableView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    if (!QTableView::edit(index, trigger, event)) return false;
    if (QWidget* editor = indexWidget(index)) editor->setProperty(typedIntoProperty, trigger == AnyKeyPressed);
    return true;
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
