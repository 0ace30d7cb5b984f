// The checks of a finished job against the grade of its network (限差检核):
// every misclosure against its limit, Ferrero's angle RMS error, the side
// and weakest-side relative RMS errors, and the distance angles of the
// network's shape.
//
// A misclosure's limit is twice its standard deviation, propagated through
// its derivatives with respect to the angles and sides it is formed from,
// each an independent observation with sigma = mβ for an angle and
// sigma = S / N for a side S (N of the grade's side error 1/N). Given
// coordinates and typed azimuths carry no error, and the first group's
// corrections are not propagated: the limit is that of the misclosure of the
// observed values. For the azimuth condition this is 2·mβ·√m, m the observed
// angles on the azimuth route.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/grades.h"
#include "chain/chain_survey.h"

namespace kestrane {

struct ChainAnalysis;

enum class CheckKind { triangle, sideAngle, azimuth, x, y, ferrero, sideRms, weakestSide, distanceAngle };

// Ferrero's estimate is judged only from this many triangles on, as the
// standard applies it; below, it is shown and passes.
inline constexpr int ferreroJudgedFrom = 20;

// Distance angles below this are named; a single one in its triangle is
// held against the smaller figure.
inline constexpr double smallestDistanceAngle = 30;
inline constexpr double smallestSingleDistanceAngle = 25;

struct GradeCheck {
    CheckKind kind = CheckKind::triangle;
    std::string id;      // w1, W3, Wb, Wx, Wy, mβ, ms, S7, A3
    double value = 0;    // seconds, millimetres, N of 1/N or degrees, by kind
    double limit = 0;
    bool passed = false;
    bool judged = true;  // false for Ferrero's estimate of fewer than ferreroJudgedFrom triangles
};

struct GradeChecks {
    Grade grade;
    std::vector<GradeCheck> checks;  // in the order of a 平差报告: misclosures, precision, shape
    bool passed = false;             // every check passed
};

// The checks of the job against the grade; analysis is that of the same job.
GradeChecks gradeChecks(const ChainSurvey& job, const ChainAnalysis& analysis, const Grade& grade);

// The standard deviation of misclosure row (1 .. 2n+3) of the condition
// matrix, in the row's unit (metres, or seconds for the azimuth), with the
// angles' sigma mβ and the sides' S / sideN.
double misclosureSigma(const ChainSurvey& job, int row, double angleSigma, double sideN);

// The number of observed angles a misclosure row is formed from.
int anglesInRow(const ChainSurvey& job, int row);

// The unit the check's value and limit are in: 秒, 毫米, 度, or "" for 1/N.
const std::string& checkUnit(CheckKind kind);

}  // namespace kestrane
