#include "analysis/quality_analysis.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "adjustment/conditions.h"
#include "analysis/chain_normals.h"
#include "analysis/chi_square.h"
#include "analysis/point_weight_reciprocals.h"
#include "chain/angles.h"

namespace kestrane {
namespace {

// The misclosure of a triangle is spread over its three angles.
constexpr double anglesPerTriangle = 3;

void requireFinishedJob(const ChainSurvey& job)
{
    const int n = job.triangleCount;
    if (n < 1 || chainCaseOf(job) == ChainCase::none) throw std::logic_error("no finished chain job to analyse");
    const auto points = static_cast<std::size_t>(n) + 2, observations = 5 * static_cast<std::size_t>(n) + 3;
    if (job.linearisedX.size() != points || job.linearisedY.size() != points || job.routeX.size() != points ||
        job.correction.size() != observations || job.weightReciprocal.size() != observations ||
        job.conditionMatrix.rows() < 2 * n + 4)
        throw std::logic_error("the record is not sized for its chain");
}

// Whether observation column enters the adjustment: Qa and S(1) only while C
// is not known, S(2n+1) and Qb only while D is not known.
bool entersAdjustment(const ChainSurvey& job, int column)
{
    const int n = job.triangleCount;
    if (column == 0 || column == 3 * n + 1) return !cGiven(job);
    if (column == 5 * n + 1 || column == 5 * n + 2) return !dGiven(job);
    return true;
}

GlobalTest globalTestOf(const ChainSurvey& job, const std::optional<Grade>& grade)
{
    const int n = job.triangleCount;
    GlobalTest test;
    test.aposteriori = job.mb;
    test.redundancy = 3 * n + 3;
    if (grade || job.angleTolerance.value > 0) {
        const double apriori = grade ? grade->angle : job.angleTolerance.value;
        test.apriori = apriori;
        test.chi2 = (job.sumVVAngles + job.sumPVVSides) / (apriori * apriori);
        test.lower = chiSquareQuantile(globalTestLowerTail, test.redundancy);
        test.upper = chiSquareQuantile(globalTestUpperTail, test.redundancy);
        test.passed = *test.chi2 <= *test.upper;
    }
    return test;
}

// Ferrero's estimate of an angle's RMS error, and each misclosure against
// twice the RMS error of an angle sum, 2 * sqrt(3) * sigma0.
double triangleClosures(const ChainSurvey& job, const GlobalTest& test, std::vector<TriangleClosure>& triangles)
{
    const int n = job.triangleCount;
    double sumWW = 0;
    for (int i = 1; i <= n; ++i) {
        TriangleClosure closure;
        closure.triangle = i;
        closure.w = job.triangleMisclosure[i];
        sumWW += closure.w * closure.w;
        if (test.apriori) {
            closure.limit = 2 * std::sqrt(anglesPerTriangle) * *test.apriori;
            closure.passed = std::fabs(closure.w) <= *closure.limit;
        }
        triangles.push_back(closure);
    }
    return std::sqrt(sumWW / (anglesPerTriangle * n));
}

// The total correction: for an angle of a triangle the first group's -w/3
// and the second group's; for Qa, Qb and the sides the second group's alone.
double totalCorrection(const ChainSurvey& job, int column)
{
    const int n = job.triangleCount;
    double v = job.correction[column];
    if (column >= 1 && column <= 3 * n) {
        const int triangle = (column + 2) / 3;
        v -= job.triangleMisclosure[triangle] / anglesPerTriangle;
    }
    return v;
}

ObservationTest testObservation(const ChainSurvey& job, const ChainNormals& normals, int column, double sigma0)
{
    const int n = job.triangleCount;
    ObservationTest test;
    test.id = observationNumbered(column, n);
    test.v = totalCorrection(job, column);
    const double q = job.weightReciprocal[column];
    test.weightReciprocal = q;

    // Q A^T N^-1 A Q on the diagonal: the column of A times q, through N^-1.
    std::vector<std::pair<int, double>> a;
    for (const auto& entry : job.conditionMatrix.column(column))
        if (entry.row <= normals.conditions()) a.emplace_back(entry.row, entry.value);
    double qvv = q * q * normals.inverseForm(a);
    if (column >= 1 && column <= 3 * n) qvv += 1 / anglesPerTriangle;  // the first group, 1/3 on each angle
    test.residualWeightReciprocal = qvv;
    test.redundancy = qvv / q;

    if (test.redundancy >= vanishingRedundancy && sigma0 > 0) {
        test.w = test.v / (sigma0 * std::sqrt(qvv));
        test.mdb = sigma0 * std::sqrt(q) * std::sqrt(lambda0 / test.redundancy);
        test.suspect = std::fabs(*test.w) > criticalW;
    }
    return test;
}

bool isKnownPoint(const ChainSurvey& job, int index)
{
    const int n = job.triangleCount;
    return index == 0 || index == n + 1 || (index == 1 && cGiven(job)) || (index == n && dGiven(job));
}

// mx, my, mp and the standard error ellipse from mb and the weight
// reciprocals. The semi-axes are mb times the roots of the eigenvalues of
// [[qxx, qxy], [qxy, qyy]]; the major axis turns from +X (north) towards +Y
// (east) by alpha, tan(2 alpha) = 2 qxy / (qxx - qyy).
void pointFigures(PointPrecision& point, const PointWeightReciprocals& q, double mb)
{
    // Rounding can leave a fixed point's weight reciprocal a hair below zero.
    point.qxx = std::max(q.xx, 0.0);
    point.qyy = std::max(q.yy, 0.0);
    point.qxy = q.xy;
    point.mx = mb * std::sqrt(point.qxx);
    point.my = mb * std::sqrt(point.qyy);
    point.mp = std::sqrt(point.mx * point.mx + point.my * point.my);

    const double mean = (point.qxx + point.qyy) / 2, half = (point.qxx - point.qyy) / 2;
    const double radius = std::hypot(half, point.qxy);
    point.a = mb * std::sqrt(mean + radius);
    point.b = mb * std::sqrt(std::max(mean - radius, 0.0));
    if (point.a == point.b) return;
    point.alpha = normalizedAxis(std::atan2(2 * point.qxy, point.qxx - point.qyy) / 2 / degToRad);
}

std::vector<PointPrecision> pointPrecisions(const ChainSurvey& job, const ChainNormals& normals)
{
    const int n = job.triangleCount;
    const auto reciprocals = pointWeightReciprocals(job, normals);
    std::vector<PointPrecision> points;
    for (int j = 0; j <= n + 1; ++j) {
        PointPrecision point;
        point.index = j;
        point.name = job.pointName[j];
        point.x = job.routeX[j];
        point.y = job.routeY[j];
        point.known = isKnownPoint(job, j);
        if (!point.known) pointFigures(point, reciprocals[j], job.mb);
        points.push_back(point);
    }
    return points;
}

}  // namespace

ChainAnalysis analyseChain(const ChainSurvey& job, const std::optional<Grade>& grade)
{
    requireFinishedJob(job);
    const int n = job.triangleCount;
    const ChainNormals normals(job);

    ChainAnalysis analysis;
    analysis.globalTest = globalTestOf(job, grade);
    analysis.ferrero = triangleClosures(job, analysis.globalTest, analysis.triangles);
    analysis.points = pointPrecisions(job, normals);

    // The w-test takes the a-priori sigma0 when there is one.
    const double sigma0 = analysis.globalTest.apriori.value_or(analysis.globalTest.aposteriori);
    double largest = 0;
    for (int column = 0; column <= 5 * n + 2; ++column) {
        if (!entersAdjustment(job, column)) continue;
        ObservationTest test = testObservation(job, normals, column, sigma0);
        if (test.suspect && std::fabs(*test.w) > largest) {
            largest = std::fabs(*test.w);
            analysis.suspect = test.id;
        }
        analysis.observations.push_back(std::move(test));
    }
    if (grade) analysis.grading = gradeChecks(job, analysis, *grade);
    return analysis;
}

}  // namespace kestrane
