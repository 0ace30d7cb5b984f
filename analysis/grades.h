// The grades of a triangulation network and their limits, as data: the five
// grades of the national standard for engineering surveys and a grade the
// office types itself (自定义). Every figure carries the place it comes from.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrane {

struct Grade {
    std::string name;                  // 二等 三等 四等 一级 二级, or 自定义
    std::string source;                // the standard, its edition and table; "自定义" for the office's own
    double angle = 0;                  // mβ, the angle RMS error, seconds
    double triangle = 0;               // the largest triangle misclosure, seconds
    double side = 0;                   // the side relative RMS error, as N of 1/N
    double weakestSide = 0;            // the weakest side's relative RMS error, as N of 1/N
    std::optional<double> meanSideKm;  // the grade's mean side, for reading only
};

inline const std::string customGradeName = "自定义";

// The five grades of the standard, from the highest.
const std::vector<Grade>& standardGrades();

// The standard's grade of that name (二等 … 二级); nothing for any other text.
std::optional<Grade> standardGrade(std::string_view name);

// Whether a text names a grade: one of the standard's, or 自定义.
bool isGradeName(std::string_view name);

// The office's own grade from its four figures.
Grade customGrade(double angle, double triangle, double side, double weakestSide);

// The range a figure of a custom grade must lie in: a figure of no grade
// beyond it (0, or 1e-300, would make limits of no finite size).
inline constexpr double smallestGradeFigure = 0.001;
inline constexpr double largestGradeFigure = 1e9;

// Whether a figure of a custom grade can stand: from smallestGradeFigure to
// largestGradeFigure.
bool isGradeFigure(double figure);

}  // namespace kestrane
