#include "parametric_adjustment.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <stdexcept>

#include "chain/angles.h"

namespace kestrane::testing {
namespace {

// Long double throughout: in the lateral bending of a long straight chain
// [pvv] changes by a part in 10^13 over a millimetre, less than double
// precision resolves, and a double Gauss-Newton stalls anywhere in it.
using Real = long double;

constexpr Real radiansPerDegree = std::numbers::pi_v<Real> / 180;
constexpr Real secondsPerRadian = 3600 / radiansPerDegree;

struct Place {
    Real x, y;  // north, east, metres
};

// Into (-pi, pi].
Real turned(Real radians)
{
    while (radians > std::numbers::pi_v<Real>) radians -= 2 * std::numbers::pi_v<Real>;
    while (radians <= -std::numbers::pi_v<Real>) radians += 2 * std::numbers::pi_v<Real>;
    return radians;
}

// One observation equation. An angle at `points[0]` from the ray to
// points[1] back to the ray to points[2], times sign, in seconds; a side
// between points[0] and points[1], millimetres; an orientation angle at
// points[0] between a fixed azimuth and the ray to points[1], seconds.
struct Observation {
    enum Kind { angle, side, startOrientation, closingOrientation } kind;
    std::array<int, 3> points;
    Real observed;  // seconds or millimetres
    Real sign = 1;
    Real fixedAzimuth = 0;  // radians
    Real weight = 1;
};

int pointsOf(const Observation& o)
{
    return o.kind == Observation::angle ? 3 : 2;
}

// The normal matrix, a symmetric positive-definite band: its lower half row
// by row, (i, j) for i - width <= j <= i.
class BandMatrix {
public:
    BandMatrix(int order, int width) : order_(order), width_(width), values_(order * (width + 1), 0) {}
    Real& operator()(int i, int j) { return values_[i * (width_ + 1) + (j - i + width_)]; }

    // Cholesky in place, then N x = b solved into b.
    void solve(std::vector<Real>& b)
    {
        for (int i = 0; i < order_; ++i) {
            for (int j = std::max(0, i - width_); j <= i; ++j) {
                Real s = (*this)(i, j);
                for (int k = std::max(0, i - width_); k < j; ++k) s -= (*this)(i, k) * (*this)(j, k);
                if (i != j) {
                    (*this)(i, j) = s / (*this)(j, j);
                } else if (s > 0) {
                    (*this)(i, i) = std::sqrt(s);
                } else {
                    throw std::runtime_error("parametric adjustment: the normal matrix is singular");
                }
            }
        }
        for (int i = 0; i < order_; ++i) {
            for (int k = std::max(0, i - width_); k < i; ++k) b[i] -= (*this)(i, k) * b[k];
            b[i] /= (*this)(i, i);
        }
        for (int i = order_ - 1; i >= 0; --i) {
            for (int k = i + 1; k <= std::min(order_ - 1, i + width_); ++k) b[i] -= (*this)(k, i) * b[k];
            b[i] /= (*this)(i, i);
        }
    }

private:
    int order_, width_;
    std::vector<Real> values_;
};

class Network {
public:
    Network(const ChainSurvey& job, const std::vector<Point>& start) : n_(job.triangleCount), unknown_(n_ + 2, -1)
    {
        for (const Point& p : start) points_.push_back({p.x, p.y});
        const auto& sigma = job.spacerSign;
        // The vertices of triangle i: A(i) at u, C(i) at v, B(i) at P(i+1).
        std::vector<int> u(n_ + 1), v(n_ + 1);
        for (int i = 1; i <= n_; ++i) {
            const bool fan = i > 1 && sigma[i] == sigma[i - 1];
            u[i] = i == 1 ? 0 : fan ? i : v[i - 1];
            v[i] = i == 1 ? 1 : fan ? v[i - 1] : i;
        }
        const bool cKnown = isGiven(job.xc, job.yc), dKnown = isGiven(job.xd, job.yd);
        const int dStation = v[n_];

        // The program's weights: 1 for an angle, 1/q_s for a side in millimetres.
        const Real qs = std::pow(1000 * job.meanSide / kestrane::secondsPerRadian, 2);
        auto side = [&](int from, int to, double metres) {
            observations_.push_back({Observation::side, {from, to, 0}, Real(metres) * 1000, 1, 0, 1 / qs});
        };
        for (int i = 1; i <= n_; ++i) {
            const int w = i + 1;
            const Real s = sigma[i];
            observations_.push_back({Observation::angle, {u[i], v[i], w}, Real(job.angleA[i]) * 3600, s});
            observations_.push_back({Observation::angle, {w, u[i], v[i]}, Real(job.angleB[i]) * 3600, s});
            observations_.push_back({Observation::angle, {v[i], w, u[i]}, Real(job.angleC[i]) * 3600, s});
            if (i == 1 && !cKnown) side(u[i], v[i], job.sideLength[1]);
            side(u[i], w, job.sideLength[2 * i]);
            if (!(i == n_ && dKnown)) side(v[i], w, job.sideLength[2 * i + 1]);
        }
        if (!cKnown)
            observations_.push_back({Observation::startOrientation, {0, 1, 0}, Real(job.qaDeg) * 3600, 1,
                                     job.taDeg * radiansPerDegree});
        if (!dKnown)
            observations_.push_back({Observation::closingOrientation, {n_ + 1, dStation, 0}, Real(job.qbDeg) * 3600, 1,
                                     job.tbDeg * radiansPerDegree});

        std::vector<bool> known(n_ + 2, false);
        known[0] = known[n_ + 1] = true;
        points_[0] = {job.xa.value, job.ya.value};
        points_[n_ + 1] = {job.xb.value, job.yb.value};
        if (cKnown) {
            known[1] = true;
            points_[1] = {job.xc.value, job.yc.value};
        }
        if (dKnown) {
            known[dStation] = true;
            points_[dStation] = {job.xd.value, job.yd.value};
        }
        for (int p = 0; p <= n_ + 1; ++p)
            if (!known[p]) unknown_[p] = unknowns_++;
        for (const Observation& o : observations_) {
            int low = unknowns_, high = -1;
            for (int k = 0; k < pointsOf(o); ++k) {
                if (unknown_[o.points[k]] < 0) continue;
                low = std::min(low, unknown_[o.points[k]]);
                high = std::max(high, unknown_[o.points[k]]);
            }
            if (high >= 0) width_ = std::max(width_, 2 * (high - low) + 1);
        }
    }

    // One Gauss-Newton step; returns the largest change of a coordinate,
    // metres.
    Real step()
    {
        BandMatrix normal(2 * unknowns_, width_);
        std::vector<Real> rhs(2 * unknowns_, 0);
        for (const Observation& o : observations_) {
            std::array<Real, 6> derivative{};  // by x and y of each of its points, per millimetre
            const Real residual = linearised(o, derivative);
            std::array<int, 6> column{};
            for (int k = 0; k < 2 * pointsOf(o); ++k) {
                const int unknown = unknown_[o.points[k / 2]];
                column[k] = unknown < 0 ? -1 : 2 * unknown + k % 2;
            }
            for (int a = 0; a < 2 * pointsOf(o); ++a) {
                if (column[a] < 0) continue;
                rhs[column[a]] -= o.weight * derivative[a] * residual;
                for (int b = 0; b < 2 * pointsOf(o); ++b)
                    if (column[b] >= 0 && column[b] <= column[a])
                        normal(column[a], column[b]) += o.weight * derivative[a] * derivative[b];
            }
        }
        normal.solve(rhs);
        Real largest = 0;
        for (int p = 0; p <= n_ + 1; ++p) {
            if (unknown_[p] < 0) continue;
            points_[p].x += rhs[2 * unknown_[p]] / 1000;
            points_[p].y += rhs[2 * unknown_[p] + 1] / 1000;
            largest = std::max({largest, std::fabs(rhs[2 * unknown_[p]]), std::fabs(rhs[2 * unknown_[p] + 1])});
        }
        return largest / 1000;
    }

    Real sumPVV() const
    {
        Real sum = 0;
        std::array<Real, 6> unused{};
        for (const Observation& o : observations_) sum += o.weight * std::pow(linearised(o, unused), 2);
        return sum;
    }

    const std::vector<Place>& points() const { return points_; }

private:
    // The azimuth from p to q, radians, and its derivatives by xp, yp, xq, yq
    // per millimetre added to byP and byQ.
    Real direction(int p, int q, Real* byP, Real* byQ) const
    {
        const Real dx = points_[q].x - points_[p].x, dy = points_[q].y - points_[p].y;
        const Real d2 = (dx * dx + dy * dy) * 1000;
        byP[0] += dy / d2;
        byP[1] += -dx / d2;
        byQ[0] += -dy / d2;
        byQ[1] += dx / d2;
        return std::atan2(dy, dx);
    }

    // The residual and its derivatives, seconds or millimetres per millimetre.
    Real linearised(const Observation& o, std::array<Real, 6>& d) const
    {
        d.fill(0);
        const auto [p, q, r] = o.points;
        switch (o.kind) {
        case Observation::angle: {
            std::array<Real, 6> back{};
            const Real first = direction(p, q, &d[0], &d[2]);
            const Real second = direction(p, r, &back[0], &back[4]);
            for (int k = 0; k < 6; ++k) d[k] = o.sign * (d[k] - back[k]) * secondsPerRadian;
            return o.sign * turned(first - second) * secondsPerRadian - o.observed;
        }
        case Observation::side: {
            const Real dx = points_[q].x - points_[p].x, dy = points_[q].y - points_[p].y;
            const Real length = std::hypot(dx, dy);
            d = {-dx / length, -dy / length, dx / length, dy / length, 0, 0};
            return length * 1000 - o.observed;
        }
        case Observation::startOrientation:
        case Observation::closingOrientation: {
            // Qa turns from Ta to the ray A -> P(1); Qb from the ray B -> D
            // station to Tb.
            const Real ray = direction(p, q, &d[0], &d[2]);
            const Real sign = o.kind == Observation::startOrientation ? 1 : -1;
            for (Real& value : d) value *= sign * secondsPerRadian;
            return turned(sign * (ray - o.fixedAzimuth) - o.observed / secondsPerRadian) * secondsPerRadian;
        }
        }
        return 0;
    }

    int n_;
    std::vector<Place> points_;
    std::vector<int> unknown_;  // the number of each point's unknowns, -1 for a known point
    int unknowns_ = 0;
    int width_ = 1;             // half band width of the normal matrix
    std::vector<Observation> observations_;
};

}  // namespace

ParametricSolution parametricAdjustment(const ChainSurvey& typed, const std::vector<Point>& start)
{
    Network network(typed, start);
    ParametricSolution solution;
    for (Real change = INFINITY; change > 1e-9;) {
        if (++solution.iterations > 20) throw std::runtime_error("parametric adjustment: no convergence");
        change = network.step();
    }
    for (const Place& p : network.points()) {
        solution.x.push_back(static_cast<double>(p.x));
        solution.y.push_back(static_cast<double>(p.y));
    }
    solution.sumPVV = static_cast<double>(network.sumPVV());
    return solution;
}

}  // namespace kestrane::testing
