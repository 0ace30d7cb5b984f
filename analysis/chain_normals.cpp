#include "analysis/chain_normals.h"

#include <stdexcept>

namespace kestrane {

ChainNormals::ChainNormals(const ChainSurvey& job) : n_(job.triangleCount)
{
    if (n_ < 1) throw std::logic_error("no triangles to analyse");
    form(job);
    reduce();
}

ChainNormals::Place ChainNormals::placeOf(int condition) const
{
    if (condition <= 2 * n_) return {(condition + 1) / 2, (condition + 1) % 2};
    return {0, condition - 2 * n_ - 1};
}

void ChainNormals::add(int r, int s, double value)
{
    const Place pr = placeOf(r), ps = placeOf(s);  // r <= s: a border row never comes first
    if (pr.block == 0) {
        corner_(pr.index, ps.index) += value;
        if (r != s) corner_(ps.index, pr.index) += value;
    } else if (ps.block == 0) {
        border_[pr.block](pr.index, ps.index) += value;
    } else if (ps.block == pr.block) {
        diagonal_[pr.block](pr.index, ps.index) += value;
        if (r != s) diagonal_[pr.block](ps.index, pr.index) += value;
    } else if (ps.block == pr.block + 1) {
        upper_[pr.block](pr.index, ps.index) += value;
    } else {
        throw std::logic_error("side-angle conditions " + std::to_string(r) + " and " + std::to_string(s) +
                               " share an observation but not a triangle or a side");
    }
}

// (r, s), r <= s, is the sum over the observations k, in ascending order, of
// a(r,k) * (a(s,k) * q(k)), as the adjustment forms it.
void ChainNormals::form(const ChainSurvey& job)
{
    diagonal_.assign(n_ + 1, {});
    upper_.assign(n_ + 1, {});
    border_.assign(n_ + 1, {});
    corner_ = {};
    const int lastCondition = conditions();
    std::vector<std::pair<int, double>> entries;
    for (int k = 0; k <= 5 * n_ + 2; ++k) {
        entries.clear();
        for (const auto& entry : job.conditionMatrix.column(k))
            if (entry.row <= lastCondition) entries.emplace_back(entry.row, entry.value);
        const double q = job.weightReciprocal[k];
        for (std::size_t i = 0; i < entries.size(); ++i)
            for (std::size_t j = i; j < entries.size(); ++j)
                add(entries[i].first, entries[j].first, entries[i].second * (entries[j].second * q));
    }
}

void ChainNormals::reduce()
{
    const int n = n_;
    // From the start: F(k) and its inverse; the gains carry a block's
    // reduced right-hand side into the next.
    std::vector<Matrix2> forward(n + 1);
    forwardInverse_.assign(n + 1, {});
    gain_.assign(n + 1, {});
    forward[1] = diagonal_[1];
    forwardInverse_[1] = inverseOfPositive(forward[1]);
    for (int k = 2; k <= n; ++k) {
        gain_[k] = transposedTimes(upper_[k - 1], forwardInverse_[k - 1]);
        forward[k] = diagonal_[k] - gain_[k] * upper_[k - 1];
        forwardInverse_[k] = inverseOfPositive(forward[k]);
    }

    // From the end: R(k)^-1.
    std::vector<Matrix2> backwardInverse(n + 2);
    backwardInverse[n] = inverseOfPositive(diagonal_[n]);
    for (int k = n - 1; k >= 1; --k)
        backwardInverse[k] = inverseOfPositive(diagonal_[k] - upper_[k] * backwardInverse[k + 1] * transposed(upper_[k]));

    // Both ends meet at each block: (B^-1)(k,k) = (F(k) + R(k) - B(k,k))^-1,
    // where R(k) - B(k,k) is what the tail of the chain takes off block k.
    inverseDiagonal_.assign(n + 1, {});
    inverseUpper_.assign(n + 1, {});
    for (int k = 1; k <= n; ++k) {
        Matrix2 pivot = forward[k];
        if (k < n) pivot -= upper_[k] * backwardInverse[k + 1] * transposed(upper_[k]);
        inverseDiagonal_[k] = inverseOfPositive(pivot);
    }
    for (int k = 1; k < n; ++k) {
        Matrix2 negated = inverseDiagonal_[k] * upper_[k] * backwardInverse[k + 1];
        for (double& e : negated.element) e = -e;
        inverseUpper_[k] = negated;
    }

    // The border: G = B^-1 C and the Schur complement S = D - C^T G.
    borderSolution_ = border_;
    solveBand(borderSolution_);
    Matrix3 schur = corner_;
    for (int k = 1; k <= n; ++k) schur -= transposedTimes(border_[k], borderSolution_[k]);
    schurInverse_ = inverseOfPositive(schur);
}

template <typename Block>
void ChainNormals::solveBand(std::vector<Block>& b) const
{
    for (int k = 2; k <= n_; ++k) b[k] -= gain_[k] * b[k - 1];
    b[n_] = forwardInverse_[n_] * b[n_];
    for (int k = n_ - 1; k >= 1; --k) b[k] = forwardInverse_[k] * (b[k] - upper_[k] * b[k + 1]);
}

double ChainNormals::inverse(int r, int s) const
{
    if (r > s) std::swap(r, s);
    const Place pr = placeOf(r), ps = placeOf(s);
    const Matrix3& Sinv = schurInverse_;
    if (pr.block == 0) return Sinv(pr.index, ps.index);
    const Matrix2x3& Gr = borderSolution_[pr.block];
    if (ps.block == 0) {
        double value = 0;
        for (int a = 0; a < 3; ++a) value -= Gr(pr.index, a) * Sinv(a, ps.index);
        return value;
    }
    double value;
    if (ps.block == pr.block) value = inverseDiagonal_[pr.block](pr.index, ps.index);
    else if (ps.block == pr.block + 1) value = inverseUpper_[pr.block](pr.index, ps.index);
    else throw std::logic_error("entry of the inverse outside the band: " + std::to_string(r) + ", " + std::to_string(s));
    const Matrix2x3& Gs = borderSolution_[ps.block];
    for (int a = 0; a < 3; ++a)
        for (int b = 0; b < 3; ++b) value += Gr(pr.index, a) * Sinv(a, b) * Gs(ps.index, b);
    return value;
}

double ChainNormals::inverseForm(const std::vector<std::pair<int, double>>& x) const
{
    double form = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        form += x[i].second * x[i].second * inverse(x[i].first, x[i].first);
        for (std::size_t j = i + 1; j < x.size(); ++j)
            form += 2 * x[i].second * x[j].second * inverse(x[i].first, x[j].first);
    }
    return form;
}

}  // namespace kestrane
