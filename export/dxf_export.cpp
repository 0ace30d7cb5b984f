#include "export/dxf_export.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "chain/angles.h"
#include "chain/display_format.h"
#include "chain/units.h"
#include "export/chain_network.h"
#include "export/export_checks.h"
#include "chain/text_encoding.h"

namespace kestrane {
namespace {

constexpr const char* lineEnd = "\r\n";
constexpr int drawingDecimals = 3;  // metres to the millimetre

// Layers and their colours (AutoCAD colour index).
struct Layer {
    const char* name;
    int colour;
};
constexpr Layer pointLayer{"点", 7};          // white on dark, black on light
constexpr Layer nameLayer{"点名", 3};         // green
constexpr Layer sideLayer{"三角形边", 5};     // blue
constexpr Layer knownLayer{"已知点", 1};      // red
constexpr Layer ellipseLayer{"误差椭圆", 6};  // magenta

// The text height and the known-point triangle follow the chain's mean side;
// the ellipses' largest semi-axis is drawn at most this share of it.
constexpr double textHeightPerSide = 1.0 / 40;
constexpr double ellipsePerSide = 1.0 / 10;
constexpr int ellipseVertices = 72;  // one every 5 degrees

struct DrawingPoint {
    double east = 0;
    double north = 0;
};

// The chain's scale for the drawing, metres: its mean side (1 should a job
// ever have none).
double meanSideOf(const ChainSurvey& job)
{
    return job.meanSide > 0 && std::isfinite(job.meanSide) ? job.meanSide : 1;
}

class DxfWriter {
public:
    void group(int code, const std::string& value)
    {
        char number[8];
        std::snprintf(number, sizeof number, "%3d", code);
        text_ += number;
        text_ += lineEnd;
        text_ += value;
        text_ += lineEnd;
    }
    void real(int code, double value) { group(code, formatFixed(value, drawingDecimals)); }
    void integer(int code, int value) { group(code, std::to_string(value)); }

    // Groups 10, 20, 30 (or 11, 21, 31 with offset 1) of a point of the
    // drawing, which the extents then take in.
    void at(DrawingPoint p, int offset = 0)
    {
        coordinates(p, offset);
        lowest_.east = std::min(lowest_.east, p.east);
        lowest_.north = std::min(lowest_.north, p.north);
        highest_.east = std::max(highest_.east, p.east);
        highest_.north = std::max(highest_.north, p.north);
    }

    // The same groups for a point that is no part of the figure (a base point).
    void coordinates(DrawingPoint p, int offset = 0)
    {
        real(10 + offset, p.east);
        real(20 + offset, p.north);
        real(30 + offset, 0);
    }

    void entity(const char* type, const Layer& layer)
    {
        group(0, type);
        group(8, layer.name);
    }

    void point(const Layer& layer, DrawingPoint p)
    {
        entity("POINT", layer);
        at(p);
    }

    void line(const Layer& layer, DrawingPoint from, DrawingPoint to)
    {
        entity("LINE", layer);
        at(from);
        at(to, 1);
    }

    void label(const Layer& layer, DrawingPoint p, double height, const std::string& words)
    {
        entity("TEXT", layer);
        at(p);
        group(40, formatGeneral(height));
        group(1, words);
        group(7, "STANDARD");
    }

    void closedPolyline(const Layer& layer, const std::vector<DrawingPoint>& vertices)
    {
        entity("POLYLINE", layer);
        integer(66, 1);  // vertices follow
        coordinates({0, 0});
        integer(70, 1);  // closed
        for (const DrawingPoint& vertex : vertices) {
            entity("VERTEX", layer);
            at(vertex);
        }
        entity("SEQEND", layer);
    }

    const std::string& text() const { return text_; }
    DrawingPoint lowest() const { return lowest_; }
    DrawingPoint highest() const { return highest_; }

private:
    std::string text_;
    DrawingPoint lowest_{HUGE_VAL, HUGE_VAL};
    DrawingPoint highest_{-HUGE_VAL, -HUGE_VAL};
};

// A name as TEXT: a caret starts a control character in DXF strings, so a
// caret of the name is written as caret blank.
std::string textOf(const std::string& name)
{
    std::string text;
    for (const char c : name) {
        text += c;
        if (c == '^') text += ' ';
    }
    return text;
}

ExportResult checkName(const ChainSurvey& job, int i)
{
    const std::string& name = job.pointName[i];
    if (name.find_first_of("\r\n") != std::string::npos)
        return exportRefused(pointCalled(job, i) + "含有换行,DXF 图形无法写出。");
    if (name.find("%%") != std::string::npos)
        return exportRefused(pointCalled(job, i) + "含有 %%,在 DXF 文字中是控制符,无法原样写出。");
    const std::string character = firstUnencodable(name, gbkEncoding);
    if (!character.empty())
        return exportRefused(pointCalled(job, i) + "中的字符 " + character +
                             " 不在 GBK 字符集内,DXF 图形(代码页 ANSI_936)无法写出。请改正点名后重新计算。");
    return exportWritten();
}

DrawingPoint routePoint(const ChainSurvey& job, int i)
{
    return {job.routeY[i], job.routeX[i]};
}

void drawPointsAndNames(DxfWriter& dxf, const ChainSurvey& job, double textHeight)
{
    for (int i = 0; i <= job.triangleCount + 1; ++i) dxf.point(pointLayer, routePoint(job, i));
    for (int i = 0; i <= job.triangleCount + 1; ++i) {
        if (job.pointName[i].empty()) continue;
        const DrawingPoint p = routePoint(job, i);
        dxf.label(nameLayer, {p.east + textHeight / 2, p.north + textHeight / 2}, textHeight,
                  textOf(job.pointName[i]));
    }
}

void drawSides(DxfWriter& dxf, const ChainSurvey& job, const NetworkGeometry& geometry)
{
    for (int k = 1; k <= 2 * job.triangleCount + 1; ++k) {
        const auto [from, to] = geometry.sides[k - 1];
        const Layer& layer = sideObserved(job, k) ? sideLayer : knownLayer;
        dxf.line(layer, routePoint(job, from), routePoint(job, to));
    }
}

// A triangle pointing north with its corners at radius from the point.
void drawKnownPoints(DxfWriter& dxf, const ChainSurvey& job, const NetworkGeometry& geometry, double radius)
{
    for (const KnownPoint& known : knownPoints(job, geometry)) {
        std::vector<DrawingPoint> corners;
        for (const double bearing : {0.0, 120.0, 240.0})
            corners.push_back({known.y + radius * std::sin(bearing * degToRad),
                               known.x + radius * std::cos(bearing * degToRad)});
        dxf.closedPolyline(knownLayer, corners);
    }
}

// The vertices of the ellipse with semi-axes a, b (metres) whose major axis
// has the azimuth alpha (degrees), about the point.
std::vector<DrawingPoint> ellipse(DrawingPoint centre, double a, double b, double alpha)
{
    const double majorEast = std::sin(alpha * degToRad), majorNorth = std::cos(alpha * degToRad);
    // The minor axis, a quarter turn clockwise from the major one.
    const double minorEast = majorNorth, minorNorth = -majorEast;
    std::vector<DrawingPoint> vertices;
    for (int k = 0; k < ellipseVertices; ++k) {
        const double t = 360.0 * k / ellipseVertices * degToRad;
        const double along = a * std::cos(t), across = b * std::sin(t);
        vertices.push_back({centre.east + along * majorEast + across * minorEast,
                            centre.north + along * majorNorth + across * minorNorth});
    }
    return vertices;
}

void drawEllipses(DxfWriter& dxf, const ChainSurvey& job, const std::vector<PointPrecision>& precision,
                  double textHeight)
{
    double largest = 0;  // millimetres
    for (const PointPrecision& p : precision) largest = std::max(largest, p.a);
    if (!(largest > 0)) return;  // every point known: no ellipse to draw
    const double factor = roundDownTo125(meanSideOf(job) * ellipsePerSide / (largest / millimetresPerMetre));
    for (int i = 0; i <= job.triangleCount + 1; ++i) {
        const PointPrecision& p = precision[i];
        if (!(p.a > 0)) continue;  // a known point
        const double toDrawing = factor / millimetresPerMetre;  // millimetres on the ground to metres in the drawing
        dxf.closedPolyline(ellipseLayer, ellipse(routePoint(job, i), p.a * toDrawing, p.b * toDrawing, p.alpha));
    }
    const DrawingPoint corner = dxf.lowest();
    dxf.label(ellipseLayer, {corner.east, corner.north - 2 * textHeight}, textHeight,
              "误差椭圆放大 " + formatGeneral(factor) + " 倍");
}

std::string header(const DxfWriter& entities)
{
    DxfWriter dxf;
    dxf.group(0, "SECTION");
    dxf.group(2, "HEADER");
    dxf.group(9, "$ACADVER");
    dxf.group(1, "AC1009");
    dxf.group(9, "$DWGCODEPAGE");
    dxf.group(3, "ANSI_936");
    dxf.group(9, "$INSBASE");
    dxf.coordinates({0, 0});
    dxf.group(9, "$EXTMIN");
    dxf.coordinates(entities.lowest());
    dxf.group(9, "$EXTMAX");
    dxf.coordinates(entities.highest());
    dxf.group(0, "ENDSEC");
    return dxf.text();
}

std::string tables(const std::vector<Layer>& layers, double textHeight)
{
    DxfWriter dxf;
    dxf.group(0, "SECTION");
    dxf.group(2, "TABLES");

    dxf.group(0, "TABLE");
    dxf.group(2, "LTYPE");
    dxf.integer(70, 1);
    dxf.group(0, "LTYPE");
    dxf.group(2, "CONTINUOUS");
    dxf.integer(70, 0);
    dxf.group(3, "Solid line");
    dxf.integer(72, 65);
    dxf.integer(73, 0);
    dxf.real(40, 0);
    dxf.group(0, "ENDTAB");

    dxf.group(0, "TABLE");
    dxf.group(2, "LAYER");
    std::vector<Layer> all{{"0", 7}};  // the layer every drawing has
    all.insert(all.end(), layers.begin(), layers.end());
    dxf.integer(70, static_cast<int>(all.size()));
    for (const Layer& layer : all) {
        dxf.group(0, "LAYER");
        dxf.group(2, layer.name);
        dxf.integer(70, 0);
        dxf.integer(62, layer.colour);
        dxf.group(6, "CONTINUOUS");
    }
    dxf.group(0, "ENDTAB");

    // The text style: the plain shape font with the Chinese big font that
    // Chinese CAD installations carry, so that the names show as characters.
    dxf.group(0, "TABLE");
    dxf.group(2, "STYLE");
    dxf.integer(70, 1);
    dxf.group(0, "STYLE");
    dxf.group(2, "STANDARD");
    dxf.integer(70, 0);
    dxf.real(40, 0);
    dxf.real(41, 1);
    dxf.real(50, 0);
    dxf.integer(71, 0);
    dxf.group(42, formatGeneral(textHeight));
    dxf.group(3, "txt");
    dxf.group(4, "gbcbig.shx");
    dxf.group(0, "ENDTAB");

    dxf.group(0, "ENDSEC");
    return dxf.text();
}

}  // namespace

ExportResult writeDxf(const ChainSurvey& job, const std::vector<PointPrecision>* precision, const std::string& path)
{
    if (auto check = checkFinishedJob(job, precision); !check.written()) return check;
    if (auto check = checkNamesAreText(job); !check.written()) return check;
    for (int i = 0; i <= job.triangleCount + 1; ++i)
        if (auto check = checkName(job, i); !check.written()) return check;

    const double textHeight = roundDownTo125(meanSideOf(job) * textHeightPerSide);
    const NetworkGeometry geometry = networkGeometry(job);

    DxfWriter entities;
    entities.group(0, "SECTION");
    entities.group(2, "ENTITIES");
    drawPointsAndNames(entities, job, textHeight);
    drawSides(entities, job, geometry);
    drawKnownPoints(entities, job, geometry, textHeight);
    std::vector<Layer> layers{pointLayer, nameLayer, sideLayer, knownLayer};
    if (precision) {
        drawEllipses(entities, job, *precision, textHeight);
        layers.push_back(ellipseLayer);
    }
    entities.group(0, "ENDSEC");
    entities.group(0, "EOF");

    const auto drawing = encodeUtf8As(header(entities) + tables(layers, textHeight) + entities.text(), gbkEncoding);
    if (!drawing) return exportRefused("DXF 图形无法用 GBK 编码写出。");
    return writeWholeFile(path, *drawing);
}

}  // namespace kestrane
