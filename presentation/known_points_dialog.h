// 导入已知点…: the points of a coordinate file (import/coordinate_file.h)
// offered for A, C, D, B, E and F, each picked by name. The dialog hands back
// the edits of the draft: the coordinates of every point picked, 0 and 0 for
// C, D, E or F marked as not known, and the names of A and B as N0 and N(n+1).
#pragma once

#include <array>
#include <vector>

#include <QDialog>

#include "draft/job_draft.h"
#include "import/coordinate_file.h"

class QComboBox;

namespace kestrane {

class KnownPointsDialog : public QDialog {
    Q_OBJECT

public:
    // triangles: the draft's n, for the key of B's name (none without triangles).
    KnownPointsDialog(std::vector<FilePoint> points, const QString& fileName, int triangles,
                      QWidget* parent = nullptr);

    // The box of a role: 0..5 for A, C, D, B, E, F.
    QComboBox* choice(int role) const { return choices_[role]; }

    // The edits of the roles chosen (those left at "不改" change nothing).
    std::vector<DraftEdit> edits() const;

private:
    std::vector<FilePoint> points_;
    int triangles_;
    std::array<QComboBox*, 6> choices_{};
};

}  // namespace kestrane
