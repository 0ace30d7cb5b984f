#include "export/gama_export.h"

#include <cmath>
#include <cstdio>
#include <map>
#include <set>

#include "adjustment/conditions.h"
#include "chain/angles.h"
#include "chain/display_format.h"
#include "chain/units.h"
#include "export/chain_network.h"
#include "export/export_checks.h"

namespace kestrane {
namespace {

constexpr int approximationDecimals = 4;  // metres: the free points' approximate coordinates
constexpr int sideDecimals = 6;           // metres: an observed side to the micrometre
constexpr int secondDecimals = 5;         // of an angle written as d-mm-ss.sssss
constexpr double confidence = 0.95;
constexpr double grossTermTolerance = 1000;  // millimetres, gama-local's own default

// The standard deviation of an angle of weight 1, seconds.
double sigma0Of(const ChainSurvey& job)
{
    const double tolerance = std::fabs(job.angleTolerance.value);
    return tolerance > 0 ? tolerance : 1.0;
}

// Decimal degrees as gama-local's sexagesimal text d-mm-ss.sssss, in
// [0, 360), rounded in whole units of the last decimal so that 60 seconds carry.
std::string sexagesimal(double degrees)
{
    const Sexagesimal angle = roundedSexagesimal(degrees, secondDecimals);
    char text[48];
    std::snprintf(text, sizeof text, "%lld-%02lld-%02lld.%0*lld", angle.degrees, angle.minutes, angle.seconds,
                  secondDecimals, angle.fraction);
    return text;
}

std::string escaped(const std::string& text)
{
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&apos;"; break;
        default: out += c;
        }
    }
    return out;
}

// The side as observed, metres. The record keeps the observed sides in
// single precision for the report; the adjusted side less its correction
// (millimetres) gives the double the adjustment started from. Should the two
// disagree by more than single precision, the single copy is the observation.
double observedSideLength(const ChainSurvey& job, int k)
{
    const int n = job.triangleCount;
    const double fromCorrection = job.sideLength[k] - job.correction[3 * n + k] / millimetresPerMetre;
    const double single = job.observedSide[k];
    return std::fabs(fromCorrection - single) <= 1e-6 * std::fabs(single) ? fromCorrection : single;
}

ExportResult checkNames(const ChainSurvey& job)
{
    std::map<std::string, int> first;
    for (int i = 0; i <= job.triangleCount + 1; ++i) {
        const std::string& name = job.pointName[i];
        if (name.empty()) return exportRefused("第 " + std::to_string(i) + " 点没有点名,GNU Gama 的点号不能为空。");
        for (const char c : name)
            if (static_cast<unsigned char>(c) < 0x20)
                return exportRefused(pointCalled(job, i) + "含有控制字符,不能作为 GNU Gama 的点号。");
        if (name.find("\xEF\xBF\xBE") != std::string::npos || name.find("\xEF\xBF\xBF") != std::string::npos)
            return exportRefused(pointCalled(job, i) + "含有 XML 不允许的字符,不能作为 GNU Gama 的点号。");
        const auto [earlier, added] = first.emplace(name, i);
        if (!added)
            return exportRefused("点名“" + name + "”重复(第 " + std::to_string(earlier->second) + " 点和第 " +
                                 std::to_string(i) + " 点),GNU Gama 要求每个点的点号各不相同,无法导出平差网。");
    }
    return exportWritten();
}

// An id for an orientation point that no route point bears.
std::string freeId(const ChainSurvey& job, const std::string& wanted)
{
    const std::set<std::string> taken(job.pointName.begin(), job.pointName.end());
    std::string id = wanted;
    for (int suffix = 1; taken.count(id); ++suffix) id = wanted + "-" + std::to_string(suffix);
    return id;
}

class GamaWriter {
public:
    explicit GamaWriter(const ChainSurvey& job)
        : job_(job), n_(job.triangleCount), sigma0_(sigma0Of(job)), geometry_(networkGeometry(job)),
          arrangement_(chainCaseOf(job)), eId_(freeId(job, "E")), fId_(freeId(job, "F"))
    {
    }

    std::string document()
    {
        line("<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
        line("<gama-local xmlns=\"http://www.gnu.org/software/gama/gama-local\">");
        line("<network axes-xy=\"ne\" angles=\"left-handed\">");
        description();
        line("<parameters sigma-apr=\"" + formatGeneral(sigma0_) + "\" conf-pr=\"" + formatGeneral(confidence) +
             "\" tol-abs=\"" + formatGeneral(grossTermTolerance) + "\" sigma-act=\"aposteriori\" />");
        line("<points-observations>");
        points();
        triangleAngles();
        sides();
        orientationAngles();
        line("</points-observations>");
        line("</network>");
        line("</gama-local>");
        return text_;
    }

private:
    bool startOriented() const { return arrangement_ == ChainCase::hangingOnA; }
    bool closingOriented() const { return arrangement_ != ChainCase::knownStartAndEndSide; }

    void line(const std::string& text) { text_ += text + "\n"; }

    std::string id(int i) const { return escaped(job_.pointName[i]); }

    void description()
    {
        static const std::map<ChainCase, std::string> arrangements{
            {ChainCase::hangingOnA, "布设 1:由 A 点及起始方位角、定向角起算,闭合于 B 点及闭合方位角、定向角"},
            {ChainCase::knownStartSide, "布设 2:由已知边 A–C 起算,闭合于 B 点及闭合方位角、定向角"},
            {ChainCase::knownStartAndEndSide, "布设 3:由已知边 A–C 起算,闭合于已知边 D–B"},
        };
        line("<description>");
        line("Kestrane 三角锁条件平差的观测网,共 " + std::to_string(n_) + " 个三角形;" + arrangements.at(arrangement_) +
             "。");
        line("观测值均为输入值。测角中误差 σ0 = " + formatGeneral(sigma0_) + " 秒(测角限差;限差为 0 时取 1 秒);"
             "边长中误差 σ0·√q_s = " + formatRounded(sideSigma(), 3) +
             " 毫米,q_s 为边长的权倒数;先验单位权中误差取 σ0,验后单位权中误差即 Kestrane 的 mb。"
             "点号为点名;注释中的 A1、S3、Qa 等为 Kestrane 的观测值编号。");
        line("</description>");
    }

    // Millimetres: a side's weight 1/q_s against an angle's weight 1.
    double sideSigma() const { return sigma0_ * std::sqrt(job_.sideWeightReciprocal); }

    void points()
    {
        line("<!-- 已知点:座标为输入值,不参加平差 -->");
        std::set<int> fixed;
        for (const KnownPoint& point : knownPoints(job_, geometry_)) {
            fixedPoint(job_.pointName[point.index], point.x, point.y, point.role);
            fixed.insert(point.index);
        }
        if (startOriented() && eGiven(job_)) fixedPoint(eId_, job_.xe.value, job_.ye.value, "E");
        if (closingOriented() && fGiven(job_)) fixedPoint(fId_, job_.xf.value, job_.yf.value, "F");
        line("<!-- 待定点:近似座标为 Kestrane 的平差座标 -->");
        for (int i = 0; i <= n_ + 1; ++i) {
            if (fixed.count(i)) continue;
            line("<point id=\"" + id(i) + "\" x=\"" + formatFixed(job_.routeX[i], approximationDecimals) + "\" y=\"" +
                 formatFixed(job_.routeY[i], approximationDecimals) + "\" adj=\"xy\" />");
        }
    }

    void fixedPoint(const std::string& name, double x, double y, const std::string& role)
    {
        line("<point id=\"" + escaped(name) + "\" x=\"" + formatGeneral(x) + "\" y=\"" + formatGeneral(y) +
             "\" fix=\"xy\" /> <!-- " + role + " -->");
    }

    // An angle turning clockwise at the standpoint from the backsight to the
    // foresight (ids already escaped).
    void angle(const std::string& from, const std::string& backsight, const std::string& foresight, double degrees,
               const std::string& label)
    {
        line("<angle from=\"" + from + "\" bs=\"" + backsight + "\" fs=\"" + foresight + "\" val=\"" +
             sexagesimal(degrees) + "\" stdev=\"" + formatGeneral(sigma0_) + "\" /> <!-- " + label + " -->");
    }

    // The spacer sign tells the sense of each triangle: with a positive sign
    // the far corner w lies clockwise from u as seen from the station v, and
    // going round, u sees v clockwise from w and w sees u clockwise from v.
    // A negative sign turns every angle the other way.
    void triangleAngles()
    {
        line("<!-- 三角形的观测角:求距角 A(i)、前进角 B(i)、间隔角 C(i) -->");
        line("<obs>");
        for (int i = 1; i <= n_; ++i) {
            const NetworkTriangle& t = geometry_.triangles[i - 1];
            const int u = t.distanceVertex, v = t.spacerVertex, w = t.forwardVertex;
            const bool clockwise = job_.spacerSign[i] >= 0;
            const auto turn = [&](int at, int first, int second, double packed, const char* name) {
                angle(id(at), id(clockwise ? first : second), id(clockwise ? second : first), packedToDegrees(packed),
                      name + std::to_string(i));
            };
            turn(u, w, v, job_.packedA[i], "A");
            turn(w, v, u, job_.packedB[i], "B");
            turn(v, u, w, job_.packedC[i], "C");
        }
        line("</obs>");
    }

    void sides()
    {
        line("<!-- 观测边 S(k) -->");
        line("<obs>");
        const std::string sigma = formatGeneral(sideSigma());
        for (int k = 1; k <= 2 * n_ + 1; ++k) {
            if (!sideObserved(job_, k)) continue;
            const auto [from, to] = geometry_.sides[k - 1];
            line("<distance from=\"" + id(from) + "\" to=\"" + id(to) + "\" val=\"" +
                 formatRounded(observedSideLength(job_, k), sideDecimals) + "\" stdev=\"" + sigma + "\" /> <!-- S" +
                 std::to_string(k) + " -->");
        }
        line("</obs>");
    }

    // Qa turns clockwise at A from E to P(1), Qb at B from the last spacer
    // station to F. Where the azimuth was typed instead of the point, the
    // fixed azimuth and the observed angle make one azimuth observation along
    // the chain's side, as Kestrane's azimuth condition joins them:
    // A -> P(1) = Ta + Qa, B -> station = Tb - Qb.
    void orientationAngles()
    {
        if (!startOriented() && !closingOriented()) return;
        line("<!-- 定向角 -->");
        line("<obs>");
        if (startOriented()) {
            const double qa = signedPackedToDegrees(job_.qaPacked.value);
            if (eGiven(job_))
                angle(id(0), escaped(eId_), id(1), qa, "Qa");
            else
                azimuth(id(0), id(1), job_.taDeg + qa, "Qa,方位角 Ta + Qa");
        }
        if (closingOriented()) {
            const int station = geometry_.triangles.back().spacerVertex;
            const double qb = signedPackedToDegrees(job_.qbPacked.value);
            if (fGiven(job_))
                angle(id(n_ + 1), id(station), escaped(fId_), qb, "Qb");
            else
                azimuth(id(n_ + 1), id(station), job_.tbDeg - qb, "Qb,方位角 Tb - Qb");
        }
        line("</obs>");
    }

    void azimuth(const std::string& from, const std::string& to, double degrees, const std::string& label)
    {
        line("<azimuth from=\"" + from + "\" to=\"" + to + "\" val=\"" + sexagesimal(degrees) + "\" stdev=\"" +
             formatGeneral(sigma0_) + "\" /> <!-- " + label + " -->");
    }

    const ChainSurvey& job_;
    const int n_;
    const double sigma0_;
    const NetworkGeometry geometry_;
    const ChainCase arrangement_;
    const std::string eId_, fId_;
    std::string text_;
};

}  // namespace

ExportResult writeGama(const ChainSurvey& job, const std::string& path)
{
    if (auto check = checkFinishedJob(job, nullptr); !check.written()) return check;
    if (auto check = checkNamesAreText(job); !check.written()) return check;
    if (auto check = checkNames(job); !check.written()) return check;
    return writeWholeFile(path, GamaWriter(job).document());
}

}  // namespace kestrane
