#include "adjustment/normal_equations.h"

#include <algorithm>
#include <cmath>

#include "adjustment/adjustment_error.h"

namespace kestrane {
namespace {

// A pivot no larger than this share of its unreduced diagonal element means
// the conditions are dependent (or nearly so) and the system has no usable
// solution.
constexpr double smallestPivotShare = 1e-12;

[[noreturn]] void stopUnsolvable(int equation)
{
    throw AdjustmentError(AdjustmentError::Cause::normalEquationsUnsolvable, equation);
}

// The normal matrix is a band along the side-angle conditions of
// neighbouring triangles, bordered by the five rows and columns of the
// azimuth, X and Y conditions and the two weight functions, which reach
// every triangle. Elimination visits only the envelope; everything outside
// it is an exact zero in every row reduced so far, and so is every term left
// out of a sum.
class Envelope {
public:
    Envelope(const EnvelopeMatrix& M, int triangles) : border_(2 * triangles + 1)
    {
        for (int j = 1; j < border_; ++j) reach_ = std::max(reach_, j - M.firstRow(j));
    }

    // Calls visit(j) for the columns j >= i, j <= last, whose envelope holds row i.
    template <typename Visit>
    void columnsOfRow(const EnvelopeMatrix& M, int i, int last, Visit visit) const
    {
        for (int j = i; j <= std::min(last, std::min(border_ - 1, i + reach_)); ++j)
            if (M.firstRow(j) <= i) visit(j);
        for (int j = std::max(i, border_); j <= last; ++j) visit(j);
    }

private:
    int border_;     // first column of the border
    int reach_ = 0;  // widest reach of a band column above its diagonal
};

// Reduces rows first..2n+3 of M in place, columns i..2n+4: for each element
// t = M(i,j) - sum over k < i of M(k,i) M(k,j) / M(k,k), checking each pivot
// against the unreduced diagonal element.
void reduce(EnvelopeMatrix& M, int triangles, int first, const std::vector<double>& unreducedDiagonal)
{
    const int conditions = 2 * triangles + 3, rhs = conditions + 1;
    const Envelope envelope(M, triangles);
    for (int i = first; i <= conditions; ++i) {
        envelope.columnsOfRow(M, i, rhs, [&](int j) {
            double t = M.at(i, j);
            for (int k = std::max(M.firstRow(i), M.firstRow(j)); k <= i - 1; ++k)
                t = t - M.at(k, i) * M.at(k, j) / M.at(k, k);
            M.at(i, j) = t;
        });
        const double pivot = M.at(i, i);
        if (!std::isfinite(pivot) || !(pivot > smallestPivotShare * unreducedDiagonal[i])) stopUnsolvable(i);
    }
}

// x(i) = -(M(i, 2n+4) + sum of x(j) M(i, j), j > i) / M(i, i), from the last row up.
void backSubstitute(const EnvelopeMatrix& M, int triangles, std::vector<double>& x)
{
    const int conditions = 2 * triangles + 3, rhs = conditions + 1;
    const Envelope envelope(M, triangles);
    for (int i = conditions; i >= 1; --i) {
        double t = M.at(i, rhs);
        envelope.columnsOfRow(M, i, conditions, [&](int j) {
            if (j > i) t = t + x[j] * M.at(i, j);
        });
        x[i] = -t / M.at(i, i);
        if (!std::isfinite(x[i])) stopUnsolvable(i);
    }
}

std::vector<double> diagonalOf(const EnvelopeMatrix& M)
{
    std::vector<double> diagonal(M.order() + 1);
    for (int i = 0; i <= M.order(); ++i) diagonal[i] = M.at(i, i);
    return diagonal;
}

// A weight reciprocal cannot be negative; rounding can make a zero one so.
double weightReciprocal(double value)
{
    return value < 0 ? 0 : value;
}

// For each column j of the normal matrix, the first row i <= j whose
// condition shares an observation with condition j. The border columns
// (azimuth, X, Y, both weight functions; 2n+4 also holds the right-hand
// sides) are kept whole.
std::vector<int> envelopeOf(const ConditionRows& a, int triangles)
{
    const int order = 2 * triangles + 5;
    std::vector<int> first(order + 1);
    for (int j = 0; j <= order; ++j) first[j] = j;
    for (int k = 0; k <= 5 * triangles + 2; ++k) {
        const auto& rows = a.column(k);
        if (rows.empty()) continue;
        for (const auto& entry : rows) first[entry.row] = std::min(first[entry.row], rows.front().row);
    }
    for (int j = 2 * triangles + 1; j <= order; ++j) first[j] = 1;
    return first;
}

}  // namespace

void formNormalEquations(ChainSurvey& job)
{
    const int n = job.triangleCount;
    const int order = 2 * n + 5;
    const auto& a = job.conditionMatrix;
    const auto& Q = job.weightReciprocal;
    for (int row = 1; row <= order; ++row)
        for (const auto& entry : a.row(row))
            if (!std::isfinite(entry.value)) stopUnsolvable(row);

    job.normalMatrix = EnvelopeMatrix(envelopeOf(a, n));
    // (i, j), i <= j, is the sum over the observations k, in ascending order,
    // of A(i,k) * (A(j,k) * Q(k)); row j is spread out once per column.
    std::vector<double> weighted(5 * n + 3, 0.0);
    for (int j = 1; j <= order; ++j) {
        for (const auto& entry : a.row(j)) weighted[entry.column] = entry.value * Q[entry.column];
        for (int i = job.normalMatrix.firstRow(j); i <= j; ++i) {
            double s = 0;
            for (const auto& entry : a.row(i)) s += entry.value * weighted[entry.column];
            job.normalMatrix.at(i, j) = s;
        }
        for (const auto& entry : a.row(j)) weighted[entry.column] = 0;
    }
    for (int j = 1; j <= order; ++j)
        for (int i = job.normalMatrix.firstRow(j); i <= j; ++i)
            if (!std::isfinite(job.normalMatrix.at(i, j))) stopUnsolvable(i);
    job.workMatrix = job.normalMatrix;
}

double add(const EnvelopeMatrix& normal, EnvelopeMatrix& work, int triangles, int col, std::vector<double>& correlates)
{
    reduce(work, triangles, 1, diagonalOf(normal));
    backSubstitute(work, triangles, correlates);
    double s = 0;
    for (int i = 1; i <= 2 * triangles + 3; ++i) s += correlates[i] * normal.at(i, col);
    return s;
}

void solveWeightReciprocalX(ChainSurvey& job)
{
    const int n = job.triangleCount, fx = 2 * n + 4;
    job.invPx = weightReciprocal(add(job.normalMatrix, job.workMatrix, n, fx, job.correlates) + job.workMatrix.at(fx, fx));
}

void solveWeightReciprocalY(ChainSurvey& job)
{
    const int n = job.triangleCount;
    const int conditions = 2 * n + 3, fx = 2 * n + 4, fy = 2 * n + 5;
    const auto& N = job.normalMatrix;
    auto& work = job.workMatrix;
    // Restore the unreduced block and move the products of f_Y into the
    // right-hand-side column.
    for (int j = 1; j <= conditions; ++j)
        for (int i = N.firstRow(j); i <= j; ++i) work.at(i, j) = N.at(i, j);
    for (int i = 1; i <= conditions; ++i) work.at(i, fx) = work.at(i, fy);
    job.invPy = weightReciprocal(add(N, work, n, fy, job.correlates) + work.at(fy, fy));
}

void solveCorrelates(ChainSurvey& job)
{
    solveCorrelates(job, std::vector<double>(job.misclosure.begin(), job.misclosure.end()));
}

void solveCorrelates(ChainSurvey& job, const std::vector<double>& misclosures)
{
    const int n = job.triangleCount;
    const int conditions = 2 * n + 3, fx = 2 * n + 4;
    auto& N = job.normalMatrix;
    const std::vector<double> unreducedDiagonal = diagonalOf(N);
    // The misclosures as right-hand side; row 1 needs no reduction, and its
    // pivot passed in the solves of the weight reciprocals.
    for (int i = 1; i <= conditions; ++i) N.at(i, fx) = misclosures[i];
    reduce(N, n, 2, unreducedDiagonal);
    backSubstitute(N, n, job.correlates);
}

}  // namespace kestrane
