#include "analysis/grade_checks.h"

#include <cmath>
#include <utility>

#include "analysis/quality_analysis.h"
#include "chain/angles.h"
#include "chain/units.h"

namespace kestrane {
namespace {

const std::string secondsUnit = "秒";
const std::string millimetresUnit = "毫米";
const std::string degreesUnit = "度";
const std::string relativeUnit;

bool isAngleColumn(int column, int n)
{
    return column == 0 || column == 5 * n + 2 || (column >= 1 && column <= 3 * n);
}

// The derivatives of the misclosure of a row with respect to the observed
// angles and sides, column by column. The rows hold the angle coefficients
// transformed against the first group (each triangle's mean taken off); the
// derivative of one angle of every triangle is known to be zero (B in the
// first side-angle row of a triangle, A in the second and in the azimuth, X
// and Y rows, where only C turns the route), so the mean comes back as that
// angle's coefficient with its sign turned.
std::vector<std::pair<int, double>> misclosureDerivatives(const ChainSurvey& job, int row)
{
    const int n = job.triangleCount;
    const bool firstOfTriangle = row <= 2 * n && row % 2 == 1;
    const int zeroAngle = firstOfTriangle ? 1 : 0;  // 0 A, 1 B within the triangle
    std::vector<std::pair<int, double>> derivatives;
    const auto& entries = job.conditionMatrix.row(row);
    for (std::size_t k = 0; k < entries.size();) {
        const int column = entries[k].column;
        if (column < 1 || column > 3 * n) {
            derivatives.emplace_back(column, entries[k].value);
            ++k;
            continue;
        }
        // The three angles of the triangle, those not stored being zero.
        const int triangle = (column + 2) / 3, first = 3 * triangle - 2;
        double a[3] = {0, 0, 0};
        for (; k < entries.size() && entries[k].column >= first && entries[k].column < first + 3; ++k)
            a[entries[k].column - first] = entries[k].value;
        const double mean = -a[zeroAngle];
        for (int angle = 0; angle < 3; ++angle) {
            const double derivative = a[angle] + mean;
            if (derivative != 0) derivatives.emplace_back(first + angle, derivative);
        }
    }
    return derivatives;
}

// Rows in metres are checked in millimetres, the azimuth row in seconds.
double shownInCheckUnit(const ChainSurvey& job, int row, double value)
{
    return row == 2 * job.triangleCount + 1 ? value : value * millimetresPerMetre;
}

GradeCheck misclosureCheck(const ChainSurvey& job, const Grade& grade, int row, CheckKind kind, std::string id)
{
    GradeCheck check;
    check.kind = kind;
    check.id = std::move(id);
    check.value = shownInCheckUnit(job, row, job.misclosure[row]);
    check.limit = 2 * shownInCheckUnit(job, row, misclosureSigma(job, row, grade.angle, grade.side));
    check.passed = std::fabs(check.value) <= check.limit;
    return check;
}

void triangleChecks(const ChainSurvey& job, const Grade& grade, std::vector<GradeCheck>& checks)
{
    for (int i = 1; i <= job.triangleCount; ++i) {
        const double w = job.triangleMisclosure[i];
        checks.push_back({CheckKind::triangle, "w" + std::to_string(i), w, grade.triangle,
                          std::fabs(w) <= grade.triangle});
    }
}

void conditionChecks(const ChainSurvey& job, const Grade& grade, std::vector<GradeCheck>& checks)
{
    const int n = job.triangleCount;
    for (int j = 1; j <= 2 * n; ++j)
        checks.push_back(misclosureCheck(job, grade, j, CheckKind::sideAngle, "W" + std::to_string(j)));
    const std::pair<CheckKind, const char*> closing[] = {
        {CheckKind::azimuth, "Wb"}, {CheckKind::x, "Wx"}, {CheckKind::y, "Wy"}};
    for (int k = 0; k < 3; ++k) {
        const int row = 2 * n + 1 + k;
        // A condition without a term is not one the chain has.
        if (job.conditionMatrix.row(row).empty()) continue;
        checks.push_back(misclosureCheck(job, grade, row, closing[k].first, closing[k].second));
    }
}

void precisionChecks(const ChainSurvey& job, const ChainAnalysis& analysis, const Grade& grade,
                     std::vector<GradeCheck>& checks)
{
    GradeCheck ferrero{CheckKind::ferrero, "mβ", analysis.ferrero, grade.angle, analysis.ferrero <= grade.angle};
    if (job.triangleCount < ferreroJudgedFrom) {
        ferrero.judged = false;
        ferrero.passed = true;
    }
    checks.push_back(ferrero);

    // With mb = 0 (observations that close exactly) the relative errors have
    // no finite N, and there is nothing to hold against the grade.
    if (job.ms > 0)
        checks.push_back({CheckKind::sideRms, "ms", job.meanSide * millimetresPerMetre / job.ms, grade.side,
                          job.meanSide * millimetresPerMetre / job.ms >= grade.side});

    // The weakest side after adjustment: the weight reciprocal of an
    // adjusted observation is q - q_vv.
    const double mb = analysis.globalTest.aposteriori;
    const ObservationTest* weakest = nullptr;
    double smallest = 0;
    for (const ObservationTest& test : analysis.observations) {
        if (!test.id.isSide()) continue;
        const double sigma = mb * std::sqrt(std::max(test.weightReciprocal - test.residualWeightReciprocal, 0.0));
        if (sigma <= 0) continue;
        const double relative = job.sideLength[test.id.index] * millimetresPerMetre / sigma;
        if (!weakest || relative < smallest) {
            weakest = &test;
            smallest = relative;
        }
    }
    if (weakest)
        checks.push_back({CheckKind::weakestSide, observationText(weakest->id), smallest, grade.weakestSide,
                          smallest >= grade.weakestSide});
}

// The distance angles A(i) and B(i) of every triangle under 30°, each
// against 30°, or 25° when it is the only one of its triangle: the standard
// lets a single angle of a triangle down to 25° where the ground allows no
// better, so such an angle is named and passes; two in one triangle never do.
void shapeChecks(const ChainSurvey& job, std::vector<GradeCheck>& checks)
{
    for (int i = 1; i <= job.triangleCount; ++i) {
        const double a = packedToDegrees(job.packedA[i]), b = packedToDegrees(job.packedB[i]);
        const bool smallA = a < smallestDistanceAngle, smallB = b < smallestDistanceAngle;
        const double limit = smallA && smallB ? smallestDistanceAngle : smallestSingleDistanceAngle;
        if (smallA) checks.push_back({CheckKind::distanceAngle, "A" + std::to_string(i), a, limit, a >= limit});
        if (smallB) checks.push_back({CheckKind::distanceAngle, "B" + std::to_string(i), b, limit, b >= limit});
    }
}

}  // namespace

double misclosureSigma(const ChainSurvey& job, int row, double angleSigma, double sideN)
{
    const int n = job.triangleCount;
    double variance = 0;
    for (const auto& [column, derivative] : misclosureDerivatives(job, row)) {
        double sigma = 0;
        if (isAngleColumn(column, n)) {
            sigma = angleSigma;
        } else if (column > 3 * n && column <= 5 * n + 1) {
            // Side corrections are millimetres in the rows.
            sigma = job.observedSide[column - 3 * n] * millimetresPerMetre / sideN;
        }
        variance += derivative * derivative * sigma * sigma;
    }
    return std::sqrt(variance);
}

int anglesInRow(const ChainSurvey& job, int row)
{
    int count = 0;
    for (const auto& entry : misclosureDerivatives(job, row)) count += isAngleColumn(entry.first, job.triangleCount);
    return count;
}

GradeChecks gradeChecks(const ChainSurvey& job, const ChainAnalysis& analysis, const Grade& grade)
{
    GradeChecks result;
    result.grade = grade;
    triangleChecks(job, grade, result.checks);
    conditionChecks(job, grade, result.checks);
    precisionChecks(job, analysis, grade, result.checks);
    shapeChecks(job, result.checks);
    result.passed = true;
    for (const GradeCheck& check : result.checks) result.passed = result.passed && check.passed;
    return result;
}

const std::string& checkUnit(CheckKind kind)
{
    switch (kind) {
    case CheckKind::triangle:
    case CheckKind::azimuth:
    case CheckKind::ferrero: return secondsUnit;
    case CheckKind::sideAngle:
    case CheckKind::x:
    case CheckKind::y: return millimetresUnit;
    case CheckKind::distanceAngle: return degreesUnit;
    case CheckKind::sideRms:
    case CheckKind::weakestSide: break;
    }
    return relativeUnit;
}

}  // namespace kestrane
