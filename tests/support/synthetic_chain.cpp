#include "synthetic_chain.h"

#include <algorithm>
#include <cmath>
#include <iomanip>
#include <random>
#include <sstream>

#include "chain/angles.h"

namespace kestrane::testing {
namespace {

constexpr double degree = M_PI / 180;

double bearing(Point from, Point to)
{
    const double azimuth = std::atan2(to.y - from.y, to.x - from.x) / degree;
    return azimuth < 0 ? azimuth + 360 : azimuth;
}

double distance(Point a, Point b)
{
    return std::hypot(b.x - a.x, b.y - a.y);
}

// Into (-180, 180].
double signedTurn(double degrees)
{
    while (degrees > 180) degrees -= 360;
    while (degrees <= -180) degrees += 360;
    return degrees;
}

// Signed decimal degrees as packed d.mmss text.
std::string packed(double degrees)
{
    const double magnitude = std::fabs(degrees);
    const double totalSeconds = magnitude * 3600;
    const double wholeDegrees = std::floor(totalSeconds / 3600);
    const double minutes = std::floor((totalSeconds - wholeDegrees * 3600) / 60);
    const double seconds = totalSeconds - wholeDegrees * 3600 - minutes * 60;
    const double value = wholeDegrees + minutes / 100 + seconds / 10000;
    return (degrees < 0 ? "-" : "") + fullPrecision(value);
}

std::vector<Point> zigzag(int n, std::mt19937& random)
{
    std::uniform_real_distribution<double> wobble(-60, 60);
    const double heading = 30 * degree, step = 800, height = 650;
    const Point along{std::cos(heading), std::sin(heading)};
    const Point across{-std::sin(heading), std::cos(heading)};
    std::vector<Point> points;
    for (int i = 0; i <= n + 1; ++i) {
        const double forward = i <= n ? i * step / 2 : n * step / 2 + step / 2;
        const double side = (i == 0 || i == n + 1 || i % 2 == 0) ? 0 : height;
        points.push_back({10000 + along.x * forward + across.x * side + wobble(random),
                          20000 + along.y * forward + across.y * side + wobble(random)});
    }
    return points;
}

struct Triangle {
    Point u, v, w;  // A(i) at u, C(i) at v, B(i) at w
};

// Triangles laid one after the other: a zigzag step moves the spacer station
// along the shared side, a fan keeps it and turns about it.
std::vector<Triangle> fanned(int n, const std::vector<int>& fans, std::mt19937& random, std::vector<Point>& route)
{
    std::uniform_real_distribution<double> spacer(50, 70), length(700, 900);
    auto at = [](Point from, double azimuth, double distance) {
        return Point{from.x + distance * std::cos(azimuth * degree), from.y + distance * std::sin(azimuth * degree)};
    };
    std::vector<Triangle> triangles;
    Point u{10000, 20000}, v = at(u, 80, 800), w;
    int sign = 1;
    route = {u};
    for (int i = 1; i <= n; ++i) {
        if (i > 1) {
            if (std::find(fans.begin(), fans.end(), i) != fans.end()) {
                u = w;
            } else {
                u = v;
                v = w;
                sign = -sign;
            }
        }
        w = at(v, bearing(v, u) + sign * spacer(random), length(random));
        triangles.push_back({u, v, w});
        route.push_back(v);
    }
    route.push_back(w);
    return triangles;
}

class Answers {
public:
    void typed(const std::string& value) { list.push_back(value); }
    void confirmed(const std::string& value)
    {
        list.push_back(value);
        list.push_back("");
    }
    void point(Point p)
    {
        confirmed(fullPrecision(p.x));
        confirmed(fullPrecision(p.y));
    }
    std::vector<std::string> list;
};

}  // namespace

std::string fullPrecision(double value)
{
    std::ostringstream text;
    text << std::setprecision(17) << value;
    return text.str();
}

ChainPlan calibratedPlan(int triangles, ChainCase arrangement, unsigned seed, double sigma)
{
    constexpr double meanSide = 780;  // metres, of the generated zigzag
    return {.triangles = triangles, .arrangement = arrangement, .seed = seed, .angleNoise = sigma,
            .sideNoise = sigma * meanSide / secondsPerRadian, .tolerance = fullPrecision(sigma)};
}

std::vector<std::string> withForwardAngleBlunder(std::vector<std::string> answers, int n, int t, double seconds)
{
    // The angles follow the last point name, three confirmed answers per triangle.
    const auto lastName = std::find(answers.begin(), answers.end(), "P" + std::to_string(n + 1));
    std::string& typed = *(lastName + 2 + 6 * (t - 1) + 2);
    const double total = packedToDegrees(std::stod(typed)) * 3600 + seconds;
    const double degrees = std::floor(total / 3600), minutes = std::floor((total - degrees * 3600) / 60);
    typed = fullPrecision(degrees + minutes / 100 + (total - degrees * 3600 - minutes * 60) / 10000);
    return answers;
}

std::vector<int> adjustedPoints(const ChainPlan& plan)
{
    const int n = plan.triangles;
    std::vector<int> points;
    const int first = plan.arrangement == ChainCase::hangingOnA ? 0 : 1;
    const int last = plan.arrangement == ChainCase::knownStartAndEndSide ? n : n + 1;
    for (int i = first; i <= last; ++i) points.push_back(i);
    return points;
}

SyntheticChain makeChain(const ChainPlan& plan)
{
    const int n = plan.triangles;
    std::mt19937 random(plan.seed);
    SyntheticChain chain{plan, {}, {}};
    std::vector<Triangle> triangles;
    if (plan.fans.empty()) {
        chain.truth = zigzag(n, random);
        for (int i = 1; i <= n; ++i) triangles.push_back({chain.truth[i - 1], chain.truth[i], chain.truth[i + 1]});
    } else {
        triangles = fanned(n, plan.fans, random, chain.truth);
    }
    chain.vertices = {triangles.front().u, triangles.front().v};
    for (const Triangle& t : triangles) chain.vertices.push_back(t.w);
    const auto& P = chain.truth;
    std::normal_distribution<double> angleError(0, plan.angleNoise / 3600);
    std::normal_distribution<double> sideError(0, plan.sideNoise);
    auto angleNoise = [&] { return plan.angleNoise > 0 ? angleError(random) : 0.0; };
    auto sideNoise = [&] { return plan.sideNoise > 0 ? sideError(random) : 0.0; };

    const bool cGiven = plan.arrangement != ChainCase::hangingOnA;
    const bool dGiven = plan.arrangement == ChainCase::knownStartAndEndSide;
    const Point A = P[0], B = P[n + 1], C = P[1], D = P[n];
    const Point E{A.x + 1500, A.y - 2000};
    const double closing = plan.closingBearing.value_or(bearing(B, {B.x + 1800, B.y + 900}));
    const Point F{B.x + 2000 * std::cos(closing * degree), B.y + 2000 * std::sin(closing * degree)};

    Answers answers;
    answers.typed(std::to_string(n));
    answers.typed(plan.tolerance);
    answers.point(A);
    answers.point(cGiven ? C : Point{});
    answers.point(dGiven ? D : Point{});
    answers.point(B);
    if (!cGiven) answers.point(plan.typedAzimuths ? Point{} : E);
    if (!dGiven) answers.point(plan.typedAzimuths ? Point{} : F);
    if (!cGiven) {
        const double ta = bearing(A, E);
        if (plan.typedAzimuths) answers.confirmed(packed(ta));
        answers.confirmed(packed(signedTurn(bearing(A, P[1]) - ta)));
    }
    if (!dGiven) {
        if (plan.typedAzimuths) answers.confirmed(packed(closing));
        const double qb = signedTurn(closing - bearing(P[n], B) - 180);
        answers.confirmed(packed(qb + plan.qbOffset / 3600));
    }

    std::vector<int> nameOrder{0, 1};
    for (int i = 2; i <= n - 2; ++i) nameOrder.push_back(i);
    nameOrder.insert(nameOrder.end(), {n - 1, n, n + 1});
    for (const int i : nameOrder) answers.confirmed("P" + std::to_string(i));

    for (const auto& [before, station, after] : triangles) {
        const double a = std::fabs(signedTurn(bearing(before, after) - bearing(before, station)));
        const double b = std::fabs(signedTurn(bearing(after, station) - bearing(after, before)));
        const double c = signedTurn(bearing(station, after) - bearing(station, before));
        answers.confirmed(packed(a + angleNoise()));
        answers.confirmed(packed(b + angleNoise()));
        // The error is signed: the magnitude of C is as often too small as too
        // large, like A and B, and the chain is not stretched on average.
        answers.confirmed(packed(c + angleNoise()));
    }
    auto side = [&](Point from, Point to) { return fullPrecision(distance(from, to) + sideNoise()); };
    for (int i = 1; i <= n; ++i) {
        const Triangle& t = triangles[i - 1];
        if (!(i == 1 && cGiven)) answers.confirmed(side(t.u, t.v));
        answers.confirmed(side(t.u, t.w));
    }
    if (!dGiven) answers.confirmed(side(triangles.back().v, triangles.back().w));

    for (int pause = 0; pause < 2 * n + n + 2; ++pause) answers.typed("");
    chain.answers = answers.list;
    return chain;
}

}  // namespace kestrane::testing
