// The quality analysis of a chain adjustment that ran to its end: the global
// test of [pvv], Ferrero's estimate from the triangle misclosures, every
// observation's total correction, redundancy number, standardized residual
// (Baarda's w-test) and minimal detectable bias, and every route point's RMS
// errors and standard error ellipse.
//
// It takes the adjustment as it stands in the record: the angle is the unit
// of weight (angles, Qa and Qb of weight reciprocal 1, corrections in
// seconds), the sides have the weight reciprocal q_s with corrections in
// millimetres, and both groups of conditions count: the n angle sums and the
// 2n+3 conditions of the second group. The first group settles each
// triangle's misclosure w in thirds (its correction is -w/3 on each angle);
// the second group's rows are transformed against it, so the weight
// reciprocals of the corrections of both groups add:
//     Q_vv = (1/3 on each triangle's 3x3 block of angles) + Q A^T N^-1 A Q.
// Point precision is formed as the weakest point's is (mb * sqrt(q) of the
// point's X and Y weight functions), so that for the weakest point it equals
// the window's mx, my and md.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/grade_checks.h"
#include "analysis/grades.h"
#include "chain/chain_survey.h"
#include "chain/observations.h"

namespace kestrane {

// Baarda's w-test at a significance of 0.1 % two-sided, and the
// non-centrality of a bias it finds with a power of 80 %.
inline constexpr double criticalW = 3.29;
inline constexpr double lambda0 = 17.07;
// The global test: the 2.5 % and 97.5 % points of chi-square. It fails only
// above the upper point; below the lower one it passes, and the remark says
// that sigma0 may be set too large.
inline constexpr double globalTestLowerTail = 0.025;
inline constexpr double globalTestUpperTail = 0.975;
// A redundancy number below this counts as zero: the observation is not
// controlled, and neither w nor the MDB exists.
inline constexpr double vanishingRedundancy = 1e-12;

struct GlobalTest {
    std::optional<double> apriori;   // seconds: the grade's mβ, else the typed angle tolerance when above 0
    double aposteriori = 0;          // seconds: mb as stored (single precision)
    int redundancy = 0;              // 3n + 3, the conditions of both groups
    std::optional<double> chi2;      // [pvv] / apriori^2
    std::optional<double> lower;     // chi-square quantiles 0.025 and 0.975
    std::optional<double> upper;
    std::optional<bool> passed;      // chi2 <= upper
};

struct TriangleClosure {
    int triangle = 0;                // 1..n
    double w = 0;                    // seconds, as stored (single precision)
    std::optional<double> limit;     // 2 * sqrt(3) * apriori, seconds
    std::optional<bool> passed;      // |w| <= limit
};

struct PointPrecision {
    int index = 0;                   // P(index), 0..n+1
    std::string name;
    double x = 0, y = 0;             // metres, as the result loop shows them
    bool known = false;              // A, B, and C and D when given: all figures 0
    double mx = 0, my = 0, mp = 0;   // millimetres
    double a = 0, b = 0;             // semi-axes of the standard error ellipse, a >= b, millimetres
    double alpha = 0;                // azimuth of the major axis, degrees in [0, 180)
    double qxx = 0, qyy = 0, qxy = 0;  // weight reciprocals of X, Y and their cross term
};

struct ObservationTest {
    ObservationId id;                // Qa, A1, B1, C1, ..., S1, ..., Qb
    double v = 0;                    // total correction: seconds, or millimetres for a side
    double redundancy = 0;           // q_vv / q, between 0 and 1
    std::optional<double> w;         // v / (sigma0 * sqrt(q_vv))
    std::optional<double> mdb;       // sigma0 * sqrt(q) * sqrt(lambda0 / redundancy)
    bool suspect = false;            // |w| > criticalW
    double weightReciprocal = 0;     // q
    double residualWeightReciprocal = 0;  // q_vv of its correction
};

struct ChainAnalysis {
    GlobalTest globalTest;
    double ferrero = 0;              // sqrt([ww] / 3n), seconds
    std::vector<TriangleClosure> triangles;
    std::vector<PointPrecision> points;          // P(0)..P(n+1)
    std::vector<ObservationTest> observations;   // those that enter the adjustment, by number
    std::optional<ObservationId> suspect;        // the largest |w| above criticalW
    std::optional<GradeChecks> grading;          // the checks against the grade, when one is chosen
};

// The analysis of the job in the record, which must have run to its end:
// reads the condition matrix, weight reciprocals, corrections and misclosures,
// mb, the linearised and the adjusted route, and nothing the solver reduced.
// Throws std::logic_error for a record that holds no finished job (or one
// whose figures no analysis can take) and NotPositiveDefinite
// (analysis/small_matrix.h) when its normal equations are not positive
// definite. With a grade, its mβ is the a-priori sigma0 (the global test,
// the w-tests and the MDBs take it) and the job is checked against it.
ChainAnalysis analyseChain(const ChainSurvey& job, const std::optional<Grade>& grade = std::nullopt);

}  // namespace kestrane
