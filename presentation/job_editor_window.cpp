#include "presentation/job_editor_window.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QCloseEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QUndoStack>
#include <QVBoxLayout>

#include "chain/display_format.h"
#include "draft/draft_table.h"
#include "import/coordinate_file.h"
#include "presentation/draft_document.h"
#include "presentation/job_file_actions.h"
#include "presentation/known_points_dialog.h"
#include "presentation/main_window.h"
#include "presentation/qt_input_box.h"
#include "presentation/triangle_table_model.h"
#include "presentation/triangle_table_view.h"

namespace kestrane {
namespace {

QString qt(const std::string& text)
{
    return QString::fromStdString(text);
}

const QString jobFileFilter = QStringLiteral("Kestrane 作业文件 (*.kjob);;所有文件 (*)");
const QString coordinateFileFilter =
    QStringLiteral("座标文件 (*.csv *.CSV *.dat *.DAT);;CSV 文件 (*.csv *.CSV);;CASS 座标文件 (*.dat *.DAT);;所有文件 (*)");

// The rows of the control data, in the order a job asks for them.
struct FormRow {
    const char* caption;
    KeyFamily first;
    const char* secondCaption;
    KeyFamily second;
};
const FormRow formRows[] = {
    {"三角形个数 n", KeyFamily::triangleCount, "规范测角限差(秒)", KeyFamily::tolerance},
    {"已知点 A  纵座标 X", KeyFamily::xa, "横座标 Y", KeyFamily::ya},
    {"已知点 C  纵座标 X", KeyFamily::xc, "横座标 Y", KeyFamily::yc},
    {"已知点 D  纵座标 X", KeyFamily::xd, "横座标 Y", KeyFamily::yd},
    {"已知点 B  纵座标 X", KeyFamily::xb, "横座标 Y", KeyFamily::yb},
    {"定向点 E  纵座标 X", KeyFamily::xe, "横座标 Y", KeyFamily::ye},
    {"定向点 F  纵座标 X", KeyFamily::xf, "横座标 Y", KeyFamily::yf},
    {"起始外方位角 Ta", KeyFamily::typedTa, "起始定向角 Qa", KeyFamily::orientationQa},
    {"闭合外方位角 Tb", KeyFamily::typedTb, "闭合定向角 Qb", KeyFamily::orientationQb},
};

const QString refusedFieldStyle = QStringLiteral("QLineEdit { background: rgb(255, 222, 222); }");

// What the foot of the window says about a key: the prompt's warning for a
// refused value, why a greyed one is not asked, else what the key names.
std::string aboutKey(const JobDraft& draft, const JobKey& key)
{
    if (!draft.holds(key)) return {};
    if (!draft.isOpen(key)) return key.text() + ":" + draft.closedReason(key);
    if (const auto refusal = draft.refusal(key)) return key.text() + ":" + refusal->warning;
    return key.text() + ":" + keyMeaning(key);
}

}  // namespace

JobEditorWindow::JobEditorWindow(MainWindow& main, JobDraft draft, const QString& path, const QString& title)
    : QMainWindow(&main, Qt::Window), main_(main), title_(title)
{
    setObjectName(QStringLiteral("jobEditor"));
    setAttribute(Qt::WA_DeleteOnClose);
    document_ = new DraftDocument(std::move(draft), path, this);
    model_ = new TriangleTableModel(*document_, this);
    table_ = new TriangleTableView(*model_);
    table_->setObjectName(QStringLiteral("triangleTable"));

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(controlForm());
    layout->addWidget(table_, 1);
    meanSide_ = new QLabel;
    meanSide_->setObjectName(QStringLiteral("meanSide"));
    layout->addWidget(meanSide_);
    warning_ = new QLabel;
    warning_->setObjectName(QStringLiteral("cellWarning"));
    warning_->setWordWrap(true);
    warning_->setMinimumHeight(2 * fontMetrics().height() + 4);
    warning_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(warning_);
    setCentralWidget(central);
    summary_ = new QLabel;
    summary_->setObjectName(QStringLiteral("summary"));
    statusBar()->addWidget(summary_, 1);
    addMenus();

    connect(document_, &DraftDocument::changed, this, &JobEditorWindow::refresh);
    connect(document_->history(), &QUndoStack::cleanChanged, this, [this](bool clean) { setWindowModified(!clean); });
    connect(table_, &TriangleTableView::clearRequested, this, &JobEditorWindow::clearSelection);
    connect(table_->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& index) {
        if (const auto key = model_->keyOf(index)) showWarningOf(*key);
    });

    setWindowTitle(QStringLiteral("作业表 — %1[*]").arg(title));
    const int digit = table_->fontMetrics().horizontalAdvance(QStringLiteral("0"));
    for (int column = 0; column < tableKeyColumns; ++column) table_->setColumnWidth(column, 13 * digit);
    table_->setColumnWidth(TriangleTableModel::misclosureColumn, 11 * digit);
    resize(1000, 820);
    refresh();
}

JobEditorWindow::~JobEditorWindow() = default;

QWidget* JobEditorWindow::controlForm()
{
    auto* form = new QWidget;
    auto* grid = new QGridLayout(form);
    grid->setContentsMargins(0, 0, 0, 0);
    int row = 0;
    for (const FormRow& formRow : formRows) {
        int column = 0;
        for (const auto& [caption, family] : {std::pair(formRow.caption, formRow.first),
                                              std::pair(formRow.secondCaption, formRow.second)}) {
            grid->addWidget(new QLabel(QString::fromUtf8(caption)), row, column++);
            auto* field = new QLineEdit;
            field->setObjectName(qt(JobKey{family, 0}.text()));
            // Room for a coordinate of the national grid with its millimetres.
            field->setMinimumWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("0")) * 16);
            field->installEventFilter(this);
            const KeyFamily key = family;
            connect(field, &QLineEdit::editingFinished, this, [this, key] { fieldEdited(key); });
            connect(field, &QLineEdit::returnPressed, this, [this, key] { focusAfter(key); });
            fields_[family] = field;
            grid->addWidget(field, row, column++);
        }
        auto* note = new QLabel;
        note->setStyleSheet(QStringLiteral("color: rgb(176, 0, 0);"));
        rowNotes_[formRow.first] = note;
        grid->addWidget(note, row, column);
        ++row;
    }
    // The grade the job is checked against in the analysis: no prompt asks
    // it, the job file keeps it. A grade of the office's own is typed in the
    // analysis window, and kept here as it came.
    grid->addWidget(new QLabel(QStringLiteral("检核等级")), row, 0);
    gradeChooser_ = new QComboBox;
    gradeChooser_->setObjectName(QStringLiteral("gradeChooser"));
    gradeChooser_->addItem(QStringLiteral("不按等级检核"));
    for (const Grade& grade : standardGrades()) gradeChooser_->addItem(qt(grade.name));
    grid->addWidget(gradeChooser_, row, 1);
    connect(gradeChooser_, &QComboBox::activated, this, &JobEditorWindow::gradeChosen);
    grid->setColumnStretch(4, 1);
    return form;
}

void JobEditorWindow::refreshGrade()
{
    const auto grade = document_->draft().grade();
    const QSignalBlocker quiet(gradeChooser_);
    const int custom = gradeChooser_->findText(qt(customGradeName));
    if (grade && grade->name == customGradeName && custom < 0) gradeChooser_->addItem(qt(customGradeName));
    if (!(grade && grade->name == customGradeName) && custom >= 0) gradeChooser_->removeItem(custom);
    gradeChooser_->setCurrentIndex(grade ? std::max(gradeChooser_->findText(qt(grade->name)), 0) : 0);
}

void JobEditorWindow::gradeChosen()
{
    const QString name = gradeChooser_->currentText();
    const auto now = document_->draft().grade();
    std::optional<Grade> grade;
    if (gradeChooser_->currentIndex() > 0) grade = name == qt(customGradeName) ? now : standardGrade(name.toStdString());
    document_->edit(gradeEdits(grade), QStringLiteral("检核等级"));
}

void JobEditorWindow::addMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("文件(&F)"));
    QAction* start = file->addAction(QStringLiteral("开始平差(&A)"), this, &JobEditorWindow::startAdjustment);
    start->setShortcut(QKeySequence(Qt::Key_F5));
    start->setObjectName(QStringLiteral("startAdjustmentAction"));
    file->addAction(QStringLiteral("导入已知点(&I)…"), this, &JobEditorWindow::chooseAndImport)
        ->setObjectName(QStringLiteral("importKnownPointsAction"));
    file->addSeparator();
    QAction* save = file->addAction(QStringLiteral("保存(&S)"), this, &JobEditorWindow::save);
    save->setShortcut(QKeySequence::Save);
    save->setObjectName(QStringLiteral("saveDraftAction"));
    QAction* saveAs = file->addAction(QStringLiteral("另存为(&A)…"), this, &JobEditorWindow::chooseAndSaveAs);
    saveAs->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    file->addSeparator();
    file->addAction(QStringLiteral("关闭(&C)"), this, &QWidget::close)->setShortcut(QKeySequence::Close);

    QMenu* edit = menuBar()->addMenu(QStringLiteral("编辑(&E)"));
    QAction* undo = document_->history()->createUndoAction(this, QStringLiteral("撤销"));
    undo->setShortcut(QKeySequence::Undo);
    QAction* redo = document_->history()->createRedoAction(this, QStringLiteral("重做"));
    QList<QKeySequence> redoKeys = QKeySequence::keyBindings(QKeySequence::Redo);
    if (!redoKeys.contains(QKeySequence(Qt::CTRL | Qt::Key_Y))) redoKeys.prepend(QKeySequence(Qt::CTRL | Qt::Key_Y));
    redo->setShortcuts(redoKeys);
    edit->addAction(undo);
    edit->addAction(redo);
    edit->addSeparator();
    edit->addAction(QStringLiteral("复制(&C)"), this, &JobEditorWindow::copy)->setShortcut(QKeySequence::Copy);
    edit->addAction(QStringLiteral("粘贴(&P)"), this, &JobEditorWindow::paste)->setShortcut(QKeySequence::Paste);
    edit->addAction(QStringLiteral("清除(&D)"), this, &JobEditorWindow::clearSelection);
    edit->addSeparator();
    edit->addAction(QStringLiteral("删除不用的数值(&U)"), this, &JobEditorWindow::clearUnusedValues);
}

void JobEditorWindow::refresh()
{
    const JobDraft& draft = document_->draft();
    for (const auto& [family, field] : fields_) refreshField(family);
    refreshGrade();
    const std::vector<DraftFault> faults = draft.faults();
    for (const FormRow& row : formRows) {
        QStringList notes;
        for (const DraftFault& fault : faults) {
            const JobKey& first = fault.keys.front();
            if (isIndexed(first.family)) break;  // the table's faults follow the control data's
            const bool inRow = std::any_of(fault.keys.begin(), fault.keys.end(), [&](const JobKey& key) {
                return key.family == row.first || key.family == row.second;
            });
            if (inRow && !notes.contains(qt(fault.phrase()))) notes << qt(fault.phrase());
        }
        rowNotes_[row.first]->setText(notes.join(QStringLiteral(";")));
    }
    const auto mean = draft.meanSide();
    meanSide_->setText(mean ? QStringLiteral("平均边长 %1 米").arg(qt(formatRounded(*mean, 2)))
                            : QStringLiteral("平均边长:边长齐全后算出"));
    summary_->setText(qt(draft.summary()));
    if (QWidget* focused = QApplication::focusWidget()) {
        for (const auto& [family, field] : fields_)
            if (field == focused) showWarningOf({family, 0});
    }
    if (const auto key = model_->keyOf(table_->currentIndex()); key && table_->hasFocus()) showWarningOf(*key);
}

void JobEditorWindow::refreshField(KeyFamily family)
{
    const JobDraft& draft = document_->draft();
    const JobKey key{family, 0};
    QLineEdit* field = fields_.at(family);
    const QString text = qt(draft.text(key));
    if (field->text() != text) field->setText(text);
    field->setEnabled(draft.isOpen(key));
    field->setToolTip(qt(aboutKey(draft, key)));
    field->setStyleSheet(draft.refusal(key) ? refusedFieldStyle : QString());
}

void JobEditorWindow::showWarningOf(const JobKey& key)
{
    warning_->setText(qt(aboutKey(document_->draft(), key)));
}

void JobEditorWindow::fieldEdited(KeyFamily family)
{
    const std::string text = fields_.at(family)->text().toStdString();
    const JobKey key{family, 0};
    if (text == document_->draft().text(key)) return;
    document_->edit({{key, text}}, QStringLiteral("输入 %1").arg(qt(key.text())));
}

void JobEditorWindow::focusAfter(KeyFamily family)
{
    // The value first, which may open or close the fields after it; then the
    // next open field in the order of asking, and after the last the table.
    fieldEdited(family);
    bool after = false;
    for (const JobKey& key : plainKeysInOrder()) {
        if (after && fields_.at(key.family)->isEnabled()) {
            fields_.at(key.family)->setFocus();
            fields_.at(key.family)->selectAll();
            return;
        }
        after = after || key.family == family;
    }
    table_->setFocus();
    if (const auto first = nextOpenCell(document_->draft(), {0, -1}, true))
        table_->setCurrentIndex(model_->index(first->row, first->column));
}

bool JobEditorWindow::eventFilter(QObject* watched, QEvent* event)
{
    auto* field = qobject_cast<QLineEdit*>(watched);
    if (!field) return QMainWindow::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn) {
        for (const auto& [family, candidate] : fields_)
            if (candidate == field) showWarningOf({family, 0});
    }
    // A field with nothing of its own to undo leaves Ctrl+Z and Ctrl+Y to the
    // job's history.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool undo = key->matches(QKeySequence::Undo);
        const bool redo = key->matches(QKeySequence::Redo) || key->keyCombination() == QKeyCombination(Qt::CTRL, Qt::Key_Y);
        if ((undo && !field->isUndoAvailable()) || (redo && !field->isRedoAvailable())) {
            event->ignore();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void JobEditorWindow::startAdjustment()
{
    commitTyping();
    JobFile held = JobFile::ofEntries("作业表 " + title_.toStdString(), document_->draft().entries());
    main_.raise();
    main_.activateWindow();
    main_.jobFileActions()->runHeldJob(held);
}

void JobEditorWindow::commitTyping()
{
    // Leaving a field or a cell being typed into takes its value.
    if (QWidget* focused = QApplication::focusWidget(); focused && isAncestorOf(focused)) focused->clearFocus();
}

bool JobEditorWindow::save()
{
    commitTyping();
    if (document_->path().isEmpty()) {
        chooseAndSaveAs();
        return !document_->hasUnsavedChanges();
    }
    return saveAs(document_->path());
}

bool JobEditorWindow::saveAs(const QString& path)
{
    commitTyping();
    const std::string failure = document_->saveTo(path);
    if (!failure.empty()) {
        tell(failure);
        return false;
    }
    title_ = QFileInfo(path).fileName();
    setWindowTitle(QStringLiteral("作业表 — %1[*]").arg(title_));
    return true;
}

void JobEditorWindow::chooseAndSaveAs()
{
    QFileDialog dialog(this, QStringLiteral("另存为"), document_->path(), jobFileFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("kjob"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    saveAs(dialog.selectedFiles().front());
}

void JobEditorWindow::chooseAndImport()
{
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("导入已知点"), QString(), coordinateFileFilter);
    if (!path.isEmpty()) importKnownPoints(path);
}

bool JobEditorWindow::importKnownPoints(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    QFile file(path);
    if (file.size() > static_cast<qint64>(maxCoordinateFileBytes) || !file.open(QIODevice::ReadOnly)) {
        tell("座标文件 " + name.toStdString() + " 无法读取:" +
             (file.size() > static_cast<qint64>(maxCoordinateFileBytes) ? std::string("文件太大。")
                                                                         : file.errorString().toStdString()));
        return false;
    }
    const QByteArray bytes = file.readAll();
    const CoordinateFileReading reading = readCoordinateFile(std::string_view(bytes.constData(), bytes.size()),
                                                             coordinateFormatOf(path.toStdString()));
    if (const auto* refusal = std::get_if<CoordinateFileRefusal>(&reading)) {
        tell("座标文件 " + name.toStdString() + ":" + refusal->message);
        return false;
    }
    const auto& points = std::get<std::vector<FilePoint>>(reading);
    if (points.empty()) {
        tell("座标文件 " + name.toStdString() + " 中没有点。");
        return false;
    }
    KnownPointsDialog dialog(points, name, document_->draft().triangles(), this);
    if (dialog.exec() != QDialog::Accepted) return false;
    document_->edit(dialog.edits(), QStringLiteral("导入已知点"));
    return true;
}

bool JobEditorWindow::pasteText(const QString& text)
{
    const QModelIndex current = table_->currentIndex();
    if (!current.isValid()) return false;
    const auto block = blockOfText(text.toStdString());
    if (!block) {
        tell("粘贴的内容超过 " + std::to_string(maxBlockRows) + " 行或 " + std::to_string(maxBlockColumns) +
             " 列,不能粘贴到作业表中。");
        return false;
    }
    const auto edits = pasteEdits(document_->draft(), {current.row(), current.column()}, *block);
    if (edits.empty()) return false;
    document_->edit(edits, QStringLiteral("粘贴"));
    return true;
}

QString JobEditorWindow::selectedText() const
{
    const QModelIndexList selected = table_->selectionModel()->selectedIndexes();
    if (selected.isEmpty()) return {};
    int top = selected.front().row(), bottom = top, left = selected.front().column(), right = left;
    for (const QModelIndex& index : selected) {
        top = std::min(top, index.row());
        bottom = std::max(bottom, index.row());
        left = std::min(left, index.column());
        right = std::max(right, index.column());
    }
    TextBlock block;
    for (int row = top; row <= bottom; ++row) {
        auto& values = block.emplace_back();
        for (int column = left; column <= right; ++column)
            values.push_back(model_->index(row, column).data(Qt::DisplayRole).toString().toStdString());
    }
    return qt(textOfBlock(block));
}

void JobEditorWindow::copy()
{
    const QString text = selectedText();
    if (!text.isEmpty()) QApplication::clipboard()->setText(text);
}

void JobEditorWindow::paste()
{
    pasteText(QApplication::clipboard()->text());
}

void JobEditorWindow::clearSelection()
{
    std::vector<DraftEdit> edits;
    for (const QModelIndex& index : table_->selectionModel()->selectedIndexes())
        if (const auto key = model_->keyOf(index)) edits.push_back({*key, ""});
    if (!edits.empty()) document_->edit(edits, QStringLiteral("清除"));
}

void JobEditorWindow::clearUnusedValues()
{
    std::vector<DraftEdit> edits;
    for (const JobKey& key : document_->draft().unusedKeys()) edits.push_back({key, ""});
    if (!edits.empty()) document_->edit(edits, QStringLiteral("删除不用的数值"));
}

void JobEditorWindow::closeEvent(QCloseEvent* event)
{
    commitTyping();
    if (!document_->hasUnsavedChanges()) {
        event->accept();
        return;
    }
    QMessageBox box(QMessageBox::Question, QStringLiteral("作业表"),
                    QStringLiteral("作业表“%1”有尚未保存的修改。关闭之前保存吗?").arg(title_), QMessageBox::NoButton,
                    this);
    QPushButton* save = box.addButton(QStringLiteral("保存"), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(QStringLiteral("不保存"), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == discard || (box.clickedButton() == save && this->save())) event->accept();
    else event->ignore();
}

void JobEditorWindow::tell(const std::string& message)
{
    QtInputBox(this).warn(message, false);
}

}  // namespace kestrane
