#include "dense_analysis.h"

#include <cmath>
#include <stdexcept>

#include "adjustment/conditions.h"
#include "dense_matrix.h"

namespace kestrane::testing {
namespace {

// The inverse of a symmetric positive definite matrix by Gauss-Jordan
// elimination (no pivoting needed for such a matrix).
DenseMatrix inverted(DenseMatrix m)
{
    const std::size_t order = m.rows();
    DenseMatrix inverse(order, order);
    for (std::size_t i = 0; i < order; ++i) inverse(i, i) = 1;
    for (std::size_t p = 0; p < order; ++p) {
        const double pivot = m(p, p);
        if (!(pivot > 0)) throw std::domain_error("dense normal matrix not positive definite");
        for (std::size_t j = 0; j < order; ++j) {
            m(p, j) /= pivot;
            inverse(p, j) /= pivot;
        }
        for (std::size_t i = 0; i < order; ++i) {
            if (i == p) continue;
            const double factor = m(i, p);
            for (std::size_t j = 0; j < order; ++j) {
                m(i, j) -= factor * m(p, j);
                inverse(i, j) -= factor * inverse(p, j);
            }
        }
    }
    return inverse;
}

}  // namespace

DenseAnalysis denseAnalysis(const ChainSurvey& job)
{
    const int n = job.triangleCount, observations = 5 * n + 3, conditions = 3 * n + 3;
    const auto& Q = job.weightReciprocal;
    DenseMatrix A(conditions, observations);
    for (int i = 1; i <= n; ++i)
        for (int c = 3 * i - 2; c <= 3 * i; ++c) A(i - 1, c) = 1;  // A(i) + B(i) + C(i) = 180
    for (int r = 1; r <= 2 * n + 3; ++r)
        for (int c = 0; c < observations; ++c) A(n + r - 1, c) = job.conditionMatrix(r, c);

    DenseMatrix N(conditions, conditions);
    for (int i = 0; i < conditions; ++i)
        for (int j = 0; j < conditions; ++j)
            for (int c = 0; c < observations; ++c) N(i, j) += A(i, c) * Q[c] * A(j, c);
    const DenseMatrix Ninv = inverted(N);

    // q f^T A^T N^-1 A q g for two observation-space vectors f, g.
    const auto reduced = [&](const std::vector<double>& f, const std::vector<double>& g) {
        std::vector<double> af(conditions), ag(conditions);
        for (int i = 0; i < conditions; ++i)
            for (int c = 0; c < observations; ++c) {
                af[i] += A(i, c) * Q[c] * f[c];
                ag[i] += A(i, c) * Q[c] * g[c];
            }
        double form = 0;
        for (int i = 0; i < conditions; ++i)
            for (int j = 0; j < conditions; ++j) form += af[i] * Ninv(i, j) * ag[j];
        return form;
    };

    DenseAnalysis dense;
    for (int c = 0; c < observations; ++c) {
        std::vector<double> unit(observations);
        unit[c] = 1;
        dense.residualWeightReciprocal.push_back(reduced(unit, unit));
    }

    // The weight functions of P(j) in millimetres: each spacer angle (and Qa)
    // turns the route beyond its station, each side moves the point it
    // reaches along itself. A fan keeps the station of the triangle before;
    // the route goes on from there, not from the far end of the side before.
    const auto& X = job.linearisedX;
    const auto& Y = job.linearisedY;
    const auto& s = job.spacerSign;
    const double rho = job.linearisedRho;
    std::vector<int> station(n + 1, 1);
    for (int i = 2; i <= n; ++i) station[i] = s[i] == s[i - 1] ? station[i - 1] : i;
    const auto along = [&](double dx, double dy, double d) { return std::hypot(dx, dy) > 0 ? d / std::hypot(dx, dy) : 0; };
    dense.points.resize(n + 2);
    for (int j = 1; j <= n + 1; ++j) {
        std::vector<double> fx(observations), fy(observations);
        if (chainCaseOf(job) == ChainCase::hangingOnA) {
            const double dx = X[1] - job.xa.value, dy = Y[1] - job.ya.value;
            fx[0] = s[0] * 1000 * (job.ya.value - Y[j]) / rho;
            fy[0] = s[0] * 1000 * (X[j] - job.xa.value) / rho;
            fx[3 * n + 1] = along(dx, dy, dx);
            fy[3 * n + 1] = along(dx, dy, dy);
        }
        for (int i = 1; i < j && i <= n; ++i) {
            const int o = station[i];
            fx[3 * i] = s[i] * 1000 * (Y[o] - Y[j]) / rho;
            fy[3 * i] = s[i] * 1000 * (X[j] - X[o]) / rho;
            if (i + 1 < j && s[i + 1] == s[i]) continue;
            const double dx = X[i + 1] - X[o], dy = Y[i + 1] - Y[o];
            fx[3 * n + 2 * i + 1] = along(dx, dy, dx);
            fy[3 * n + 2 * i + 1] = along(dx, dy, dy);
        }
        const auto bracket = [&](const std::vector<double>& f, const std::vector<double>& g) {
            double sum = 0;
            for (int c = 0; c < observations; ++c) sum += f[c] * Q[c] * g[c];
            return sum - reduced(f, g);
        };
        dense.points[j] = {bracket(fx, fx), bracket(fy, fy), bracket(fx, fy)};
    }
    return dense;
}

}  // namespace kestrane::testing
