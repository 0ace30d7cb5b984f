#include "analysis/grades.h"

#include <cmath>

namespace kestrane {
namespace {

// GB 50026-2007《工程测量规范》表 3.4.1 三角形网测量的主要技术要求: mean side,
// angle RMS error, side relative RMS error, weakest side relative RMS error,
// largest triangle misclosure. An office bound to another edition or to a
// city standard types its figures as 自定义.
const char* const standardSource = "GB 50026-2007《工程测量规范》表 3.4.1";

struct GradeRow {
    const char* name;
    double meanSideKm;
    double angle;
    double side;
    double weakestSide;
    double triangle;
};

const GradeRow gradeRows[] = {
    {"二等", 9, 1, 250000, 120000, 3.5},
    {"三等", 4.5, 1.8, 150000, 70000, 7},
    {"四等", 2, 2.5, 100000, 40000, 9},
    {"一级", 1, 5, 40000, 20000, 15},
    {"二级", 0.5, 10, 20000, 10000, 30},
};

std::vector<Grade> gradesOfTable()
{
    std::vector<Grade> grades;
    for (const GradeRow& row : gradeRows)
        grades.push_back({row.name, standardSource, row.angle, row.triangle, row.side, row.weakestSide, row.meanSideKm});
    return grades;
}

}  // namespace

const std::vector<Grade>& standardGrades()
{
    static const std::vector<Grade> grades = gradesOfTable();
    return grades;
}

std::optional<Grade> standardGrade(std::string_view name)
{
    for (const Grade& grade : standardGrades())
        if (grade.name == name) return grade;
    return std::nullopt;
}

bool isGradeName(std::string_view name)
{
    return name == customGradeName || standardGrade(name).has_value();
}

Grade customGrade(double angle, double triangle, double side, double weakestSide)
{
    return {customGradeName, customGradeName, angle, triangle, side, weakestSide, std::nullopt};
}

bool isGradeFigure(double figure)
{
    return std::isfinite(figure) && figure >= smallestGradeFigure && figure <= largestGradeFigure;
}

}  // namespace kestrane
