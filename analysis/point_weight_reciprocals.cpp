#include "analysis/point_weight_reciprocals.h"

#include <cmath>
#include <optional>
#include <stdexcept>

#include "adjustment/conditions.h"
#include "chain/units.h"

namespace kestrane {
namespace {

// The three prefix sums, as columns of the matrices below.
constexpr int GX = 0, GY = 1, H = 2;
using SourceRow = SmallMatrix<1, 3>;

// One leg of the route: the angle that turns it and the side along it.
struct Leg {
    int firstAngleColumn;  // A(i) of triangle i, or Qa (0) for leg 0
    bool ofTriangle;       // a spacer angle, spread over its triangle; Qa is not
    int sign;              // s(i)
    double stationX, stationY;  // where it turns, metres
    int sideColumn;
    double toX, toY;       // the end of the leg, metres
};

// The prefix sums of the weight functions over the legs taken so far, kept
// as their shares of the quadratic forms, referenced at one point.
class RouteWeightFunctions {
public:
    RouteWeightFunctions(const ChainSurvey& job, const ChainNormals& normals, double x, double y)
        : job_(job), normals_(normals), n_(job.triangleCount), referenceX_(x), referenceY_(y)
    {
    }

    // Adds a leg formed at the present reference. A leg of a triangle
    // finishes the block it started in; leg 0 only starts block 1. Where its
    // side reaches only the reference point (the next triangle is a fan,
    // and the route goes on from the station), the side is left out of the
    // legs taken, and the reference point's weight reciprocals with it are
    // returned.
    std::optional<PointWeightReciprocals> addLeg(const Leg& leg, bool sideReachesOnlyTheReference = false);
    // Moves the reference point to (x, y), metres.
    void moveReference(double x, double y);
    // The weight reciprocals of the point at the reference, reached along the
    // legs taken so far.
    PointWeightReciprocals atReference() const;

private:
    void addObservation(int column, const SourceRow& g, Matrix2x3& next);
    void finishBlock(const Matrix2x3& next);

    const ChainSurvey& job_;
    const ChainNormals& normals_;
    int n_;
    double referenceX_, referenceY_;
    int block_ = 1;          // the first block not finished yet
    Matrix3 squares_;        // [g g q] between the three sums
    Matrix3 border_;         // u_c - G^T u_b: border condition by sum
    Matrix3 finished_;       // sum of y^T F^-1 y over the finished blocks
    Matrix2x3 previous_;     // y of the last finished block
    Matrix2x3 partial_;      // u of block_ so far
};

void RouteWeightFunctions::addObservation(int column, const SourceRow& g, Matrix2x3& next)
{
    const double q = job_.weightReciprocal[column];
    for (int a = 0; a < 3; ++a)
        for (int b = 0; b < 3; ++b) squares_(a, b) += q * g(0, a) * g(0, b);
    for (const auto& entry : job_.conditionMatrix.column(column)) {
        if (entry.row > normals_.conditions()) break;
        const auto place = normals_.placeOf(entry.row);
        const double weight = entry.value * q;  // the entry of A Q for this observation
        if (place.block == 0) {
            for (int s = 0; s < 3; ++s) border_(place.index, s) += weight * g(0, s);
            continue;
        }
        Matrix2x3* target = place.block == block_ ? &partial_ : place.block == block_ + 1 ? &next : nullptr;
        if (!target) throw std::logic_error("a leg reaches beyond its two triangles");
        const Matrix2x3& G = normals_.borderSolution(place.block);
        for (int s = 0; s < 3; ++s) {
            (*target)(place.index, s) += weight * g(0, s);
            for (int b = 0; b < 3; ++b) border_(b, s) -= G(place.index, b) * weight * g(0, s);
        }
    }
}

std::optional<PointWeightReciprocals> RouteWeightFunctions::addLeg(const Leg& leg, bool sideReachesOnlyTheReference)
{
    Matrix2x3 next;
    // The turn: millimetres of the reference point's X and Y per second.
    const double perSecond = leg.sign * millimetresPerMetre / job_.linearisedRho;
    const SourceRow turn{{perSecond * (leg.stationY - referenceY_), perSecond * (referenceX_ - leg.stationX), perSecond}};
    if (leg.ofTriangle) {
        // Only C turns the route; the first group takes a third of its
        // correction back from each of the three angles.
        const double spread[] = {-1.0 / 3, -1.0 / 3, 2.0 / 3};
        for (int a = 0; a < 3; ++a) {
            SourceRow g = turn;
            for (double& e : g.element) e *= spread[a];
            addObservation(leg.firstAngleColumn + a, g, next);
        }
    } else {
        addObservation(leg.firstAngleColumn, turn, next);
    }
    // The side: the direction cosines of the leg; a leg of no length (two
    // route points at one station) adds nothing.
    std::optional<PointWeightReciprocals> reference;
    const double dx = leg.toX - leg.stationX, dy = leg.toY - leg.stationY;
    const double length = std::hypot(dx, dy);
    if (length > 0) {
        const SourceRow along{{dx / length, dy / length, 0}};
        if (sideReachesOnlyTheReference) {
            RouteWeightFunctions withSide = *this;
            Matrix2x3 nextWithSide = next;
            withSide.addObservation(leg.sideColumn, along, nextWithSide);
            withSide.finishBlock(nextWithSide);
            reference = withSide.atReference();
        } else {
            addObservation(leg.sideColumn, along, next);
        }
    }

    if (!leg.ofTriangle) {
        if (next.element != Matrix2x3{}.element) throw std::logic_error("leg 0 reaches beyond triangle 1");
        return reference;
    }
    finishBlock(next);
    return reference;
}

void RouteWeightFunctions::finishBlock(const Matrix2x3& next)
{
    // Block block_ is complete: no later leg touches it.
    const Matrix2x3 y = partial_ - normals_.gain(block_) * previous_;
    finished_ += transposedTimes(y, normals_.forwardInverse(block_) * y);
    previous_ = y;
    partial_ = next;
    ++block_;
}

void RouteWeightFunctions::moveReference(double x, double y)
{
    const double dx = x - referenceX_, dy = y - referenceY_;
    const auto columns = [&](auto& m) {
        for (int r = 0; r < static_cast<int>(m.element.size()) / 3; ++r) {
            m(r, GX) -= dy * m(r, H);
            m(r, GY) += dx * m(r, H);
        }
    };
    const auto rowsAndColumns = [&](Matrix3& m) {
        columns(m);
        for (int c = 0; c < 3; ++c) {
            m(GX, c) -= dy * m(H, c);
            m(GY, c) += dx * m(H, c);
        }
    };
    rowsAndColumns(squares_);
    rowsAndColumns(finished_);
    columns(border_);
    columns(previous_);
    columns(partial_);
    referenceX_ = x;
    referenceY_ = y;
}

PointWeightReciprocals RouteWeightFunctions::atReference() const
{
    Matrix3 form = finished_;
    if (block_ <= n_) {
        // The unfinished block closes against the rest of the chain.
        const Matrix2x3 y = partial_ - normals_.gain(block_) * previous_;
        form += transposedTimes(y, normals_.inverseDiagonal(block_) * y);
    }
    form += transposedTimes(border_, normals_.schurInverse() * border_);
    const Matrix3 q = squares_ - form;
    return {q(GX, GX), q(GY, GY), q(GX, GY)};
}

}  // namespace

std::vector<PointWeightReciprocals> pointWeightReciprocals(const ChainSurvey& job, const ChainNormals& normals)
{
    const int n = job.triangleCount;
    const auto& X = job.linearisedX;
    const auto& Y = job.linearisedY;
    const auto& s = job.spacerSign;
    std::vector<PointWeightReciprocals> points(n + 2);

    RouteWeightFunctions route(job, normals, X[1], Y[1]);
    if (chainCaseOf(job) == ChainCase::hangingOnA)
        route.addLeg({0, false, s[0], job.xa.value, job.ya.value, 3 * n + 1, X[1], Y[1]});
    // With D known the side D - B is no observation, and B lies beyond D.
    const int last = dGiven(job) ? n : n + 1;
    int station = 1;  // O(j): a fan keeps the station of the triangle before
    std::optional<PointWeightReciprocals> reached;
    for (int j = 1; j <= last; ++j) {
        points[j] = reached ? *reached : route.atReference();
        if (j == last) break;
        if (j > 1 && s[j] != s[j - 1]) station = j;
        route.moveReference(X[j + 1], Y[j + 1]);
        const bool nextIsFan = j + 1 <= n && s[j + 1] == s[j];
        reached = route.addLeg({3 * j - 2, true, s[j], X[station], Y[station], 3 * n + 2 * j + 1, X[j + 1], Y[j + 1]},
                               nextIsFan);
    }
    return points;
}

}  // namespace kestrane
