#include "presentation/chain_schematic.h"

#include <cmath>

#include <QLineF>
#include <QPolygonF>

#include "chain/angles.h"

namespace kestrane {
namespace {

// Vertices of the sample chain, in twips. The chain runs from A over the
// upper points C, 3, D and the lower points 1, 2, 4 to B.
constexpr QPointF vertexA{3480, 840};
constexpr QPointF vertexC{5400, 360};
constexpr QPointF upper3{7560, 360};
constexpr QPointF vertexD{9720, 360};
constexpr QPointF lower1{5160, 1680};
constexpr QPointF lower2{7080, 1680};
constexpr QPointF lower4{8880, 1680};
constexpr QPointF vertexB{11160, 1200};
constexpr QPointF pointE{1920, 360};
constexpr QPointF pointF{12600, 600};

const QColor panelBlue{0, 0, 255};
const QColor orientationRed{255, 0, 0};
const QColor angleGreen{0, 160, 0};

QPointF toPixels(const TwipScale& scale, QPointF twips)
{
    return scale.point(twips.x(), twips.y());
}

QLineF lineInPixels(const TwipScale& scale, QPointF from, QPointF to)
{
    return {toPixels(scale, from), toPixels(scale, to)};
}

// A filled arrow head at the end of the line, pointing along it.
void drawArrowHead(QPainter& painter, const QLineF& line, double length, double halfWidth)
{
    const QPointF tip = line.p2();
    const QPointF along = (line.p2() - line.p1()) / line.length();
    const QPointF across(-along.y(), along.x());
    const QPointF base = tip - along * length;
    painter.drawPolygon(QPolygonF{tip, base + across * halfWidth, base - across * halfWidth});
}

// Direction of the ray vertex->towards in Qt's arc convention: degrees
// counter-clockwise from three o'clock, the screen's y axis pointing down.
double screenAngle(QPointF vertex, QPointF towards)
{
    const QPointF d = towards - vertex;
    return std::atan2(-d.y(), d.x()) / degToRad;
}

// The mark of an orientation angle: an arc from one ray to the other through
// the side where the angle's symbol stands, in two short strokes.
void drawAngleMark(QPainter& painter, const TwipScale& scale, QPointF vertex, QPointF rayFrom, QPointF rayTo,
                   double radiusPixels)
{
    const double start = screenAngle(vertex, rayFrom);
    const double span = normalizedAzimuth(screenAngle(vertex, rayTo) - start);
    const QPointF centre = toPixels(scale, vertex);
    const QRectF circle(centre.x() - radiusPixels, centre.y() - radiusPixels, 2 * radiusPixels, 2 * radiusPixels);
    const double half = span / 2;
    const double gap = 4;  // degrees left open at the middle of the arc
    painter.drawArc(circle, qRound(start * 16), qRound((half - gap / 2) * 16));
    painter.drawArc(circle, qRound((start + half + gap / 2) * 16), qRound((half - gap / 2) * 16));
}

}  // namespace

void paintChainSchematic(QPainter& painter, const TwipScale& scale)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);

    painter.setPen(QPen(Qt::black, scale.pxF(30), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QPointF sides[][2] = {
        {vertexA, vertexC}, {vertexA, lower1},                          // triangle 1
        {vertexC, lower1}, {vertexC, lower2}, {vertexC, upper3},        // triangle 2
        {upper3, lower2}, {upper3, lower4}, {upper3, vertexD},          // triangle 3
        {vertexD, lower4}, {vertexD, vertexB}, {lower4, vertexB},       // last triangle
        {lower1, lower2}, {lower2, lower4},                             // lower edge
    };
    for (const auto& side : sides) painter.drawLine(lineInPixels(scale, side[0], side[1]));

    const QPen red(orientationRed, scale.pxF(45), Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    painter.setPen(red);
    painter.setBrush(orientationRed);
    for (const QLineF& direction : {lineInPixels(scale, pointE, vertexA), lineInPixels(scale, vertexB, pointF)}) {
        // The shaft stops short of the tip so that the head stays pointed.
        const double head = scale.pxF(150);
        QLineF shaft = direction;
        shaft.setLength(direction.length() - head / 2);
        painter.drawLine(shaft);
        painter.setPen(QPen(orientationRed, 1));
        drawArrowHead(painter, direction, head, scale.pxF(60));
        painter.setPen(red);
    }

    painter.setPen(QPen(angleGreen, scale.pxF(30), Qt::SolidLine, Qt::FlatCap));
    painter.setBrush(Qt::NoBrush);
    drawAngleMark(painter, scale, vertexA, vertexC, pointE, scale.pxF(480));
    drawAngleMark(painter, scale, vertexB, pointF, vertexD, scale.pxF(180));

    painter.restore();
}

void paintPanelFrame(QPainter& painter, const TwipScale& scale)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(panelBlue, scale.pxF(45), Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);

    constexpr double left = 2040, right = 12360, top = 2520, bottom = 9960, divider = 5400;
    painter.drawRect(QRectF(toPixels(scale, {left, top}), toPixels(scale, {right, bottom})));
    painter.drawLine(lineInPixels(scale, {divider, top}, {divider, bottom}));
    painter.drawLine(lineInPixels(scale, {left, 6120}, {divider, 6120}));
    for (double rowTop : {3600.0, 6120.0, 6960.0, 8880.0})
        painter.drawLine(lineInPixels(scale, {divider, rowTop}, {right, rowTop}));

    painter.restore();
}

}  // namespace kestrane
