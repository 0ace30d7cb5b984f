#include "report/report.h"

#include <cmath>

#include "adjustment/precision.h"
#include "chain/angles.h"
#include "chain/display_format.h"
#include "chain/single_precision.h"

namespace kestrane {
namespace {

using Item = ReportItem;

// Column stops of the report, in characters.
constexpr int titleColumn = 30;
constexpr int rowColumn = 24;
constexpr int secondColumn = 34;
constexpr int adjustedColumn = 45;
constexpr int thirdColumn = 47;
constexpr int xHeadingColumn = 38;
constexpr int yHeadingColumn = 51;

class ReportWriter {
public:
    void line(std::vector<Item> items) { lines.push_back({bodyPointSize, std::move(items), keeping_}); }
    void empty() { line({}); }
    // A heading never stands alone at the foot of a page: it goes with the
    // line after it.
    void heading(const std::string& text)
    {
        line({Item::col(headingColumn), Item::txt(text)});
        lines.back().keepWithNext = true;
    }
    // The lines written from here to endKept stand on one page, the last of
    // them with them.
    void beginKept() { keeping_ = true; }
    void endKept()
    {
        keeping_ = false;
        if (!lines.empty()) lines.back().keepWithNext = false;
    }
    // The lines of a table heading go with its first row.
    void keepLastWithNext() { lines.back().keepWithNext = true; }
    std::vector<ReportLine> lines;

private:
    bool keeping_ = false;
};

std::string blankThen(const std::string& text)
{
    return " " + text;
}

// A single-precision metre misclosure in millimetres, the product formed in
// single precision as in the window.
std::string millimetres(float metres)
{
    return misclosurePattern(singleMillimetres(metres));
}

// "a( 1 )= 45.30000": a label, an index and a value.
std::vector<Item> indexed(const char* label, int index, const std::string& value)
{
    return {Item::txt(label), Item::num(index), Item::txt(")="), Item::txt(blankThen(value))};
}

void pointRow(ReportWriter& report, const std::string& label, const std::string& x, const std::string& y)
{
    report.line({Item::col(rowColumn), Item::txt(label), Item::col(secondColumn), Item::txt(x),
                 Item::col(thirdColumn), Item::txt(y)});
}

void givenData(ReportWriter& report, const ChainSurvey& job)
{
    const int n = job.triangleCount;
    auto given = [&](int point, const TypedNumber& x, const TypedNumber& y) {
        pointRow(report, job.pointName[point] + ":", coordinatePattern(x.value), coordinatePattern(y.value));
    };
    report.heading("起始点座标 :");
    report.empty();
    report.keepLastWithNext();
    report.line({Item::col(rowColumn), Item::txt("点名"), Item::col(xHeadingColumn), Item::txt("X"),
                 Item::col(yHeadingColumn), Item::txt("Y")});
    report.keepLastWithNext();
    given(0, job.xa, job.ya);
    given(n + 1, job.xb, job.yb);
    if (cGiven(job)) given(1, job.xc, job.yc);
    if (dGiven(job)) given(n, job.xd, job.yd);
    if (cAbsent(job) && eGiven(job))
        pointRow(report, "起始方位点 E :", coordinatePattern(job.xe.value), coordinatePattern(job.ye.value));
    if (cAbsent(job))
        report.line({Item::col(rowColumn), Item::txt("起始方位角 Ta="), Item::txt(blankThen(packedPattern(job.taPacked.value))),
                     Item::col(thirdColumn), Item::txt("起始定向角 Qa="), Item::txt(blankThen(packedPattern(job.qaPacked.value)))});
    if (dAbsent(job) && fGiven(job))
        pointRow(report, "闭合方位点 F :", coordinatePattern(job.xf.value), coordinatePattern(job.yf.value));
    // The closing azimuth is Tb, as the window and the schematic name it.
    if (dAbsent(job))
        report.line({Item::col(rowColumn), Item::txt("闭合方位角 Tb="), Item::txt(blankThen(packedPattern(job.tbPacked.value))),
                     Item::col(thirdColumn), Item::txt("闭合定向角 Qb="), Item::txt(blankThen(packedPattern(job.qbPacked.value)))});
}

void anglesAndSides(ReportWriter& report, const ChainSurvey& job)
{
    const int n = job.triangleCount;
    report.line({Item::col(headingColumn), Item::txt("观测角 :( 度,分,秒 )"), Item::col(adjustedColumn),
                 Item::txt("平差角 :( 度,分,秒 )")});
    report.keepLastWithNext();
    // sign: +1 for a and b; for c the side of the route on which the spacer
    // angle lies, which the record keeps apart from its magnitude and which
    // the surveyor typed with it.
    auto angleLine = [&](const char* label, int i, double typed, double adjusted, int sign) {
        std::vector<Item> items{Item::col(rowColumn)};
        const double side = sign < 0 ? -1.0 : 1.0;
        for (const Item& item : indexed(label, i, packedPattern(side * typed))) items.push_back(item);
        items.push_back(Item::col(thirdColumn));
        // Converted for printing only and without guard: a hair below a whole
        // minute prints with 60 seconds.
        for (const Item& item : indexed(label, i, packedPattern(side * degreesToPacked(adjusted))))
            items.push_back(item);
        report.line(std::move(items));
    };
    for (int i = 1; i <= n; ++i) {
        angleLine("a(", i, job.packedA[i], job.angleA[i], 1);
        angleLine("b(", i, job.packedB[i], job.angleB[i], 1);
        angleLine("c(", i, job.packedC[i], job.angleC[i], job.spacerSign[i]);
    }
    report.empty();
    report.line({Item::col(headingColumn), Item::txt("观测边长 (米) :"), Item::col(adjustedColumn),
                 Item::txt("平差后改正边长 :(米)")});
    report.keepLastWithNext();
    for (int k = 1; k <= 2 * n + 1; ++k) {
        std::vector<Item> items{Item::col(rowColumn)};
        for (const Item& item : indexed("s(", k, coordinatePattern(job.observedSide[k]))) items.push_back(item);
        items.push_back(Item::col(thirdColumn));
        for (const Item& item : indexed("s(", k, formatFixed(job.sideLength[k], 4))) items.push_back(item);
        report.line(std::move(items));
    }
}

void misclosures(ReportWriter& report, const ChainSurvey& job)
{
    const int n = job.triangleCount;
    auto misclosureLine = [&](int index, const std::string& value) {
        std::vector<Item> items{Item::col(rowColumn)};
        for (const Item& item : indexed("w(", index, value)) items.push_back(item);
        report.line(std::move(items));
    };
    report.heading("第一组条件方程式闭合差 ( 三角形条件 : 秒 ) :");
    for (int i = 1; i <= n; ++i) misclosureLine(i, misclosurePattern(job.triangleMisclosure[i]));
    report.empty();
    report.heading("第二组条件方程式闭合差 ( 边角条件 : 毫米 ) :");
    for (int j = 1; j <= 2 * n; ++j) misclosureLine(j, millimetres(job.misclosure[j]));
    report.heading("第二组条件方程式闭合差 ( 方位角条件 : 秒 ) :");
    misclosureLine(2 * n + 1, misclosurePattern(job.misclosure[2 * n + 1]));
    report.heading("第二组条件方程式闭合差 ( 纵座标条件 : 毫米 ) :");
    misclosureLine(2 * n + 2, millimetres(job.misclosure[2 * n + 2]));
    report.heading("第二组条件方程式闭合差 ( 横座标条件 : 毫米 ) :");
    misclosureLine(2 * n + 3, millimetres(job.misclosure[2 * n + 3]));
}

// The route points the adjustment computed: from A (C absent) or C, to B
// (D absent) or D.
void adjustedPoints(ReportWriter& report, const ChainSurvey& job)
{
    const int n = job.triangleCount;
    report.heading("平差结果 :");
    report.empty();
    report.keepLastWithNext();
    report.line({Item::col(rowColumn), Item::txt("点名"), Item::col(xHeadingColumn), Item::txt("X"),
                 Item::col(yHeadingColumn), Item::txt("Y")});
    report.keepLastWithNext();
    int first = 0, last = -1;
    if (cAbsent(job) && dAbsent(job)) first = 0, last = n + 1;
    else if (cGiven(job) && dAbsent(job)) first = 1, last = n + 1;
    else if (cGiven(job) && dGiven(job)) first = 1, last = n;
    for (int i = first; i <= last; ++i)
        pointRow(report, job.pointName[i] + " :", coordinatePattern(job.routeX[i]), coordinatePattern(job.routeY[i]));
}

void precision(ReportWriter& report, const ChainSurvey& job)
{
    auto figure = [&](const char* label, const std::string& value) {
        report.line({Item::col(rowColumn), Item::txt(label), Item::txt(blankThen(value))});
    };
    // The precision of the job is read as one block: it is never split
    // over two pages.
    report.beginKept();
    report.heading("精度统计 :");
    report.empty();
    figure("测角中误差 mb=", misclosurePattern(job.mb) + " 秒");
    figure("测边中误差 ms=", misclosurePattern(job.ms) + " 毫米");
    report.empty();
    figure("最弱点单位权纵座标权倒数  :   1/px=", weightPattern(job.invPx));
    figure("最弱点单位权横座标权倒数  :   1/py=", weightPattern(job.invPy));
    figure("最弱点纵座标单位权中误差  :     mx=", misclosurePattern(job.mx) + " 毫米");
    figure("最弱点横座标单位权中误差  :     my=", misclosurePattern(job.my) + " 毫米");
    figure("最弱点点位中误差   :            md=", misclosurePattern(job.md) + " 毫米");
    // Without a position error the relative error has no value: the line ends after "1/".
    std::vector<Item> relative{Item::col(rowColumn), Item::txt("最弱点相对起始点相对中误差 :   1/m= 1/")};
    if (relativeErrorDefined(job)) relative.push_back(Item::txt(formatGeneral(job.relativeErrorM)));
    report.line(std::move(relative));
    report.endKept();
}

}  // namespace

std::string numberItemText(long number)
{
    return (number < 0 ? "-" : " ") + std::to_string(number < 0 ? -number : number) + " ";
}

std::vector<ReportLine> buildReport(const ChainSurvey& job)
{
    ReportWriter report;
    report.lines.push_back({titlePointSize, {Item::col(titleColumn), Item::txt("--- Kestrane ---")}});
    report.empty();
    report.empty();
    givenData(report, job);
    report.empty();
    anglesAndSides(report, job);
    report.empty();
    misclosures(report, job);
    report.empty();
    adjustedPoints(report, job);
    report.empty();
    precision(report, job);
    return report.lines;
}

}  // namespace kestrane
