// The exports of finished jobs, read back by programs nobody on the project
// wrote: Python's csv module, iconv, GDAL's ogrinfo, xmllint, and a
// re-adjustment of the gama-local network written in Python from the format's
// description. Generated chains in all three arrangements, with orientation
// points and with typed azimuths, in zigzags and with fans.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <sstream>

#include "adjustment/conditions.h"
#include "chain/angles.h"
#include "export/cass_export.h"
#include "export/chain_network.h"
#include "export/csv_export.h"
#include "export/dxf_export.h"
#include "export/export_format.h"
#include "export/gama_export.h"
#include "outside_readers.h"

namespace kestrane {
namespace {

using testing::ChainPlan;
using testing::FinishedJob;
using testing::ScratchFolder;
using testing::haveProgram;
using testing::piecesOf;
using testing::readBytes;
using testing::shellWord;

constexpr double millimetre = 0.001;

// Names every format can carry: Chinese and Latin, a blank, a caret (a
// control mark in DXF strings), XML's special characters.
std::string routeName(int i)
{
    static const std::vector<std::string> names{"起点甲", "测站 1", "五号&<塔>", "北山^顶", "Q-4",
                                                "\"引\"号", "凤凰岭", "P'7", "东 门", "十一"};
    return names[i % names.size()] + (i >= static_cast<int>(names.size()) ? "·" + std::to_string(i) : "");
}

std::vector<std::string> routeNames(int n)
{
    std::vector<std::string> names;
    for (int i = 0; i <= n + 1; ++i) names.push_back(routeName(i));
    return names;
}

struct ChainUnderTest {
    std::string label;
    std::unique_ptr<FinishedJob> run;
};

ChainPlan noisy(int n, ChainCase arrangement, unsigned seed)
{
    return {.triangles = n, .arrangement = arrangement, .seed = seed, .angleNoise = 2, .sideNoise = 0.004};
}

// Every arrangement, from one triangle up; orientation points and typed
// azimuths; fans in the middle and at the closing end.
const std::vector<ChainUnderTest>& chainsUnderTest()
{
    static const std::vector<ChainUnderTest> chains = [] {
        struct Entry {
            std::string label;
            ChainPlan plan;
        };
        std::vector<Entry> entries{
            {"case 1, n = 1", noisy(1, ChainCase::hangingOnA, 11)},
            {"case 1, n = 5", noisy(5, ChainCase::hangingOnA, 15)},
            {"case 1, n = 12", noisy(12, ChainCase::hangingOnA, 112)},
            {"case 2, n = 1", noisy(1, ChainCase::knownStartSide, 21)},
            {"case 2, n = 4", noisy(4, ChainCase::knownStartSide, 24)},
            {"case 2, n = 9", noisy(9, ChainCase::knownStartSide, 29)},
            {"case 3, n = 2", noisy(2, ChainCase::knownStartAndEndSide, 32)},
            {"case 3, n = 5", noisy(5, ChainCase::knownStartAndEndSide, 35)},
            {"case 3, n = 10", noisy(10, ChainCase::knownStartAndEndSide, 310)},
        };
        Entry typed{"case 1, n = 6, Ta and Tb typed", noisy(6, ChainCase::hangingOnA, 16)};
        typed.plan.typedAzimuths = true;
        entries.push_back(typed);
        Entry typedClosing{"case 2, n = 3, Tb typed", noisy(3, ChainCase::knownStartSide, 23)};
        typedClosing.plan.typedAzimuths = true;
        entries.push_back(typedClosing);
        const std::vector<std::tuple<std::string, ChainCase, int, std::vector<int>>> fanned{
            {"case 1, n = 6, fan at 3", ChainCase::hangingOnA, 6, {3}},
            {"case 1, n = 7, fan at 3 and 4", ChainCase::hangingOnA, 7, {3, 4}},
            {"case 2, n = 6, fan at 2", ChainCase::knownStartSide, 6, {2}},
            {"case 2, n = 5, fan at the end", ChainCase::knownStartSide, 5, {5}},
            {"case 3, n = 6, fan at 3", ChainCase::knownStartAndEndSide, 6, {3}},
            {"case 3, n = 6, fan at the end", ChainCase::knownStartAndEndSide, 6, {6}},
        };
        unsigned seed = 700;
        for (const auto& [label, arrangement, n, fans] : fanned) {
            Entry entry{label, noisy(n, arrangement, ++seed)};
            entry.plan.fans = fans;
            entries.push_back(entry);
        }
        std::vector<ChainUnderTest> chains;
        for (const Entry& entry : entries)
            chains.push_back({entry.label, testing::finishedJob(entry.plan, routeNames(entry.plan.triangles))});
        return chains;
    }();
    return chains;
}

int pointCount(const ChainSurvey& job)
{
    return job.triangleCount + 2;
}

// A coordinate as the window shows it, formatted independently of the program.
std::string threeDecimals(double x)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.3f", x);
    return text;
}

// The clockwise angle at `at` from `from` to `to`, degrees in [0, 360).
double clockwiseAngle(const ChainSurvey& job, int at, int from, int to)
{
    auto bearing = [&](int i) { return std::atan2(job.routeY[i] - job.routeY[at], job.routeX[i] - job.routeX[at]); };
    double angle = (bearing(to) - bearing(from)) * 180 / M_PI;
    while (angle < 0) angle += 360;
    while (angle >= 360) angle -= 360;
    return angle;
}

double distance(const ChainSurvey& job, int i, int j)
{
    return std::hypot(job.routeX[i] - job.routeX[j], job.routeY[i] - job.routeY[j]);
}

TEST(ExportedChains, AllFinished)
{
    for (const auto& [label, run] : chainsUnderTest()) {
        SCOPED_TRACE(label);
        EXPECT_EQ(run->outcome.end, JobEnd::done) << run->outcome.reason;
        EXPECT_TRUE(run->io.allAnswered());
        EXPECT_EQ(run->job.pointName, routeNames(run->job.triangleCount));
    }
}

// The network the drawing and the gama file are made of: the points the
// result loop shows, joined as the stations say, have the adjusted sides
// between them and the adjusted angles at their corners, each turning the
// way its spacer sign says; the known points lie where they were typed.
TEST(ChainNetwork, SidesAndAnglesOfThePointsAreTheAdjustedOnes)
{
    for (const auto& [label, run] : chainsUnderTest()) {
        SCOPED_TRACE(label);
        const ChainSurvey& job = run->job;
        const int n = job.triangleCount;
        const auto stations = triangleStations(job);
        for (int k = 1; k <= 2 * n + 1; ++k) {
            const SideEnds ends = sideEnds(stations, k);
            EXPECT_NEAR(distance(job, ends.from, ends.to), job.sideLength[k], 0.1 * millimetre) << "S" << k;
        }
        for (int i = 1; i <= n; ++i) {
            const auto [u, v, w] = stations[i];
            const double sense = job.spacerSign[i];
            auto turned = [&](double clockwise) { return sense > 0 ? clockwise : 360 - clockwise; };
            const double arcsecond = 1.0 / 3600;
            EXPECT_NEAR(turned(clockwiseAngle(job, v, u, w)), job.angleC[i], 0.05 * arcsecond) << "C" << i;
            EXPECT_NEAR(turned(clockwiseAngle(job, u, w, v)), job.angleA[i], 0.05 * arcsecond) << "A" << i;
            EXPECT_NEAR(turned(clockwiseAngle(job, w, v, u)), job.angleB[i], 0.05 * arcsecond) << "B" << i;
        }
        for (const KnownPoint& known : knownPoints(job, stations)) {
            EXPECT_NEAR(job.routeX[known.index], known.x, millimetre) << known.role;
            EXPECT_NEAR(job.routeY[known.index], known.y, millimetre) << known.role;
        }
    }
}

TEST(CsvExport, PythonReadsEveryPointWithItsNameAndCoordinates)
{
    if (!haveProgram("python3")) GTEST_SKIP() << "python3 is not installed";
    ScratchFolder folder;
    const std::string path = folder / "points.csv";
    for (const auto& [label, run] : chainsUnderTest()) {
        SCOPED_TRACE(label);
        const ChainSurvey& job = run->job;
        ASSERT_TRUE(writeCsv(job, nullptr, path).written());
        const std::string bytes = readBytes(path);
        EXPECT_TRUE(bytes.starts_with("\xEF\xBB\xBF点名,X,Y,mx,my,mp\r\n"));
        EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), pointCount(job) + 1);
        EXPECT_EQ(bytes.find("\n"), bytes.find("\r\n") + 1);

        const auto read = testing::run("python3 " + shellWord(CSV_ROWS_SCRIPT) + " " + shellWord(path));
        ASSERT_EQ(read.status, 0);
        const auto records = piecesOf(read.output, '\x1e');
        ASSERT_EQ(static_cast<int>(records.size()), pointCount(job) + 1);
        EXPECT_EQ(piecesOf(records[0], '\x1f'), (std::vector<std::string>{"点名", "X", "Y", "mx", "my", "mp"}));
        for (int i = 0; i < pointCount(job); ++i) {
            EXPECT_EQ(piecesOf(records[i + 1], '\x1f'),
                      (std::vector<std::string>{job.pointName[i], threeDecimals(job.routeX[i]),
                                                threeDecimals(job.routeY[i]), "", "", ""}));
        }
    }
}

// Commas, quotes, line breaks and blanks in names survive RFC 4180 quoting;
// the analysis fills mx, my, mp in millimetres with two decimals.
TEST(CsvExport, QuotedNamesAndTheAnalysisReadBack)
{
    if (!haveProgram("python3")) GTEST_SKIP() << "python3 is not installed";
    const std::vector<std::string> names{"甲,乙", "say \"hi\"", "两\r\n行", " 前后 ", "=1+2"};
    const auto run = testing::finishedJob(noisy(3, ChainCase::hangingOnA, 5), names);
    ASSERT_EQ(run->outcome.end, JobEnd::done);
    ASSERT_EQ(run->job.pointName, names);
    std::vector<PointPrecision> precision;
    for (int i = 0; i < 5; ++i) precision.push_back({.mx = 1.004 + i, .my = 2.496 * i, .mp = 10.0 / 3 + i});
    ScratchFolder folder;
    const std::string path = folder / "quoted.csv";
    ASSERT_TRUE(writeCsv(run->job, &precision, path).written());
    const auto read = testing::run("python3 " + shellWord(CSV_ROWS_SCRIPT) + " " + shellWord(path));
    ASSERT_EQ(read.status, 0);
    const auto records = piecesOf(read.output, '\x1e');
    ASSERT_EQ(records.size(), 6u);
    for (int i = 0; i < 5; ++i) {
        const auto fields = piecesOf(records[i + 1], '\x1f');
        ASSERT_EQ(fields.size(), 6u);
        EXPECT_EQ(fields[0], names[i]);
        char figures[96];
        std::snprintf(figures, sizeof figures, "%.2f %.2f %.2f", precision[i].mx, precision[i].my, precision[i].mp);
        EXPECT_EQ(fields[3] + " " + fields[4] + " " + fields[5], figures);
    }
}

// The expected CASS lines, built apart from the program.
std::string cassLines(const ChainSurvey& job)
{
    std::string lines;
    for (int i = 0; i < pointCount(job); ++i)
        lines += job.pointName[i] + ",," + threeDecimals(job.routeY[i]) + "," + threeDecimals(job.routeX[i]) + ",0.000\r\n";
    return lines;
}

TEST(CassExport, IconvReadsTheLinesBackFromGb18030)
{
    if (!haveProgram("iconv")) GTEST_SKIP() << "iconv is not installed";
    ScratchFolder folder;
    const std::string path = folder / "points.dat", utf8Path = folder / "points-utf8.dat";
    for (const auto& [label, run] : chainsUnderTest()) {
        SCOPED_TRACE(label);
        const ChainSurvey& job = run->job;
        ASSERT_TRUE(writeCass(job, path).written());
        const auto read = testing::run("iconv -f GB18030 -t UTF-8 " + shellWord(path));
        EXPECT_EQ(read.status, 0);
        EXPECT_EQ(read.output, cassLines(job));
        EXPECT_NE(readBytes(path), cassLines(job));  // the Chinese names are not UTF-8 there
        ASSERT_TRUE(writeCass(job, utf8Path, CassEncoding::utf8).written());
        EXPECT_EQ(readBytes(utf8Path), cassLines(job));
    }
}

TEST(CassExport, RefusesNamesItCannotWriteAndLeavesTheOldFile)
{
    auto run = testing::finishedJob(noisy(2, ChainCase::hangingOnA, 3));
    ASSERT_EQ(run->outcome.end, JobEnd::done);
    ChainSurvey& job = run->job;
    ScratchFolder folder;
    const std::string path = folder / "old.dat";
    ASSERT_TRUE(writeCass(job, path).written());
    const std::string old = readBytes(path);

    // U+E78D: a private-use code that GB18030-2005 once gave to a vertical
    // comma (bytes A6 D9) and the current GB18030 no longer has; text that
    // went through an old converter holds it.
    const std::vector<std::pair<std::string, std::string>> refused{
        {"旧\xEE\x9E\x8D码", "U+E78D"}, {"甲,乙", "逗号"}, {"两\n行", "换行"}, {"", "没有点名"}, {"\x80", "0x80"}};
    for (const auto& [name, said] : refused) {
        SCOPED_TRACE(name);
        job.pointName[2] = name;
        const ExportResult result = writeCass(job, path);
        EXPECT_FALSE(result.written());
        EXPECT_NE(result.message.find(said), std::string::npos) << result.message;
        EXPECT_EQ(readBytes(path), old);
    }
    EXPECT_EQ(folder.listing(), std::vector<std::string>{"old.dat"});

    // UTF-8 writes what GB18030 cannot.
    job.pointName[2] = "旧\xEE\x9E\x8D码😀";
    ASSERT_TRUE(writeCass(job, path, CassEncoding::utf8).written());
    EXPECT_NE(readBytes(path).find("旧\xEE\x9E\x8D码😀,,"), std::string::npos);
}

// Every POINT at (Y, X), every name, a LINE of the adjusted length for every
// observed side, a triangle at every known point.
TEST(DxfExport, OgrinfoFindsEveryPointNameAndSide)
{
    if (!haveProgram("ogrinfo")) GTEST_SKIP() << "ogrinfo (gdal-bin) is not installed";
    ScratchFolder folder;
    const std::string path = folder / "chain.dxf";
    for (const auto& [label, run] : chainsUnderTest()) {
        SCOPED_TRACE(label);
        const ChainSurvey& job = run->job;
        const int n = job.triangleCount;
        ASSERT_TRUE(writeDxf(job, nullptr, path).written());
        const auto read = testing::run("ogrinfo -ro -al " + shellWord(path), true);
        ASSERT_EQ(read.status, 0) << read.output;
        EXPECT_EQ(read.output.find("Warning"), std::string::npos) << read.output;
        EXPECT_EQ(read.output.find("ERROR"), std::string::npos) << read.output;
        std::map<std::string, std::vector<testing::DrawnFeature>> layers;
        for (auto& feature : testing::drawnFeatures(read.output)) layers[feature.layer].push_back(feature);
        EXPECT_EQ(layers.size(), 4u);
        EXPECT_EQ(layers.count("误差椭圆"), 0u);

        const auto& points = layers["点"];
        ASSERT_EQ(static_cast<int>(points.size()), pointCount(job));
        for (int i = 0; i < pointCount(job); ++i) {
            const bool found = std::any_of(points.begin(), points.end(), [&](const auto& p) {
                return p.geometry == "POINT" && std::fabs(p.east[0] - job.routeY[i]) <= 0.6 * millimetre &&
                       std::fabs(p.north[0] - job.routeX[i]) <= 0.6 * millimetre;
            });
            EXPECT_TRUE(found) << "P(" << i << ")";
        }

        std::vector<std::string> texts;
        for (const auto& label : layers["点名"]) texts.push_back(label.text);
        std::vector<std::string> names = job.pointName;
        std::sort(texts.begin(), texts.end());
        std::sort(names.begin(), names.end());
        EXPECT_EQ(texts, names);
        // The text height: 1, 2 or 5 times a power of ten, between an
        // eightieth and a fortieth of the mean side.
        const std::string style = layers["点名"].front().style;
        const auto size = style.find(",s:");
        ASSERT_NE(size, std::string::npos) << style;
        const double height = std::stod(style.substr(size + 3));
        const double mantissa = height / std::pow(10.0, std::floor(std::log10(height) + 1e-9));
        EXPECT_TRUE(std::fabs(mantissa - 1) < 1e-9 || std::fabs(mantissa - 2) < 1e-9 || std::fabs(mantissa - 5) < 1e-9)
            << height;
        EXPECT_GT(height, job.meanSide / 100);
        EXPECT_LE(height, job.meanSide / 40);

        std::vector<double> drawn, adjusted, knownDrawn, knownAdjusted;
        for (const auto& line : layers["三角形边"]) drawn.push_back(std::hypot(line.east[1] - line.east[0], line.north[1] - line.north[0]));
        for (const auto& shape : layers["已知点"])
            if (shape.east.size() == 2) knownDrawn.push_back(std::hypot(shape.east[1] - shape.east[0], shape.north[1] - shape.north[0]));
        for (int k = 1; k <= 2 * n + 1; ++k) (sideObserved(job, k) ? adjusted : knownAdjusted).push_back(job.sideLength[k]);
        for (auto* lengths : {&drawn, &adjusted, &knownDrawn, &knownAdjusted}) std::sort(lengths->begin(), lengths->end());
        ASSERT_EQ(drawn.size(), adjusted.size());
        for (std::size_t k = 0; k < drawn.size(); ++k) EXPECT_NEAR(drawn[k], adjusted[k], 2 * millimetre);
        ASSERT_EQ(knownDrawn.size(), knownAdjusted.size());
        for (std::size_t k = 0; k < knownDrawn.size(); ++k) EXPECT_NEAR(knownDrawn[k], knownAdjusted[k], 2 * millimetre);

        // A closed triangle about each known point as typed.
        std::vector<std::pair<double, double>> typed{{job.ya.value, job.xa.value}, {job.yb.value, job.xb.value}};
        if (cGiven(job)) typed.push_back({job.yc.value, job.xc.value});
        if (dGiven(job)) typed.push_back({job.yd.value, job.xd.value});
        int triangles = 0;
        for (const auto& shape : layers["已知点"]) {
            if (shape.east.size() != 4) continue;
            ++triangles;
            EXPECT_EQ(shape.east.front(), shape.east.back());
            const double east = (shape.east[0] + shape.east[1] + shape.east[2]) / 3;
            const double north = (shape.north[0] + shape.north[1] + shape.north[2]) / 3;
            EXPECT_TRUE(std::any_of(typed.begin(), typed.end(), [&](const auto& p) {
                return std::hypot(p.first - east, p.second - north) < millimetre;
            })) << east << " " << north;
        }
        EXPECT_EQ(triangles, static_cast<int>(typed.size()));
    }
}

// With an analysis, every unknown point's error ellipse, enlarged by the
// factor the drawing states, on its own layer.
TEST(DxfExport, ErrorEllipsesAreDrawnToTheStatedFactor)
{
    if (!haveProgram("ogrinfo")) GTEST_SKIP() << "ogrinfo (gdal-bin) is not installed";
    ScratchFolder folder;
    const std::string path = folder / "ellipses.dxf";
    for (const int which : {1, 7, 13}) {
        const auto& [label, run] = chainsUnderTest()[which];
        SCOPED_TRACE(label);
        const ChainSurvey& job = run->job;
        const auto known = knownPoints(job, triangleStations(job));
        std::vector<PointPrecision> precision(pointCount(job));
        for (int i = 0; i < pointCount(job); ++i) {
            if (std::any_of(known.begin(), known.end(), [&](const KnownPoint& k) { return k.index == i; })) continue;
            const double a = 4 + 1.5 * i, b = 1 + 0.5 * i, alpha = (37 * i) % 180;
            precision[i] = {.mx = a, .my = b, .mp = std::hypot(a, b), .a = a, .b = b, .alpha = alpha};
        }
        ASSERT_TRUE(writeDxf(job, &precision, path).written());
        const auto read = testing::run("ogrinfo -ro -al " + shellWord(path), true);
        ASSERT_EQ(read.status, 0);
        std::vector<testing::DrawnFeature> ellipses;
        double factor = 0;
        for (const auto& feature : testing::drawnFeatures(read.output)) {
            if (feature.layer != "误差椭圆") continue;
            if (feature.geometry == "POINT") {
                ASSERT_EQ(std::sscanf(feature.text.c_str(), "误差椭圆放大 %lf 倍", &factor), 1) << feature.text;
            } else {
                ellipses.push_back(feature);
            }
        }
        ASSERT_GT(factor, 0);
        EXPECT_EQ(ellipses.size(), static_cast<std::size_t>(pointCount(job)) - known.size());
        double largest = 0;
        for (const auto& ellipse : ellipses) {
            // The centre is the mean of the evenly spaced vertices.
            double east = 0, north = 0;
            const std::size_t vertices = ellipse.east.size() - 1;  // the last closes the ring
            for (std::size_t v = 0; v < vertices; ++v) east += ellipse.east[v] / vertices, north += ellipse.north[v] / vertices;
            int i = 0;
            while (i < pointCount(job) && std::hypot(job.routeY[i] - east, job.routeX[i] - north) > millimetre) ++i;
            ASSERT_LT(i, pointCount(job)) << "an ellipse about no point";
            const PointPrecision& p = precision[i];
            const double a = p.a * factor / 1000, b = p.b * factor / 1000, alpha = p.alpha * M_PI / 180;
            largest = std::max(largest, a);
            for (std::size_t v = 0; v < vertices; ++v) {
                const double de = ellipse.east[v] - east, dn = ellipse.north[v] - north;
                const double along = de * std::sin(alpha) + dn * std::cos(alpha);
                const double across = de * std::cos(alpha) - dn * std::sin(alpha);
                EXPECT_NEAR(along * along / (a * a) + across * across / (b * b), 1, 1e-3) << "P(" << i << ")";
            }
        }
        EXPECT_LE(largest, job.meanSide / 10 + millimetre);
        EXPECT_GT(largest, job.meanSide / 25);
    }
}

TEST(DxfExport, RefusesNamesOutsideGbk)
{
    auto run = testing::finishedJob(noisy(2, ChainCase::knownStartSide, 4));
    ASSERT_EQ(run->outcome.end, JobEnd::done);
    ScratchFolder folder;
    for (const auto& [name, said] : std::vector<std::pair<std::string, std::string>>{
             {"笑😀", "U+1F600"}, {"𠀀", "U+20000"}, {"100%%", "%%"}, {"两\r行", "换行"}}) {
        SCOPED_TRACE(name);
        run->job.pointName[1] = name;
        const ExportResult result = writeDxf(run->job, nullptr, folder / "chain.dxf");
        EXPECT_FALSE(result.written());
        EXPECT_NE(result.message.find(said), std::string::npos) << result.message;
    }
    EXPECT_TRUE(folder.listing().empty());
}

// The ids of the file's points: the route names and E, F.
struct Readjustment {
    double m0 = -1;
    int redundancy = -1;
    std::map<std::string, std::pair<double, double>> points;
};

Readjustment readjusted(const std::string& output)
{
    Readjustment result;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        const auto fields = piecesOf(line, '\t');
        if (fields.size() == 2 && fields[0] == "m0") result.m0 = std::stod(fields[1]);
        if (fields.size() == 2 && fields[0] == "redundancy") result.redundancy = std::stoi(fields[1]);
        if (fields.size() == 4 && fields[0] == "point") result.points[fields[1]] = {std::stod(fields[2]), std::stod(fields[3])};
    }
    return result;
}

// Adjusted again from the file alone, the network returns Kestrane's
// coordinates to the millimetre and its mb: same observations, same weights.
TEST(GamaExport, IndependentReadjustmentReturnsKestranesCoordinates)
{
    if (!haveProgram("xmllint")) GTEST_SKIP() << "xmllint (libxml2-utils) is not installed";
    if (!haveProgram("python3")) GTEST_SKIP() << "python3 is not installed";
    ScratchFolder folder;
    const std::string path = folder / "network.xml";
    for (const auto& [label, run] : chainsUnderTest()) {
        SCOPED_TRACE(label);
        const ChainSurvey& job = run->job;
        const int n = job.triangleCount;
        ASSERT_TRUE(writeGama(job, path).written());
        const auto lint = testing::run("xmllint --noout " + shellWord(path), true);
        EXPECT_EQ(lint.status, 0);
        EXPECT_EQ(lint.output, "");

        const auto read = testing::run("python3 " + shellWord(GAMA_READJUST_SCRIPT) + " " + shellWord(path), true);
        ASSERT_EQ(read.status, 0) << read.output;
        const Readjustment result = readjusted(read.output);
        EXPECT_EQ(result.redundancy, 3 * n + 3);
        EXPECT_NEAR(result.m0, job.mb, 1e-3 * job.mb + 1e-4);
        const auto known = knownPoints(job, triangleStations(job));
        EXPECT_EQ(result.points.size(), pointCount(job) - known.size());
        for (int i = 0; i < pointCount(job); ++i) {
            if (std::any_of(known.begin(), known.end(), [&](const KnownPoint& k) { return k.index == i; })) continue;
            const auto found = result.points.find(job.pointName[i]);
            ASSERT_NE(found, result.points.end()) << job.pointName[i];
            EXPECT_NEAR(found->second.first, job.routeX[i], millimetre) << job.pointName[i];
            EXPECT_NEAR(found->second.second, job.routeY[i], millimetre) << job.pointName[i];
        }
    }
}

TEST(GamaExport, RefusesNamesThatCannotBeIds)
{
    auto run = testing::finishedJob(noisy(3, ChainCase::hangingOnA, 8));
    ASSERT_EQ(run->outcome.end, JobEnd::done);
    ScratchFolder folder;
    const std::string path = folder / "network.xml";
    ChainSurvey& job = run->job;
    job.pointName[3] = job.pointName[1];
    ExportResult result = writeGama(job, path);
    EXPECT_FALSE(result.written());
    EXPECT_NE(result.message.find("点名“P1”重复(第 1 点和第 3 点)"), std::string::npos) << result.message;
    job.pointName[3] = "";
    EXPECT_NE(writeGama(job, path).message.find("第 3 点没有点名"), std::string::npos);
    job.pointName[3] = "a\tb";
    EXPECT_NE(writeGama(job, path).message.find("控制字符"), std::string::npos);
    EXPECT_TRUE(folder.listing().empty());

    // A route point called E: the orientation point takes another id.
    job.pointName[3] = "E";
    ASSERT_TRUE(writeGama(job, path).written());
    const std::string xml = readBytes(path);
    EXPECT_NE(xml.find("<point id=\"E-1\""), std::string::npos);
    EXPECT_NE(xml.find("bs=\"E-1\" fs=\"P1\""), std::string::npos);
}

// A path that cannot be written: nothing is left behind, an older file stays.
TEST(Exports, UnwritablePathsLeaveNothingBehind)
{
    const auto& run = chainsUnderTest()[1].run;
    ScratchFolder folder;
    std::filesystem::create_directory(folder / "taken");
    for (const char* name : {"csv", "cass", "dxf", "gama"}) {
        SCOPED_TRACE(name);
        const ExportFormat format = *exportFormatNamed(name);
        const ExportResult missing = writeExport(format, run->job, nullptr, folder / "missing" / "out");
        EXPECT_FALSE(missing.written());
        EXPECT_NE(missing.message.find("文件夹不存在"), std::string::npos) << missing.message;
        // Renaming onto a folder fails after the whole file was written.
        const ExportResult onFolder = writeExport(format, run->job, nullptr, folder / "taken");
        EXPECT_FALSE(onFolder.written());
        EXPECT_NE(onFolder.message.find("同名的文件夹已经存在"), std::string::npos) << onFolder.message;
        EXPECT_FALSE(writeExport(format, run->job, nullptr, "").written());
        EXPECT_EQ(folder.listing(), std::vector<std::string>{"taken"});
        EXPECT_TRUE(std::filesystem::is_empty(folder / "taken"));
    }
    EXPECT_FALSE(exportFormatNamed("pdf"));
}

TEST(Exports, RefuseWhatIsNoFinishedJob)
{
    ScratchFolder folder;
    const ChainSurvey empty;
    const auto& run = chainsUnderTest()[0].run;
    const std::vector<PointPrecision> tooShort(2);
    for (const char* name : {"csv", "cass", "dxf", "gama"}) {
        SCOPED_TRACE(name);
        const ExportFormat format = *exportFormatNamed(name);
        EXPECT_EQ(writeExport(format, empty, nullptr, folder / "out").message, "没有算完的平差结果可以导出。");
        ChainSurvey unnamed = run->job;
        unnamed.pointName[1] = "\xC3";  // a lead byte without its continuation
        EXPECT_NE(writeExport(format, unnamed, nullptr, folder / "out").message.find("0xC3"), std::string::npos);
    }
    EXPECT_NE(writeCsv(run->job, &tooShort, folder / "out").message.find("点数"), std::string::npos);
    EXPECT_TRUE(folder.listing().empty());
}

}  // namespace
}  // namespace kestrane
