// The job editor, 作业表: one job typed, pasted and corrected in a window of
// its own beside the main one (not modal), then adjusted in the main window.
//
// Above, the control data in the terms of the schematic: the triangle count
// and the tolerance, the coordinates of A, C, D, B, E and F, the azimuths Ta
// and Tb and the orientation angles Qa and Qb; below, the triangle table
// (triangle_table_view.h) and the mean side; at the foot, the warning of the
// cell or field being typed into and the summary of what is still missing or
// wrong. A field the ties do not ask for is greyed, with the reason in its
// tool tip; a refused one is tinted, its fault named at the end of its row.
//
// 文件: 开始平差 (F5) runs the job in the main window from the table's values,
// as 打开作业 runs a file's; 导入已知点…; 保存 (Ctrl+S), 另存为…; 关闭, which
// asks about changes not yet saved. 编辑: 撤销 (Ctrl+Z) and 重做 (Ctrl+Y) of
// every edit, a paste or an import included; 复制 (Ctrl+C) of the selected
// cells as tab-separated text; 粘贴 (Ctrl+V) of a block from the current
// cell; 清除 (Delete); 删除不用的数值, which clears the values the ties do not ask.
#pragma once

#include <map>

#include <QMainWindow>

#include "draft/job_draft.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace kestrane {

class DraftDocument;
class MainWindow;
class TriangleTableModel;
class TriangleTableView;

class JobEditorWindow : public QMainWindow {
    Q_OBJECT

public:
    // path: the job file the draft was read from, saved to again by 保存;
    // empty for a new job or a journal. title: how the window names the job.
    JobEditorWindow(MainWindow& main, JobDraft draft, const QString& path, const QString& title);
    ~JobEditorWindow() override;

    DraftDocument& document() const { return *document_; }
    TriangleTableView* table() const { return table_; }
    TriangleTableModel* tableModel() const { return model_; }
    // The field of a plain key (n, tolerance, xa .. Qb).
    QLineEdit* field(KeyFamily family) const { return fields_.at(family); }
    QLabel* summary() const { return summary_; }
    QLabel* meanSide() const { return meanSide_; }
    QLabel* warning() const { return warning_; }

    // What the menu entries do once a file is chosen. Each tells of a failure
    // in a message box and returns false.
    bool saveAs(const QString& path);
    bool importKnownPoints(const QString& path);
    // Pastes the text as a block from the current cell of the table.
    bool pasteText(const QString& text);
    // The selected cells as a block of tab-separated text.
    QString selectedText() const;

public slots:
    void startAdjustment();
    bool save();
    void chooseAndSaveAs();
    void chooseAndImport();
    void copy();
    void paste();
    void clearSelection();
    void clearUnusedValues();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* controlForm();
    void addMenus();
    void refresh();
    void refreshField(KeyFamily family);
    void refreshGrade();
    void gradeChosen();
    void showWarningOf(const JobKey& key);
    void fieldEdited(KeyFamily family);
    void focusAfter(KeyFamily family);
    void commitTyping();
    void tell(const std::string& message);

    MainWindow& main_;
    DraftDocument* document_ = nullptr;
    TriangleTableModel* model_ = nullptr;
    TriangleTableView* table_ = nullptr;
    std::map<KeyFamily, QLineEdit*> fields_;
    std::map<KeyFamily, QLabel*> rowNotes_;  // by the first key of each row of the form
    QComboBox* gradeChooser_ = nullptr;
    QLabel* summary_ = nullptr;
    QLabel* meanSide_ = nullptr;
    QLabel* warning_ = nullptr;
    QString title_;
};

}  // namespace kestrane
