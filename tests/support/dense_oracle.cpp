#include "dense_oracle.h"

#include <cmath>

#include "adjustment/adjustment_error.h"
#include "adjustment/conditions.h"
#include "chain/angles.h"

namespace kestrane::testing {
namespace {

constexpr double rho = secondsPerRadian;

void writeSpacerTerms(DenseMatrix& a, int row, int i, double q)
{
    a(row, 3 * i - 2) = -q / 3;
    a(row, 3 * i - 1) = -q / 3;
    a(row, 3 * i) = 2 * q / 3;
}

void coordinateRows(const ChainSurvey& job, DenseMatrix& a, ChainCase chainCase, int rowX, int legs, double xEnd,
                    double yEnd, double angleScale, double sideScale)
{
    const int n = job.triangleCount;
    const int rowY = rowX + 1;
    const auto& s = job.spacerSign;
    const auto& X = job.routeX;
    const auto& Y = job.routeY;
    const auto& S = job.sideLength;
    for (int i = 1; i <= legs; ++i) {
        writeSpacerTerms(a, rowX, i, s[i] * angleScale * (Y[i] - yEnd) / rho);
        writeSpacerTerms(a, rowY, i, s[i] * angleScale * (xEnd - X[i]) / rho);
        a(rowX, 3 * n + 2 * i + 1) = (X[i + 1] - X[i]) / S[2 * i + 1] / sideScale;
        a(rowY, 3 * n + 2 * i + 1) = (Y[i + 1] - Y[i]) / S[2 * i + 1] / sideScale;
    }
    if (chainCase == ChainCase::hangingOnA) {
        const double xa = job.xa.value, ya = job.ya.value;
        a(rowX, 0) = s[0] * angleScale * (ya - yEnd) / rho;
        a(rowY, 0) = s[0] * angleScale * (xEnd - xa) / rho;
        a(rowX, 3 * n + 1) = (X[1] - xa) / S[1] / sideScale;
        a(rowY, 3 * n + 1) = (Y[1] - ya) / S[1] / sideScale;
    }
}

void denseConditions(const ChainSurvey& job, DenseMatrix& a, double sideScale)
{
    const int n = job.triangleCount;
    const ChainCase chainCase = chainCaseOf(job);
    const auto& S = job.sideLength;
    for (int i = 1; i <= n; ++i) {
        const double A = job.angleA[i] * degToRad, B = job.angleB[i] * degToRad, C = job.angleC[i] * degToRad;
        const int odd = 2 * i - 1;
        const double oddA = S[2 * i] * std::cos(A) / rho;
        const double oddC = -S[2 * i + 1] * std::cos(C) / rho;
        const double oddMean = (S[2 * i] * std::cos(A) - S[2 * i + 1] * std::cos(C)) / rho / 3;
        a(odd, 3 * i - 2) = oddA - oddMean;
        a(odd, 3 * i - 1) = -oddMean;
        a(odd, 3 * i) = oddC - oddMean;
        a(odd, 3 * n + 2 * i) = std::sin(A) / sideScale;
        a(odd, 3 * n + 2 * i + 1) = (i == n && dGiven(job)) ? 0 : -std::sin(C) / sideScale;
        const int even = 2 * i;
        const double evenB = -S[2 * i] * std::cos(B) / rho;
        const double evenC = S[2 * i - 1] * std::cos(C) / rho;
        const double evenMean = (-S[2 * i] * std::cos(B) + S[2 * i - 1] * std::cos(C)) / rho / 3;
        a(even, 3 * i - 2) = -evenMean;
        a(even, 3 * i - 1) = evenB - evenMean;
        a(even, 3 * i) = evenC - evenMean;
        a(even, 3 * n + 2 * i - 1) = (i == 1 && cGiven(job)) ? 0 : std::sin(C) / sideScale;
        a(even, 3 * n + 2 * i) = -std::sin(B) / sideScale;
    }
    const int K = weakestPoint(n);
    const auto& s = job.spacerSign;
    for (int i = 1; i <= n; ++i) writeSpacerTerms(a, 2 * n + 1, i, s[i]);
    if (chainCase == ChainCase::hangingOnA) a(2 * n + 1, 0) = s[0];
    if (chainCase == ChainCase::hangingOnA || chainCase == ChainCase::knownStartSide) a(2 * n + 1, 5 * n + 2) = s[n + 1];
    if (chainCase == ChainCase::none) return;

    int legs = n;
    double xEnd = job.xb.value, yEnd = job.yb.value;
    if (chainCase == ChainCase::knownStartAndEndSide) {
        legs = closingLegCount(job);
        xEnd = job.xd.value;
        yEnd = job.yd.value;
        if (legs <= 0) throw AdjustmentError(AdjustmentError::Cause::noCoordinateLegs);
    }
    coordinateRows(job, a, chainCase, 2 * n + 2, legs, xEnd, yEnd, 1, sideScale);
    coordinateRows(job, a, chainCase, 2 * n + 4, K - 1, job.routeX[K], job.routeY[K], 1000, 1);
}

[[noreturn]] void unsolvable(int equation)
{
    throw AdjustmentError(AdjustmentError::Cause::normalEquationsUnsolvable, equation);
}

void reduce(DenseMatrix& M, int n, int first, const std::vector<double>& diagonal)
{
    for (int i = first; i <= 2 * n + 3; ++i) {
        for (int j = i; j <= 2 * n + 4; ++j) {
            double t = M(i, j);
            for (int k = 1; k <= i - 1; ++k) t = t - M(k, i) * M(k, j) / M(k, k);
            M(i, j) = t;
        }
        if (!std::isfinite(M(i, i)) || !(M(i, i) > 1e-12 * diagonal[i])) unsolvable(i);
    }
}

void backSubstitute(const DenseMatrix& M, int n, std::vector<double>& x)
{
    for (int i = 2 * n + 3; i >= 1; --i) {
        double t = M(i, 2 * n + 4);
        for (int j = i + 1; j <= 2 * n + 3; ++j) t = t + x[j] * M(i, j);
        x[i] = -t / M(i, i);
        if (!std::isfinite(x[i])) unsolvable(i);
    }
}

std::vector<double> diagonalOf(const DenseMatrix& M)
{
    std::vector<double> diagonal(M.rows());
    for (std::size_t i = 0; i < M.rows(); ++i) diagonal[i] = M(i, i);
    return diagonal;
}

double denseAdd(const DenseMatrix& normal, DenseMatrix& work, int n, int col, std::vector<double>& x)
{
    reduce(work, n, 1, diagonalOf(normal));
    backSubstitute(work, n, x);
    double s = 0;
    for (int i = 1; i <= 2 * n + 3; ++i) s += x[i] * normal(i, col);
    return s;
}

}  // namespace

void denseAdjust(ChainSurvey& job, DenseAdjustment& dense, SideUnit unit)
{
    const int n = job.triangleCount;
    const int order = 2 * n + 5, observations = 5 * n + 2;
    dense.conditionMatrix = DenseMatrix(order + 1, 5 * n + 6);
    dense.normalMatrix = DenseMatrix(order + 1, order + 1);
    dense.workMatrix = DenseMatrix(order + 1, order + 1);
    auto& a = dense.conditionMatrix;
    auto& N = dense.normalMatrix;
    auto& work = dense.workMatrix;
    const auto& Q = job.weightReciprocal;

    const double sideScale = unit == SideUnit::millimetres ? 1000 : 1;
    denseConditions(job, a, sideScale);
    for (int row = 1; row <= order; ++row)
        for (int k = 0; k <= observations; ++k)
            if (!std::isfinite(a(row, k))) unsolvable(row);

    for (int i = 1; i <= order; ++i) {
        for (int j = 1; j <= order; ++j) {
            double s = 0;
            for (int k = 0; k <= observations; ++k) s += a(j, k) * (a(i, k) * Q[k]);
            N(i, j) = s;
            work(i, j) = s;
            N(j, i) = s;
            work(j, i) = s;
        }
    }

    const int conditions = 2 * n + 3, fx = 2 * n + 4, fy = 2 * n + 5;
    const std::vector<double> unreduced = diagonalOf(N);
    for (int i = 1; i <= fy; ++i)
        for (int j = 1; j <= fy; ++j)
            if (!std::isfinite(N(i, j))) unsolvable(i);
    const double px = denseAdd(N, work, n, fx, job.correlates) + work(fx, fx);
    job.invPx = px < 0 ? 0 : px;
    for (int i = 1; i <= conditions; ++i) {
        for (int j = 1; j <= conditions; ++j) {
            work(i, j) = N(i, j);
            work(j, i) = N(j, i);
        }
        work(i, fx) = work(i, fy);
    }
    const double py = denseAdd(N, work, n, fy, job.correlates) + work(fy, fy);
    job.invPy = py < 0 ? 0 : py;
    for (int i = 1; i <= conditions; ++i) N(i, fx) = job.misclosure[i];
    reduce(N, n, 2, unreduced);
    backSubstitute(N, n, job.correlates);

    // Corrections.
    const auto& K = job.correlates;
    auto& v = job.correction;
    job.sumPVVSides = 0;
    job.sumVVAngles = job.firstGroupSumVV;
    for (int i = 1; i <= n; ++i) {
        for (int c = 3 * i - 2; c <= 3 * i; ++c) {
            v[c] = 0;
            for (int j = 1; j <= conditions; ++j) v[c] += a(j, c) * K[j];
        }
        job.angleA[i] += v[3 * i - 2] / 3600;
        job.angleB[i] += v[3 * i - 1] / 3600;
        job.angleC[i] += v[3 * i] / 3600;
        job.sumVVAngles = job.sumVVAngles + v[3 * i - 2] * v[3 * i - 2] + v[3 * i - 1] * v[3 * i - 1] + v[3 * i] * v[3 * i];
    }
    v[0] = a(2 * n + 1, 0) * K[2 * n + 1] + a(2 * n + 2, 0) * K[2 * n + 2] + a(2 * n + 3, 0) * K[2 * n + 3];
    v[5 * n + 2] = a(2 * n + 1, 5 * n + 2) * K[2 * n + 1];
    job.qaDeg = job.qaDeg + job.spacerSign[0] * v[0] / 3600;
    job.sumVVAngles = job.sumVVAngles + v[0] * v[0] + v[5 * n + 2] * v[5 * n + 2];
    const double qs = job.sideWeightReciprocal;
    for (int k = 1; k <= 2 * n + 1; ++k) {
        v[3 * n + k] = 0;
        for (int j = 1; j <= conditions; ++j) v[3 * n + k] += K[j] * (a(j, 3 * n + k) * qs);
        job.sideLength[k] += v[3 * n + k] / sideScale;
        job.sumPVVSides += v[3 * n + k] * v[3 * n + k] / qs;
    }
}

}  // namespace kestrane::testing
