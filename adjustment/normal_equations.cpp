#include "adjustment/normal_equations.h"

#include <cmath>

#include "chain/display_format.h"
#include "input/dialogue.h"

namespace kestrane {
namespace {

// A pivot no larger than this share of its unreduced diagonal element means
// the conditions are dependent (or nearly so) and the system has no usable
// solution.
constexpr double smallestPivotShare = 1e-12;

[[noreturn]] void stopUnsolvable(int equation)
{
    throw JobStopped{"法方程无法求解:第 " + std::to_string(equation) +
                     " 个法方程在消元中失去了主元(条件方程线性相关或有误)。\n"
                     "请检查已知点座标、方位角、定向角以及三角形的角度和边长是否输入正确。"};
}

// Reduces rows first..2n+3 of M in place, columns i..2n+4, and checks each
// pivot against the unreduced diagonal element.
void reduce(DenseMatrix& M, int triangles, int first, const std::vector<double>& unreducedDiagonal)
{
    const int conditions = 2 * triangles + 3, rhs = conditions + 1;
    for (int i = first; i <= conditions; ++i) {
        for (int j = i; j <= rhs; ++j) {
            double t = M(i, j);
            for (int k = 1; k <= i - 1; ++k) t = t - M(k, i) * M(k, j) / M(k, k);
            M(i, j) = t;
        }
        const double pivot = M(i, i);
        if (!std::isfinite(pivot) || !(pivot > smallestPivotShare * unreducedDiagonal[i])) stopUnsolvable(i);
    }
}

// x(i) = -(M(i, 2n+4) + sum of x(j) M(i, j), j > i) / M(i, i), from the last row up.
void backSubstitute(const DenseMatrix& M, int triangles, std::vector<double>& x)
{
    const int conditions = 2 * triangles + 3, rhs = conditions + 1;
    for (int i = conditions; i >= 1; --i) {
        double t = M(i, rhs);
        for (int j = i + 1; j <= conditions; ++j) t = t + x[j] * M(i, j);
        x[i] = -t / M(i, i);
        if (!std::isfinite(x[i])) stopUnsolvable(i);
    }
}

std::vector<double> diagonalOf(const DenseMatrix& M)
{
    std::vector<double> diagonal(M.rows());
    for (std::size_t i = 0; i < M.rows(); ++i) diagonal[i] = M(i, i);
    return diagonal;
}

// A weight reciprocal cannot be negative; rounding can make a zero one so.
double weightReciprocal(double value)
{
    return value < 0 ? 0 : value;
}

}  // namespace

void formNormalEquations(ChainSurvey& job)
{
    const int n = job.triangleCount;
    const int order = 2 * n + 5, observations = 5 * n + 2;
    const auto& A = job.conditionMatrix;
    const auto& Q = job.weightReciprocal;
    for (int row = 1; row <= order; ++row)
        for (int k = 0; k <= observations; ++k)
            if (!std::isfinite(A(row, k))) stopUnsolvable(row);

    // Both loops run over the full range: every element is computed twice, and
    // (i, j) with i < j keeps the sum of A(i,k) * (A(j,k) * Q(k)).
    for (int i = 1; i <= order; ++i) {
        for (int j = 1; j <= order; ++j) {
            double s = 0;
            for (int k = 0; k <= observations; ++k) s += A(j, k) * (A(i, k) * Q[k]);
            job.normalMatrix(i, j) = s;
            job.workMatrix(i, j) = s;
            job.normalMatrix(j, i) = s;
            job.workMatrix(j, i) = s;
        }
    }
}

double add(const DenseMatrix& normal, DenseMatrix& work, int triangles, int col, std::vector<double>& correlates)
{
    reduce(work, triangles, 1, diagonalOf(normal));
    backSubstitute(work, triangles, correlates);
    double s = 0;
    for (int i = 1; i <= 2 * triangles + 3; ++i) s += correlates[i] * normal(i, col);
    return s;
}

void solveNormalEquations(ChainSurvey& job, WindowFields& fields)
{
    const int n = job.triangleCount;
    const int conditions = 2 * n + 3, fx = 2 * n + 4, fy = 2 * n + 5;
    auto& N = job.normalMatrix;
    auto& work = job.workMatrix;
    const std::vector<double> unreducedDiagonal = diagonalOf(N);
    for (int i = 1; i <= fy; ++i)
        for (int j = 1; j <= fy; ++j)
            if (!std::isfinite(N(i, j))) stopUnsolvable(i);

    job.invPx = weightReciprocal(add(N, work, n, fx, job.correlates) + work(fx, fx));
    fields.setText(Text22, " " + weightPattern(job.invPx));

    // Restore the unreduced block and move the products of f_Y into the
    // right-hand-side column.
    for (int i = 1; i <= conditions; ++i) {
        for (int j = 1; j <= conditions; ++j) {
            work(i, j) = N(i, j);
            work(j, i) = N(j, i);
        }
        work(i, fx) = work(i, fy);
    }
    job.invPy = weightReciprocal(add(N, work, n, fy, job.correlates) + work(fy, fy));
    fields.setText(Text23, " " + weightPattern(job.invPy));

    // The correlates, with the misclosures as right-hand side; row 1 needs no
    // reduction, and its pivot passed in the solves above.
    for (int i = 1; i <= conditions; ++i) N(i, fx) = job.misclosure[i];
    reduce(N, n, 2, unreducedDiagonal);
    backSubstitute(N, n, job.correlates);
}

}  // namespace kestrane
