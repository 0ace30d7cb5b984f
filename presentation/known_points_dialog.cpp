#include "presentation/known_points_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kestrane {
namespace {

struct Role {
    const char* caption;
    KeyFamily x, y;
    bool mayBeAbsent;  // C, D, E, F: known or not
};

const Role roles[] = {
    {"已知点 A", KeyFamily::xa, KeyFamily::ya, false}, {"已知点 C", KeyFamily::xc, KeyFamily::yc, true},
    {"已知点 D", KeyFamily::xd, KeyFamily::yd, true},  {"已知点 B", KeyFamily::xb, KeyFamily::yb, false},
    {"定向点 E", KeyFamily::xe, KeyFamily::ye, true},  {"定向点 F", KeyFamily::xf, KeyFamily::yf, true},
};

// The entries of a box after the points: leave the role as it is, or (C, D,
// E, F) make it a point that is not known.
constexpr int keepEntry = -1;
constexpr int absentEntry = -2;

}  // namespace

KnownPointsDialog::KnownPointsDialog(std::vector<FilePoint> points, const QString& fileName, int triangles,
                                     QWidget* parent)
    : QDialog(parent), points_(std::move(points)), triangles_(triangles)
{
    setWindowTitle(QStringLiteral("导入已知点"));
    auto* layout = new QVBoxLayout(this);
    auto* heading = new QLabel(QStringLiteral("%1 中有 %2 个点。为各个已知点和定向点选择座标文件中的点:")
                                   .arg(fileName)
                                   .arg(points_.size()));
    heading->setWordWrap(true);
    layout->addWidget(heading);
    auto* form = new QFormLayout;
    for (std::size_t r = 0; r < std::size(roles); ++r) {
        auto* box = new QComboBox;
        box->setObjectName(QStringLiteral("role%1").arg(r));
        box->addItem(QStringLiteral("(不改)"), keepEntry);
        if (roles[r].mayBeAbsent) box->addItem(QStringLiteral("(不是已知点:座标为 0, 0)"), absentEntry);
        for (std::size_t p = 0; p < points_.size(); ++p) {
            const FilePoint& point = points_[p];
            box->addItem(QStringLiteral("%1    X %2    Y %3    (第 %4 行)")
                             .arg(QString::fromStdString(point.name), QString::fromStdString(point.x),
                                  QString::fromStdString(point.y))
                             .arg(point.line),
                         static_cast<int>(p));
        }
        choices_[r] = box;
        form->addRow(QString::fromUtf8(roles[r].caption), box);
    }
    layout->addLayout(form);
    auto* note = new QLabel(QStringLiteral("A 点和 B 点的点名同时填入 N0 和 N(n+1)。"));
    layout->addWidget(note);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("导入"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

std::vector<DraftEdit> KnownPointsDialog::edits() const
{
    std::vector<DraftEdit> edits;
    for (std::size_t r = 0; r < std::size(roles); ++r) {
        const int chosen = choices_[r]->currentData().toInt();
        if (chosen == keepEntry) continue;
        if (chosen == absentEntry) {
            edits.push_back({{roles[r].x, 0}, "0"});
            edits.push_back({{roles[r].y, 0}, "0"});
            continue;
        }
        const FilePoint& point = points_[static_cast<std::size_t>(chosen)];
        edits.push_back({{roles[r].x, 0}, point.x});
        edits.push_back({{roles[r].y, 0}, point.y});
        // The names of A and B are those of the first and the last route point.
        if (r == 0 && triangles_ > 0) edits.push_back({{KeyFamily::pointName, 0}, point.name});
        if (r == 3 && triangles_ > 0) edits.push_back({{KeyFamily::pointName, triangles_ + 1}, point.name});
    }
    return edits;
}

}  // namespace kestrane
