// The normal matrix N = A Q A^T of the second-group conditions, kept in the
// shape the chain gives it, and the parts of its inverse the analysis needs.
//
// Conditions 2k-1 and 2k (the two side-angle conditions of triangle k) form
// block k. A side-angle condition shares observations only with its own
// triangle's other condition and, through a shared side, with a condition
// of the neighbouring triangle; so the band is block tridiagonal with 2x2
// blocks B(k,k), B(k,k+1). The azimuth, X and Y conditions (2n+1..2n+3)
// reach every triangle: they form a border C(k) (2x3 per block) and a 3x3
// corner D.
//
//     N = | B    C |      B: 2n x 2n block tridiagonal
//         | C^T  D |
//
// B is reduced from both ends of the chain: F(k) = B(k,k) - B(k,k-1) F(k-1)^-1
// B(k-1,k) from the start, R(k) = B(k,k) - B(k,k+1) R(k+1)^-1 B(k+1,k) from
// the end. The diagonal blocks of B^-1 are (F(k) + R(k) - B(k,k))^-1, its
// neighbouring blocks -(B^-1)(k,k) B(k,k+1) R(k+1)^-1. The border is
// eliminated through G = B^-1 C and the 3x3 Schur complement
// S = D - C^T G; then (N^-1) = B^-1 + G S^-1 G^T on the band, -G S^-1 between
// band and border, S^-1 on the border. Everything is linear in n; no dense
// inverse is formed.
#pragma once

#include <utility>
#include <vector>

#include "analysis/small_matrix.h"
#include "chain/chain_survey.h"

namespace kestrane {

class ChainNormals {
public:
    // Forms N from rows 1..2n+3 of job.conditionMatrix and
    // job.weightReciprocal, and reduces it. Throws NotPositiveDefinite when N
    // is not positive definite, std::logic_error when a side-angle condition
    // shares an observation with one beyond the neighbouring triangle.
    explicit ChainNormals(const ChainSurvey& job);

    int triangles() const { return n_; }
    int conditions() const { return 2 * n_ + 3; }

    // Where condition r (1..2n+3) sits: its triangle block k (1..n) and place
    // 0 or 1 in it, or k = 0 and its place 0..2 in the border.
    struct Place {
        int block;
        int index;
    };
    Place placeOf(int condition) const;

    // (N^-1)(r, s) for two conditions that share an observation (or lie in
    // the same or neighbouring blocks, or in the border). Throws
    // std::logic_error for a pair outside that pattern.
    double inverse(int r, int s) const;

    // x^T N^-1 x for x given by its non-zero entries (condition, value),
    // all of them pairwise inside the pattern of inverse().
    double inverseForm(const std::vector<std::pair<int, double>>& x) const;

    // The recurrences, for the prefix sums of the point weight functions.
    // gain(k) = B(k,k-1) F(k-1)^-1 (zero for k = 1).
    const Matrix2& forwardInverse(int k) const { return forwardInverse_[k]; }
    const Matrix2& gain(int k) const { return gain_[k]; }
    const Matrix2& inverseDiagonal(int k) const { return inverseDiagonal_[k]; }
    const Matrix2x3& borderSolution(int k) const { return borderSolution_[k]; }  // G rows of block k
    const Matrix3& schurInverse() const { return schurInverse_; }

private:
    void form(const ChainSurvey& job);
    void reduce();
    void add(int r, int s, double value);
    // B^-1 b for a block vector b (blocks 1..n).
    template <typename Block>
    void solveBand(std::vector<Block>& b) const;

    int n_;
    std::vector<Matrix2> diagonal_;         // B(k,k), 1..n
    std::vector<Matrix2> upper_;            // B(k,k+1), 1..n-1
    std::vector<Matrix2x3> border_;         // C(k), 1..n
    Matrix3 corner_;                        // D
    std::vector<Matrix2> forwardInverse_;   // F(k)^-1
    std::vector<Matrix2> gain_;             // B(k,k-1) F(k-1)^-1
    std::vector<Matrix2> inverseDiagonal_;  // (B^-1)(k,k)
    std::vector<Matrix2> inverseUpper_;     // (B^-1)(k,k+1)
    std::vector<Matrix2x3> borderSolution_; // G(k) = (B^-1 C)(k)
    Matrix3 schurInverse_;                  // S^-1
};

}  // namespace kestrane
