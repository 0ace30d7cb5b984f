// The exports of finished jobs, read back by programs nobody on the project
// wrote: Python's csv module, iconv, GDAL's ogrinfo, xmllint, and a
// re-adjustment of the gama-local network in Python written from the format's
// description. Generated chains in all three arrangements, with orientation
// points and with typed azimuths, in zigzags and with fans. A check whose
// program is missing is skipped.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

#include <sys/wait.h>
#include <unistd.h>

#include "analysis/analysis_summary.h"
#include "export/cass_export.h"
#include "export/chain_network.h"
#include "export/csv_export.h"
#include "export/dxf_export.h"
#include "export/export_format.h"
#include "export/gama_export.h"
#include "export/job_export.h"
#include "chain/text_encoding.h"
#include "job/data_input_job.h"
#include "scripted_io.h"
#include "synthetic_chain.h"

namespace kestrane {
namespace {

namespace fs = std::filesystem;
using testing::ChainPlan;

constexpr double millimetre = 0.001;

// Prints every field read by Python's csv module followed by U+001F and every
// record followed by U+001E, so that commas, quotes and line breaks show.
constexpr const char* csvReader =
    "import csv, sys\n"
    "for record in csv.reader(open(sys.argv[1], encoding='utf-8-sig', newline='')):\n"
    "    sys.stdout.buffer.write(''.join(f + '\\x1f' for f in record).encode() + b'\\x1e')\n";

// ---- Running the outside readers

class ScratchFolder {
public:
    ScratchFolder() : path_(fs::temp_directory_path() / ("kestrane-export-" + std::to_string(getpid())))
    {
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~ScratchFolder() { fs::remove_all(path_); }
    std::string operator/(const std::string& name) const { return path_ / name; }
    std::vector<std::string> listing() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(path_)) names.push_back(entry.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    fs::path path_;
};

std::string readBytes(const std::string& path)
{
    std::ostringstream content;
    content << std::ifstream(path, std::ios::binary).rdbuf();
    return content.str();
}

std::string shellWord(const std::string& word)
{
    std::string quoted = "'";
    for (const char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

bool haveProgram(const std::string& program)
{
    return std::system(("command -v " + program + " >/dev/null 2>&1").c_str()) == 0;
}

struct CommandResult {
    int status = -1;
    std::string output;  // standard output and standard error
};

CommandResult run(const std::string& program, const std::vector<std::string>& arguments)
{
    std::string command = program;
    for (const std::string& argument : arguments) command += " " + shellWord(argument);
    CommandResult result;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    char buffer[4096];
    for (std::size_t count; pipe && (count = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        result.output.append(buffer, count);
    if (pipe) result.status = WEXITSTATUS(pclose(pipe));
    return result;
}

// The pieces of text that each end with the separator.
std::vector<std::string> piecesOf(const std::string& text, char separator)
{
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find(separator, start)) != std::string::npos; start = at + 1)
        pieces.push_back(text.substr(start, at - start));
    return pieces;
}

// A feature as `ogrinfo -ro -al` lists it from a DXF drawing.
struct DrawnFeature {
    std::string text, style, geometry;  // text and style of TEXT entities; geometry POINT or LINESTRING
    std::vector<double> east, north;    // the vertices, drawing X and Y
};

std::map<std::string, std::vector<DrawnFeature>> drawnLayers(const std::string& path)
{
    const auto read = run("ogrinfo", {"-ro", "-al", path});
    EXPECT_EQ(read.status, 0);
    EXPECT_EQ(read.output.find("Warning"), std::string::npos) << read.output;  // such as undecodable characters
    std::map<std::string, std::vector<DrawnFeature>> layers;
    std::istringstream lines(read.output);
    DrawnFeature* feature = nullptr;
    const auto field = [](const std::string& line, const std::string& name) {
        return line.starts_with(name) ? line.substr(name.size()) : std::string();
    };
    for (std::string line; std::getline(lines, line);) {
        if (!field(line, "  Layer (String) = ").empty()) feature = &layers[field(line, "  Layer (String) = ")].emplace_back();
        if (!feature) continue;
        if (line.starts_with("  Text (String) = ")) feature->text = field(line, "  Text (String) = ");
        if (line.starts_with("  Style = ")) feature->style = field(line, "  Style = ");
        if (!line.starts_with("  POINT Z (") && !line.starts_with("  LINESTRING Z (")) continue;
        feature->geometry = line.substr(2, line.find(' ', 2) - 2);  // "  LINESTRING Z (0 0 0,1 0 0)"
        const auto open = line.find('(') + 1;
        for (const std::string& vertex : piecesOf(line.substr(open, line.find(')') - open) + ",", ',')) {
            std::istringstream numbers(vertex);
            numbers >> feature->east.emplace_back() >> feature->north.emplace_back();
        }
    }
    return layers;
}

// ---- The finished jobs

struct FinishedJob {
    std::string label;
    ChainSurvey job;
};

// The chain typed as one whole job, route point i named names[i] where given.
FinishedJob finishedJob(std::string label, const ChainPlan& plan, const std::vector<std::string>& names = {})
{
    FinishedJob finished{std::move(label), {}};
    testing::ScriptedIo io;
    for (std::string answer : testing::makeChain(plan).answers) {
        for (std::size_t i = 0; i < names.size(); ++i)
            if (answer == "P" + std::to_string(i)) answer = names[i];
        io.add(answer);
    }
    const JobOutcome outcome = runDataInputJob(finished.job, io, io);
    EXPECT_EQ(outcome.end, JobEnd::done) << finished.label << ": " << outcome.reason;
    return finished;
}

ChainPlan noisy(int n, ChainCase arrangement, unsigned seed, std::vector<int> fans = {}, bool typedAzimuths = false)
{
    return {.triangles = n, .arrangement = arrangement, .seed = seed, .angleNoise = 2, .sideNoise = 0.004,
            .typedAzimuths = typedAzimuths, .fans = fans};
}

// Names every format carries: Chinese and Latin, blanks, a caret (a control
// mark in DXF strings), XML's special characters, and "E", the id the
// orientation point E would otherwise take.
std::vector<std::string> routeNames(int n)
{
    const std::vector<std::string> names{"起点甲", "测站 1", "五号&<塔>", "北山^顶", "E", "\"引\"号", "P'6"};
    std::vector<std::string> route;
    for (int i = 0; i <= n + 1; ++i) route.push_back(names[i % 7] + (i < 7 ? "" : "·" + std::to_string(i)));
    return route;
}

// Every arrangement from its shortest chain up; typed azimuths; fans in the
// middle and at the closing end, where D is no longer P(n).
const std::vector<FinishedJob>& finishedJobs()
{
    static const std::vector<FinishedJob> jobs = [] {
        const ChainCase one = ChainCase::hangingOnA, two = ChainCase::knownStartSide;
        const ChainCase three = ChainCase::knownStartAndEndSide;
        const std::vector<std::pair<std::string, ChainPlan>> plans{
            {"case 1, n = 1", noisy(1, one, 11)},
            {"case 1, n = 12", noisy(12, one, 112)},
            {"case 1, n = 6, Ta and Tb typed", noisy(6, one, 16, {}, true)},
            {"case 1, n = 7, fans at 3 and 4", noisy(7, one, 17, {3, 4})},
            {"case 2, n = 1", noisy(1, two, 21)},
            {"case 2, n = 9", noisy(9, two, 29)},
            {"case 2, n = 3, Tb typed", noisy(3, two, 23, {}, true)},
            {"case 2, n = 5, fan at the end", noisy(5, two, 25, {5})},
            {"case 3, n = 2", noisy(2, three, 32)},
            {"case 3, n = 10", noisy(10, three, 310)},
            {"case 3, n = 6, fan at 3", noisy(6, three, 36, {3})},
            {"case 3, n = 6, fan at the end", noisy(6, three, 37, {6})},
        };
        std::vector<FinishedJob> jobs;
        for (const auto& [label, plan] : plans) jobs.push_back(finishedJob(label, plan, routeNames(plan.triangles)));
        return jobs;
    }();
    return jobs;
}

int points(const ChainSurvey& job)
{
    return job.triangleCount + 2;
}

bool isKnown(const ChainSurvey& job, int i)
{
    const auto known = knownPoints(job, networkGeometry(job));
    return std::any_of(known.begin(), known.end(), [&](const KnownPoint& k) { return k.index == i; });
}

// A coordinate as the window shows it, formatted apart from the program.
std::string threeDecimals(double x)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.3f", x);
    return text;
}

// The route point within a millimetre of (east, north), or points(job).
int pointAt(const ChainSurvey& job, double east, double north)
{
    int i = 0;
    while (i < points(job) && std::hypot(job.routeY[i] - east, job.routeX[i] - north) > millimetre) ++i;
    return i;
}

// ---- The tests

// The points as the stations join them have the adjusted sides between them
// and the adjusted angles at their corners, each turning the way its spacer
// sign says; the known points lie where they were typed.
TEST(ChainNetwork, StationsJoinThePointsByTheAdjustedSidesAndAngles)
{
    for (const auto& [label, job] : finishedJobs()) {
        SCOPED_TRACE(label);
        const NetworkGeometry geometry = networkGeometry(job);
        const auto& X = job.routeX;
        const auto& Y = job.routeY;
        for (int k = 1; k <= 2 * job.triangleCount + 1; ++k) {
            const auto [from, to] = geometry.sides[k - 1];
            EXPECT_NEAR(std::hypot(X[from] - X[to], Y[from] - Y[to]), job.sideLength[k], 0.1 * millimetre) << k;
        }
        // Seconds turned at `at` from `from` to `to`, clockwise for a positive sign.
        auto turn = [&](int i, int at, int from, int to) {
            const double clockwise = std::atan2(Y[to] - Y[at], X[to] - X[at]) - std::atan2(Y[from] - Y[at], X[from] - X[at]);
            return std::fmod(job.spacerSign[i] * clockwise * 180 / M_PI + 720, 360.0) * 3600;
        };
        for (int i = 1; i <= job.triangleCount; ++i) {
            const NetworkTriangle& t = geometry.triangles[i - 1];
            const int u = t.distanceVertex, v = t.spacerVertex, w = t.forwardVertex;
            EXPECT_NEAR(turn(i, v, u, w), job.angleC[i] * 3600, 0.05) << "C" << i;
            EXPECT_NEAR(turn(i, u, w, v), job.angleA[i] * 3600, 0.05) << "A" << i;
            EXPECT_NEAR(turn(i, w, v, u), job.angleB[i] * 3600, 0.05) << "B" << i;
        }
        for (const KnownPoint& known : knownPoints(job, geometry))
            EXPECT_LT(std::hypot(X[known.index] - known.x, Y[known.index] - known.y), millimetre) << known.role;
    }
}

// Python's csv module reads every name and coordinate back; commas, quotes and
// line breaks come through the quoting; mx, my, mp with two decimals.
TEST(CsvExport, PythonReadsEveryNameAndFigure)
{
    if (!haveProgram("python3")) GTEST_SKIP() << "python3 is not installed";
    std::vector<FinishedJob> jobs = finishedJobs();
    jobs.push_back(finishedJob("quoted", noisy(3, ChainCase::hangingOnA, 5), {"甲,乙", "\"引\"", "两\r\n行", " 空 ", "=1"}));
    ScratchFolder folder;
    for (const auto& [label, job] : jobs) {
        SCOPED_TRACE(label);
        std::vector<PointPrecision> precision;
        for (int i = 0; i < points(job); ++i) precision.push_back({.mx = 1.004 + i, .my = 2.496 * i, .mp = 10.0 / 3});
        const bool analysed = job.triangleCount % 2 == 1;
        ASSERT_TRUE(writeCsv(job, analysed ? &precision : nullptr, folder / "points.csv").written());
        const std::string bytes = readBytes(folder / "points.csv");
        EXPECT_TRUE(bytes.starts_with("\xEF\xBB\xBF点名,X,Y,mx,my,mp\r\n"));
        EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), std::count(bytes.begin(), bytes.end(), '\r'));

        const auto read = run("python3", {"-c", csvReader, folder / "points.csv"});
        ASSERT_EQ(read.status, 0) << read.output;
        const auto records = piecesOf(read.output, '\x1e');
        ASSERT_EQ(static_cast<int>(records.size()), points(job) + 1);
        EXPECT_EQ(records[0], "点名\x1fX\x1fY\x1fmx\x1fmy\x1fmp\x1f");
        for (int i = 0; i < points(job); ++i) {
            char figures[96] = "\x1f\x1f\x1f";
            if (analysed)
                std::snprintf(figures, sizeof figures, "%.2f\x1f%.2f\x1f%.2f\x1f", precision[i].mx, precision[i].my,
                              precision[i].mp);
            EXPECT_EQ(records[i + 1], job.pointName[i] + "\x1f" + threeDecimals(job.routeX[i]) + "\x1f" +
                                          threeDecimals(job.routeY[i]) + "\x1f" + figures);
        }
    }
}

// iconv reads the GB18030 file back to the lines, Y before X; on request the
// same lines are written in UTF-8.
TEST(CassExport, IconvReadsTheLinesBackFromGb18030)
{
    if (!haveProgram("iconv")) GTEST_SKIP() << "iconv is not installed";
    ScratchFolder folder;
    for (const auto& [label, job] : finishedJobs()) {
        SCOPED_TRACE(label);
        std::string lines;
        for (int i = 0; i < points(job); ++i)
            lines += job.pointName[i] + ",," + threeDecimals(job.routeY[i]) + "," + threeDecimals(job.routeX[i]) +
                     ",0.000\r\n";
        ASSERT_TRUE(writeCass(job, folder / "points.dat").written());
        EXPECT_EQ(run("iconv", {"-f", "GB18030", "-t", "UTF-8", folder / "points.dat"}).output, lines);
        EXPECT_NE(readBytes(folder / "points.dat"), lines);  // the Chinese names are not in UTF-8 there
        ASSERT_TRUE(writeCass(job, folder / "utf8.dat", CassEncoding::utf8).written());
        EXPECT_EQ(readBytes(folder / "utf8.dat"), lines);
    }
}

std::vector<double> sorted(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values;
}

void expectNear(const std::vector<double>& drawn, const std::vector<double>& wanted, double tolerance)
{
    ASSERT_EQ(drawn.size(), wanted.size());
    for (std::size_t k = 0; k < drawn.size(); ++k) EXPECT_NEAR(drawn[k], wanted[k], tolerance);
}

// Every unknown point's ellipse on its layer, enlarged by the factor the
// drawing states, the largest drawn between a 25th and a 10th of the mean side.
void expectEllipses(const ChainSurvey& job, const std::vector<PointPrecision>& precision,
                    const std::vector<DrawnFeature>& drawn)
{
    double factor = 0, largest = 0;
    for (const DrawnFeature& text : drawn) {
        if (text.geometry == "POINT") {
            EXPECT_EQ(std::sscanf(text.text.c_str(), "误差椭圆放大 %lf 倍", &factor), 1);
        }
    }
    ASSERT_GT(factor, 0) << "no factor stated";
    int ellipses = 0;
    for (const DrawnFeature& ellipse : drawn) {
        if (ellipse.geometry == "POINT") continue;
        ++ellipses;
        const std::size_t count = ellipse.east.size() - 1;  // the last vertex closes the ring
        double east = 0, north = 0;                         // the centre, the mean of evenly spaced vertices
        for (std::size_t v = 0; v < count; ++v) east += ellipse.east[v] / count, north += ellipse.north[v] / count;
        const int i = pointAt(job, east, north);
        ASSERT_LT(i, points(job)) << "an ellipse about no point";
        const PointPrecision& p = precision[i];
        const double a = p.a * factor / 1000, b = p.b * factor / 1000, alpha = p.alpha * M_PI / 180;
        largest = std::max(largest, a);
        for (std::size_t v = 0; v < count; ++v) {
            const double de = ellipse.east[v] - east, dn = ellipse.north[v] - north;
            const double along = de * std::sin(alpha) + dn * std::cos(alpha);
            const double across = de * std::cos(alpha) - dn * std::sin(alpha);
            EXPECT_NEAR(along * along / (a * a) + across * across / (b * b), 1, 1e-3) << "P(" << i << ")";
        }
    }
    EXPECT_EQ(ellipses, points(job) - 2 - cGiven(job) - dGiven(job));
    EXPECT_TRUE(largest > job.meanSide / 25 && largest <= job.meanSide / 10 + millimetre) << largest;
}

// ogrinfo finds every point at (Y, X) and every name; the lines between the
// points have the lengths of the adjusted sides; a triangle about every known
// point; with an analysis, the error ellipses.
TEST(DxfExport, OgrinfoFindsEveryPointNameSideKnownPointAndEllipse)
{
    if (!haveProgram("ogrinfo")) GTEST_SKIP() << "ogrinfo (gdal-bin) is not installed";
    ScratchFolder folder;
    for (const auto& [label, job] : finishedJobs()) {
        SCOPED_TRACE(label);
        std::vector<PointPrecision> precision(points(job));
        for (int i = 0; i < points(job); ++i)
            if (!isKnown(job, i)) precision[i] = {.a = 4 + 1.5 * i, .b = 1 + 0.5 * i, .alpha = std::fmod(37.0 * i, 180)};
        const bool analysed = job.triangleCount % 2 == 1, ellipses = analysed && points(job) > 2 + cGiven(job) + dGiven(job);
        ASSERT_TRUE(writeDxf(job, analysed ? &precision : nullptr, folder / "chain.dxf").written());
        auto layers = drawnLayers(folder / "chain.dxf");
        EXPECT_EQ(layers.size(), ellipses ? 5u : 4u);
        if (ellipses) expectEllipses(job, precision, layers["误差椭圆"]);

        std::vector<double> east, north, wantedEast, wantedNorth;
        for (const DrawnFeature& point : layers["点"]) east.push_back(point.east[0]), north.push_back(point.north[0]);
        for (int i = 0; i < points(job); ++i) {
            wantedEast.push_back(std::stod(threeDecimals(job.routeY[i])));
            wantedNorth.push_back(std::stod(threeDecimals(job.routeX[i])));
        }
        expectNear(sorted(east), sorted(wantedEast), 1e-9);
        expectNear(sorted(north), sorted(wantedNorth), 1e-9);

        std::vector<std::string> texts, names = job.pointName;
        for (const DrawnFeature& name : layers["点名"]) texts.push_back(name.text);
        std::sort(texts.begin(), texts.end());
        std::sort(names.begin(), names.end());
        EXPECT_EQ(texts, names);
        const std::string& style = layers["点名"].front().style;  // the text height, "s:20g"
        const double height = std::stod(style.substr(style.find(",s:") + 3)) / job.meanSide;
        EXPECT_TRUE(height <= 1.0 / 40 && height > 1.0 / 100) << style;

        std::vector<double> drawn, wanted, knownDrawn, knownWanted;
        auto length = [](const DrawnFeature& l) { return std::hypot(l.east[1] - l.east[0], l.north[1] - l.north[0]); };
        for (const DrawnFeature& line : layers["三角形边"]) drawn.push_back(length(line));
        for (int k = 1; k <= 2 * job.triangleCount + 1; ++k)
            (sideObserved(job, k) ? wanted : knownWanted).push_back(job.sideLength[k]);
        int triangles = 0;
        for (const DrawnFeature& shape : layers["已知点"]) {
            if (shape.east.size() == 2) knownDrawn.push_back(length(shape));  // a known side
            if (shape.east.size() != 4) continue;                            // else a closed triangle
            const int i = pointAt(job, (shape.east[0] + shape.east[1] + shape.east[2]) / 3,
                                  (shape.north[0] + shape.north[1] + shape.north[2]) / 3);
            triangles += i < points(job) && isKnown(job, i);
        }
        expectNear(sorted(drawn), sorted(wanted), 2 * millimetre);
        expectNear(sorted(knownDrawn), sorted(knownWanted), 2 * millimetre);
        EXPECT_EQ(triangles, 2 + cGiven(job) + dGiven(job));
    }
}

// Adjusted again from the file alone, the network gives back Kestrane's
// coordinates to the millimetre, its mb and its number of conditions.
TEST(GamaExport, IndependentReadjustmentReturnsKestranesCoordinates)
{
    if (!haveProgram("xmllint")) GTEST_SKIP() << "xmllint (libxml2-utils) is not installed";
    if (!haveProgram("python3")) GTEST_SKIP() << "python3 is not installed";
    ScratchFolder folder;
    for (const auto& [label, job] : finishedJobs()) {
        SCOPED_TRACE(label);
        ASSERT_TRUE(writeGama(job, folder / "network.xml").written());
        const auto lint = run("xmllint", {"--noout", folder / "network.xml"});
        EXPECT_EQ(lint.status, 0);
        EXPECT_EQ(lint.output, "");
        const auto read = run("python3", {GAMA_READJUST_SCRIPT, folder / "network.xml"});
        ASSERT_EQ(read.status, 0) << read.output;
        std::map<std::string, std::vector<std::string>> lines;  // by their first field, a point's by its id
        for (const std::string& line : piecesOf(read.output, '\n')) {
            const auto fields = piecesOf(line + "\t", '\t');
            lines[fields[0] == "point" ? fields.at(1) : fields[0]] = fields;
        }
        EXPECT_EQ(std::stoi(lines["redundancy"].at(1)), 3 * job.triangleCount + 3);
        EXPECT_NEAR(std::stod(lines["m0"].at(1)), job.mb, 1e-3 * job.mb + 1e-4);
        for (int i = 0; i < points(job); ++i) {
            if (isKnown(job, i)) continue;
            const auto& point = lines[job.pointName[i]];
            ASSERT_EQ(point.size(), 4u) << job.pointName[i] << " is no adjusted point";
            EXPECT_NEAR(std::stod(point[2]), job.routeX[i], millimetre) << job.pointName[i];
            EXPECT_NEAR(std::stod(point[3]), job.routeY[i], millimetre) << job.pointName[i];
        }
        EXPECT_EQ(lines.size(), 2 + points(job) - (2u + cGiven(job) + dGiven(job)));
    }
}

// A name a format cannot carry is refused with a message that names it, and
// the file already at the path stays as it was.
TEST(Exports, RefuseNamesTheyCannotCarry)
{
    using Writer = std::function<ExportResult(const ChainSurvey&, const std::string&)>;
    const Writer csv = [](const ChainSurvey& job, const std::string& path) { return writeCsv(job, nullptr, path); };
    const Writer cass = [](const ChainSurvey& job, const std::string& path) { return writeCass(job, path); };
    const Writer dxf = [](const ChainSurvey& job, const std::string& path) { return writeDxf(job, nullptr, path); };
    const Writer gama = writeGama;
    // U+E78D: a private-use code that GB18030-2005 gave to a vertical comma
    // (A6 D9) and the current GB18030 no longer has; text that went through an
    // old converter holds it.
    const std::vector<std::tuple<std::string, Writer, std::string, std::string>> refusals{
        {"cass", cass, "旧\xEE\x9E\x8D码", "U+E78D"}, {"cass", cass, "甲,乙", "逗号"}, {"cass", cass, "两\n行", "换行"},
        {"cass", cass, "", "没有点名"}, {"dxf", dxf, "笑😀", "U+1F600"}, {"dxf", dxf, "𠀀", "U+20000"},
        {"dxf", dxf, "100%%", "%%"}, {"dxf", dxf, "两\r行", "换行"}, {"gama", gama, "P1", "点名“P1”重复(第 1 点和第 2 点)"},
        {"gama", gama, "", "没有点名"}, {"gama", gama, "a\tb", "控制字符"}, {"csv", csv, "\xC3", "0xC3"},
        {"cass", cass, "\x80", "0x80"}, {"dxf", dxf, "\xE6\xB5", "0xE6"}, {"gama", gama, "\xFF", "0xFF"},
    };
    FinishedJob finished = finishedJob("refusals", noisy(2, ChainCase::hangingOnA, 3));
    ScratchFolder folder;
    for (const auto& [format, writer, name, said] : refusals) {
        SCOPED_TRACE(format + " " + name);
        ChainSurvey job = finished.job;
        ASSERT_TRUE(writer(job, folder / format).written());
        const std::string old = readBytes(folder / format);
        job.pointName[2] = name;
        const ExportResult result = writer(job, folder / format);
        EXPECT_NE(result.message.find(said), std::string::npos) << result.message;
        EXPECT_EQ(readBytes(folder / format), old);
    }
    EXPECT_EQ(folder.listing(), (std::vector<std::string>{"cass", "csv", "dxf", "gama"}));
    // The UTF-8 coordinate file carries what GB18030 cannot.
    finished.job.pointName[2] = "旧\xEE\x9E\x8D码😀";
    ASSERT_TRUE(writeCass(finished.job, folder / "utf8", CassEncoding::utf8).written());
    EXPECT_NE(readBytes(folder / "utf8").find("旧\xEE\x9E\x8D码😀,,"), std::string::npos);
}

// A path that cannot be written, a job that did not finish, an analysis of
// another chain: a message, and nothing left behind.
TEST(Exports, UnwritablePathsAndUnfinishedJobsLeaveNothingBehind)
{
    const ChainSurvey& job = finishedJobs()[1].job;
    const std::vector<PointPrecision> tooShort(2);
    ScratchFolder folder;
    fs::create_directory(folder / "taken");
    for (const char* name : {"csv", "cass", "dxf", "gama"}) {
        SCOPED_TRACE(name);
        const ExportFormat format = *exportFormatNamed(name);
        const std::string missing = writeExport(format, job, nullptr, folder / "missing/out").message;
        EXPECT_NE(missing.find("文件夹不存在"), std::string::npos) << missing;
        // The rename onto a folder fails after the whole file was written.
        const std::string taken = writeExport(format, job, nullptr, folder / "taken").message;
        EXPECT_NE(taken.find("同名的文件夹已经存在"), std::string::npos) << taken;
        EXPECT_NE(writeExport(format, job, nullptr, "").message, "");
        EXPECT_EQ(writeExport(format, ChainSurvey{}, nullptr, folder / "out").message, "没有算完的平差结果可以导出。");
        EXPECT_EQ(folder.listing(), std::vector<std::string>{"taken"});
        EXPECT_TRUE(fs::is_empty(folder / "taken"));
    }
    EXPECT_NE(writeDxf(job, &tooShort, folder / "out").message.find("点数"), std::string::npos);
    EXPECT_FALSE(exportFormatNamed("pdf"));
}

// The export of the last complete job takes each point's precision and
// ellipse from the job's quality analysis; a job the analysis does not take
// is exported without them; with no complete job nothing is written.
TEST(JobExport, CarriesTheAnalysisWhereItCanBeMade)
{
    ScratchFolder folder;
    const auto sameFile = [&](const ExportResult& whole, const ExportResult& parts) {
        return whole.written() && parts.written() && readBytes(folder / "whole") == readBytes(folder / "parts");
    };
    for (const std::size_t j : {0u, 6u, 11u}) {
        const auto& [label, job] = finishedJobs()[j];
        SCOPED_TRACE(label);
        const std::vector<PointPrecision> points = analyseChain(job).points;
        EXPECT_TRUE(sameFile(exportCompleteJob(&job, ExportFormat::csv, folder / "whole"),
                             writeCsv(job, &points, folder / "parts")));
        EXPECT_TRUE(sameFile(exportCompleteJob(&job, ExportFormat::dxf, folder / "whole"),
                             writeDxf(job, &points, folder / "parts")));
        EXPECT_NE(readBytes(folder / "parts").find(*encodeUtf8As("误差椭圆", gbkEncoding)), std::string::npos);
        EXPECT_TRUE(sameFile(exportCompleteJob(&job, ExportFormat::cass, folder / "whole", CassEncoding::utf8),
                             writeCass(job, folder / "parts", CassEncoding::utf8)));
    }
    ChainSurvey unanalysable = finishedJobs()[1].job;
    unanalysable.linearisedX.clear();  // the analysis refuses the record; the writers do not need it
    ASSERT_FALSE(analysedPoints(unanalysable));
    EXPECT_TRUE(sameFile(exportCompleteJob(&unanalysable, ExportFormat::csv, folder / "whole"),
                         writeCsv(unanalysable, nullptr, folder / "parts")));
    EXPECT_EQ(exportCompleteJob(nullptr, ExportFormat::gama, folder / "none").message, noCompleteJobToExport);
    EXPECT_EQ(folder.listing(), (std::vector<std::string>{"parts", "whole"}));
}

// With a grade the CSV table has its checks beside it, one line a check and
// the verdict last, as Python's csv module reads them; without one, nothing
// more is written.
TEST(JobExport, TheChecksOfAGradeGoBesideTheTable)
{
    ScratchFolder folder;
    const auto& [label, job] = finishedJobs()[0];
    const Grade grade = *standardGrade("二等");
    ASSERT_TRUE(exportCompleteJob(&job, ExportFormat::csv, folder / "成果.csv", CassEncoding::gb18030, grade).written());
    EXPECT_EQ(checksCsvPath(folder / "成果.csv"), folder / "成果-限差检核.csv");
    const std::string bytes = readBytes(folder / "成果-限差检核.csv");
    EXPECT_TRUE(bytes.starts_with("\xEF\xBB\xBF检核项,编号,闭合差或数值,限差,单位,结论\r\n"));
    const ChainAnalysis analysis = analyseChain(job, grade);
    if (haveProgram("python3")) {
        const auto read = run("python3", {"-c", csvReader, folder / "成果-限差检核.csv"});
        ASSERT_EQ(read.status, 0) << read.output;
        const auto records = piecesOf(read.output, '\x1e');
        ASSERT_EQ(records.size(), analysis.grading->checks.size() + 2);
        EXPECT_EQ(records[1].substr(0, records[1].find("\x1f", records[1].find("\x1f") + 1)), "三角形闭合差 w1\x1fw1");
        EXPECT_EQ(records.back(), "总评\x1f\x1f\x1f\x1f\x1f" + gradeVerdict(*analysis.grading) + "\x1f");
    }
    // The same table as without a grade; a job with no grade writes no checks.
    ASSERT_TRUE(writeCsv(job, &analysis.points, folder / "parts.csv").written());
    EXPECT_EQ(readBytes(folder / "成果.csv"), readBytes(folder / "parts.csv"));
    ASSERT_TRUE(exportCompleteJob(&job, ExportFormat::csv, folder / "plain.csv").written());
    ASSERT_TRUE(exportCompleteJob(&job, ExportFormat::dxf, folder / "plan.dxf", CassEncoding::gb18030, grade).written());
    auto listing = folder.listing();
    std::sort(listing.begin(), listing.end());
    EXPECT_EQ(listing, (std::vector<std::string>{"parts.csv", "plain.csv", "plan.dxf", "成果-限差检核.csv", "成果.csv"}));
}

}  // namespace
}  // namespace kestrane
