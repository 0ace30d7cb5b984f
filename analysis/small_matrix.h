// Small fixed-size matrices for the recurrences along the chain: the 2x2
// block of a triangle's two side-angle conditions, the 3x3 border of the
// azimuth, X and Y conditions, and three columns for the three prefix sums
// that make up the weight functions of every route point.
#pragma once

#include <array>
#include <cmath>
#include <stdexcept>

namespace kestrane {

// A matrix that must be positive definite is not: the normal matrix of
// conditions that are dependent, or of weights that are not positive.
class NotPositiveDefinite : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

template <int Rows, int Columns>
struct SmallMatrix {
    std::array<double, Rows * Columns> element{};

    double& operator()(int i, int j) { return element[i * Columns + j]; }
    double operator()(int i, int j) const { return element[i * Columns + j]; }

    SmallMatrix& operator+=(const SmallMatrix& other)
    {
        for (int k = 0; k < Rows * Columns; ++k) element[k] += other.element[k];
        return *this;
    }
    SmallMatrix& operator-=(const SmallMatrix& other)
    {
        for (int k = 0; k < Rows * Columns; ++k) element[k] -= other.element[k];
        return *this;
    }
    friend SmallMatrix operator+(SmallMatrix a, const SmallMatrix& b) { return a += b; }
    friend SmallMatrix operator-(SmallMatrix a, const SmallMatrix& b) { return a -= b; }
};

using Matrix2 = SmallMatrix<2, 2>;
using Matrix3 = SmallMatrix<3, 3>;
using Matrix2x3 = SmallMatrix<2, 3>;

// a b
template <int R, int K, int C>
SmallMatrix<R, C> operator*(const SmallMatrix<R, K>& a, const SmallMatrix<K, C>& b)
{
    SmallMatrix<R, C> product;
    for (int i = 0; i < R; ++i)
        for (int k = 0; k < K; ++k)
            for (int j = 0; j < C; ++j) product(i, j) += a(i, k) * b(k, j);
    return product;
}

// a^T b
template <int K, int R, int C>
SmallMatrix<R, C> transposedTimes(const SmallMatrix<K, R>& a, const SmallMatrix<K, C>& b)
{
    SmallMatrix<R, C> product;
    for (int k = 0; k < K; ++k)
        for (int i = 0; i < R; ++i)
            for (int j = 0; j < C; ++j) product(i, j) += a(k, i) * b(k, j);
    return product;
}

template <int R, int C>
SmallMatrix<C, R> transposed(const SmallMatrix<R, C>& a)
{
    SmallMatrix<C, R> t;
    for (int i = 0; i < R; ++i)
        for (int j = 0; j < C; ++j) t(j, i) = a(i, j);
    return t;
}

// The inverse of a symmetric positive definite matrix, by its Cholesky
// factor L L^T (stable for such matrices whatever the scales of their rows);
// throws NotPositiveDefinite when a pivot is not positive.
template <int N>
SmallMatrix<N, N> inverseOfPositive(const SmallMatrix<N, N>& m)
{
    SmallMatrix<N, N> L;
    for (int j = 0; j < N; ++j) {
        double pivot = m(j, j);
        for (int k = 0; k < j; ++k) pivot -= L(j, k) * L(j, k);
        if (!(pivot > 0)) throw NotPositiveDefinite("normal matrix block not positive definite");
        L(j, j) = std::sqrt(pivot);
        for (int i = j + 1; i < N; ++i) {
            double t = m(i, j);
            for (int k = 0; k < j; ++k) t -= L(i, k) * L(j, k);
            L(i, j) = t / L(j, j);
        }
    }
    // L^-1, lower triangular, column by column.
    SmallMatrix<N, N> Linv;
    for (int j = 0; j < N; ++j) {
        Linv(j, j) = 1 / L(j, j);
        for (int i = j + 1; i < N; ++i) {
            double t = 0;
            for (int k = j; k < i; ++k) t -= L(i, k) * Linv(k, j);
            Linv(i, j) = t / L(i, i);
        }
    }
    return transposedTimes(Linv, Linv);
}

}  // namespace kestrane
