#include "presentation/network_plot.h"

#include <algorithm>
#include <cmath>

#include <QFontMetricsF>
#include <QGraphicsEllipseItem>
#include <QGraphicsLineItem>
#include <QGraphicsPathItem>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QPainter>
#include <QPainterPath>
#include <QPen>

#include "analysis/analysis_summary.h"
#include "chain/angles.h"
#include "chain/display_format.h"
#include "chain/units.h"
#include "presentation/fonts.h"

namespace kestrane {
namespace {

// The margin around the network, as a share of its larger extent.
constexpr double extentMargin = 0.08;

// Line widths and symbol sizes, in typographic points.
constexpr double sidePen = 0.6;
constexpr double knownSidePen = 1.8;
constexpr double orientationPen = 0.6;
constexpr double ellipsePen = 0.8;
constexpr double weakestPen = 1.2;
constexpr double suspectSidePen = 2.5;
constexpr double knownSymbol = 8;        // side of the triangle of a known point
constexpr double routeSymbol = 4.5;      // diameter of the circle of a route point
constexpr double orientationSymbol = 6;  // side of the square of an orientation point
constexpr double weakestRing = 16;       // diameter of the ring round the weakest point
constexpr double suspectRadius = 18;     // of the wedge that marks a suspect angle
constexpr double nameSize = 9;
constexpr double decorationSize = 8;
constexpr double gap = 3;
constexpr double scaleBarShare = 0.25;   // the longest length bar, as a share of the width
constexpr double northArrowLength = 24;

const QColor sideColour(64, 64, 64);
const QColor knownColour(0, 0, 0);
const QColor orientationColour(128, 128, 128);
const QColor ellipseColour(31, 78, 158);
const QColor highlightColour(208, 16, 16);
const QColor suspectFill(208, 16, 16, 90);

QPen pen(const QColor& colour, double points, double pixelsPerPoint, Qt::PenStyle style = Qt::SolidLine)
{
    QPen pen(colour, points * pixelsPerPoint, style);
    // The width holds on the device whatever the drawing's scale.
    pen.setCosmetic(true);
    return pen;
}

QPainterPath knownPointPath(double pixelsPerPoint)
{
    const double side = knownSymbol * pixelsPerPoint;
    QPainterPath path;
    path.moveTo(0, -side / std::sqrt(3.0));
    path.lineTo(side / 2, side / (2 * std::sqrt(3.0)));
    path.lineTo(-side / 2, side / (2 * std::sqrt(3.0)));
    path.closeSubpath();
    return path;
}

QPainterPath circlePath(double diameter)
{
    QPainterPath path;
    path.addEllipse(QPointF(0, 0), diameter / 2, diameter / 2);
    return path;
}

QPainterPath orientationPointPath(double pixelsPerPoint)
{
    const double side = orientationSymbol * pixelsPerPoint;
    QPainterPath path;
    path.addRect(-side / 2, -side / 2, side, side);
    path.addEllipse(QPointF(0, 0), side / 8, side / 8);
    return path;
}

// The azimuth (degrees) from one plan point to another.
double azimuthBetween(PlanPoint from, PlanPoint to)
{
    return azimuthOf(to.x - from.x, to.y - from.y);
}

template <typename Item>
Item* tagged(Item* item, PlotItemKind kind, int point = -1)
{
    item->setData(plotItemKindKey, static_cast<int>(kind));
    if (point >= 0) item->setData(plotItemPointKey, point);
    return item;
}

// A symbol that keeps its size at every zoom, at a scene point.
QGraphicsPathItem* addSymbol(QGraphicsScene& scene, const QPainterPath& path, QPointF at, const QPen& outline,
                             const QBrush& fill, double z)
{
    auto* item = scene.addPath(path, outline, fill);
    item->setFlag(QGraphicsItem::ItemIgnoresTransformations);
    item->setPos(at);
    item->setZValue(z);
    return item;
}

// A name above and to the right of its symbol.
QGraphicsSimpleTextItem* addName(QGraphicsItem* symbol, const QString& text, double pixelsPerPoint,
                                 const QColor& colour = Qt::black)
{
    auto* name = new QGraphicsSimpleTextItem(text, symbol);
    name->setFont(deviceSongFont(nameSize, false, pixelsPerPoint));
    name->setBrush(colour);
    const double height = name->boundingRect().height();
    name->setPos(gap * pixelsPerPoint, -height - gap * pixelsPerPoint / 2);
    return tagged(name, PlotItemKind::name);
}

// Z order: lines under ellipses under the highlights under symbols and names.
constexpr double lineLayer = 0, ellipseLayer = 1, highlightLayer = 2, symbolLayer = 3;

}  // namespace

QFont deviceSongFont(double points, bool bold, double pixelsPerPoint)
{
    QFont font = songFont(points, bold);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(points * pixelsPerPoint))));
    return font;
}

NetworkPlot::NetworkPlot(const ChainAnalysis& analysis, NetworkGeometry geometry)
    : geometry_(std::move(geometry)), weakest_(weakestPointOf(analysis))
{
    for (const PointPrecision& point : analysis.points) {
        points_.push_back({geometry_.points[point.index], point.name, point.known, point.a, point.b, point.alpha});
        largestSemiAxis_ = std::max(largestSemiAxis_, point.a);
    }
    if (const ObservationTest* suspect = suspectOf(analysis)) {
        suspect_ = suspect->id;
    }
    enlargement_ = ellipseEnlargement(largestSemiAxis_, geometry_.meanSide);
    extent_ = computeExtent();
}

QPointF NetworkPlot::scenePoint(PlanPoint point) const
{
    const PlanPoint origin = geometry_.points.front();
    return {point.y - origin.y, origin.x - point.x};
}

std::vector<PlanPoint> NetworkPlot::orientationEnds() const
{
    std::vector<PlanPoint> ends;
    const PlanPoint a = geometry_.points.front(), b = geometry_.points.back();
    if (geometry_.startOrientationPoint) ends.push_back(*geometry_.startOrientationPoint);
    else if (geometry_.startAzimuth) ends.push_back(pointAlong(a, *geometry_.startAzimuth, geometry_.meanSide));
    if (geometry_.closingOrientationPoint) ends.push_back(*geometry_.closingOrientationPoint);
    else if (geometry_.closingAzimuth) ends.push_back(pointAlong(b, *geometry_.closingAzimuth, geometry_.meanSide));
    return ends;
}

QRectF NetworkPlot::computeExtent() const
{
    // Bounds by hand: QRectF::united passes over rectangles of no size.
    QPointF low = scenePoint(points_.front().plan), high = low;
    auto include = [&low, &high](QPointF at, double reach) {
        low = QPointF(std::min(low.x(), at.x() - reach), std::min(low.y(), at.y() - reach));
        high = QPointF(std::max(high.x(), at.x() + reach), std::max(high.y(), at.y() + reach));
    };
    for (const PointFigures& point : points_)
        include(scenePoint(point.plan), point.a / millimetresPerMetre * enlargement_);
    for (const PlanPoint& end : orientationEnds()) include(scenePoint(end), 0);
    const QRectF extent(low, high);
    const double size = std::max({extent.width(), extent.height(), geometry_.meanSide, 1.0});
    const double margin = extentMargin * size;
    return extent.adjusted(-margin, -margin, margin, margin);
}

void NetworkPlot::populate(QGraphicsScene& scene, double pixelsPerPoint) const
{
    scene.setSceneRect(extent_);
    addSides(scene, pixelsPerPoint);
    addOrientation(scene, pixelsPerPoint);
    addPoints(scene, pixelsPerPoint);
    addSuspect(scene, pixelsPerPoint);
}

void NetworkPlot::addSides(QGraphicsScene& scene, double pixelsPerPoint) const
{
    auto sameSide = [](std::pair<int, int> a, std::pair<int, int> b) {
        return a == b || (a.first == b.second && a.second == b.first);
    };
    auto addSide = [&](std::pair<int, int> side, bool known) {
        const QLineF line(scenePoint(geometry_.points[side.first]), scenePoint(geometry_.points[side.second]));
        auto* item = scene.addLine(line, known ? pen(knownColour, knownSidePen, pixelsPerPoint)
                                               : pen(sideColour, sidePen, pixelsPerPoint));
        item->setZValue(lineLayer);
        tagged(item, known ? PlotItemKind::knownSide : PlotItemKind::side);
    };
    for (const auto& side : geometry_.sides) {
        addSide(side, std::any_of(geometry_.knownSides.begin(), geometry_.knownSides.end(),
                                  [&](const auto& known) { return sameSide(side, known); }));
    }
    // A known side that is no triangle's (D-B where the last triangles fan about one station).
    for (const auto& known : geometry_.knownSides) {
        if (std::none_of(geometry_.sides.begin(), geometry_.sides.end(),
                         [&](const auto& side) { return sameSide(side, known); }))
            addSide(known, true);
    }
}

void NetworkPlot::addOrientation(QGraphicsScene& scene, double pixelsPerPoint) const
{
    const QPen dashed = pen(orientationColour, orientationPen, pixelsPerPoint, Qt::DashLine);
    // A given orientation point with its name; a typed azimuth as a
    // direction a mean side long, named at its end.
    auto addEnd = [&](PlanPoint station, const std::optional<PlanPoint>& point, double azimuth, const char* pointName,
                      const char* azimuthName) {
        const PlanPoint end = point.value_or(pointAlong(station, azimuth, geometry_.meanSide));
        tagged(scene.addLine(QLineF(scenePoint(station), scenePoint(end)), dashed), PlotItemKind::orientationLine);
        if (point) {
            auto* symbol = addSymbol(scene, orientationPointPath(pixelsPerPoint), scenePoint(end),
                                     pen(knownColour, sidePen, pixelsPerPoint), Qt::white, symbolLayer);
            tagged(symbol, PlotItemKind::orientationPoint);
            addName(symbol, QString::fromUtf8(pointName), pixelsPerPoint);
        } else {
            auto* marker = addSymbol(scene, QPainterPath(), scenePoint(end), Qt::NoPen, Qt::NoBrush, symbolLayer);
            addName(marker, QString::fromUtf8(azimuthName), pixelsPerPoint, orientationColour);
        }
    };
    if (geometry_.startAzimuth)
        addEnd(geometry_.points.front(), geometry_.startOrientationPoint, *geometry_.startAzimuth, "E", "Ta");
    if (geometry_.closingAzimuth)
        addEnd(geometry_.points.back(), geometry_.closingOrientationPoint, *geometry_.closingAzimuth, "F", "Tb");
}

void NetworkPlot::addPoints(QGraphicsScene& scene, double pixelsPerPoint) const
{
    const QPen outline = pen(knownColour, sidePen, pixelsPerPoint);
    for (std::size_t i = 0; i < points_.size(); ++i) {
        const PointFigures& point = points_[i];
        const QPointF at = scenePoint(point.plan);
        const int index = static_cast<int>(i);
        const bool weakest = weakest_ && *weakest_ == i;
        if (!point.known && point.a > 0) {
            const double a = point.a / millimetresPerMetre * enlargement_;
            const double b = point.b / millimetresPerMetre * enlargement_;
            auto* ellipse = scene.addEllipse(QRectF(-a, -b, 2 * a, 2 * b),
                                             pen(weakest ? highlightColour : ellipseColour,
                                                 weakest ? weakestPen : ellipsePen, pixelsPerPoint));
            // The major axis turns clockwise from north; the item's x axis points east.
            ellipse->setRotation(point.alpha - 90);
            ellipse->setPos(at);
            ellipse->setZValue(ellipseLayer);
            tagged(ellipse, PlotItemKind::ellipse, index);
        }
        QGraphicsPathItem* symbol =
            point.known ? addSymbol(scene, knownPointPath(pixelsPerPoint), at, outline, knownColour, symbolLayer)
                        : addSymbol(scene, circlePath(routeSymbol * pixelsPerPoint), at, outline, Qt::white, symbolLayer);
        tagged(symbol, point.known ? PlotItemKind::knownPoint : PlotItemKind::routePoint, index);
        tagged(addName(symbol, QString::fromStdString(point.name), pixelsPerPoint), PlotItemKind::name, index);
        if (weakest) {
            auto* ring = addSymbol(scene, circlePath(weakestRing * pixelsPerPoint), at,
                                   pen(highlightColour, weakestPen, pixelsPerPoint), Qt::NoBrush, highlightLayer);
            tagged(ring, PlotItemKind::weakestMark, index);
        }
    }
}

void NetworkPlot::addSuspect(QGraphicsScene& scene, double pixelsPerPoint) const
{
    if (!suspect_) return;
    const ObservationPlace place = observationPlace(geometry_, *suspect_);
    const QString label = QString::fromStdString(observationText(*suspect_)) + QStringLiteral("?");
    QGraphicsItem* labelParent = nullptr;
    if (place.isSide) {
        const QLineF line(scenePoint(place.first), scenePoint(place.second));
        auto* item = scene.addLine(line, pen(highlightColour, suspectSidePen, pixelsPerPoint));
        item->setZValue(highlightLayer);
        tagged(item, PlotItemKind::suspectMark);
        labelParent = addSymbol(scene, QPainterPath(), line.center(), Qt::NoPen, Qt::NoBrush, highlightLayer);
    } else {
        // A wedge between the angle's rays; Qt counts arcs anticlockwise from east.
        const double from = azimuthBetween(place.vertex, place.first);
        const double turn = azimuthDifference(azimuthBetween(place.vertex, place.second), from);
        const double r = suspectRadius * pixelsPerPoint;
        QPainterPath wedge;
        wedge.moveTo(0, 0);
        wedge.arcTo(QRectF(-r, -r, 2 * r, 2 * r), 90 - from, -turn);
        wedge.closeSubpath();
        auto* item = addSymbol(scene, wedge, scenePoint(place.vertex), pen(highlightColour, sidePen, pixelsPerPoint),
                               suspectFill, highlightLayer);
        tagged(item, PlotItemKind::suspectMark);
        labelParent = item;
    }
    auto* name = addName(labelParent, label, pixelsPerPoint, highlightColour);
    // Below the point, clear of the point's own name.
    name->setPos(name->pos().x(), gap * pixelsPerPoint);
    tagged(name, PlotItemKind::suspectMark);
}

void NetworkPlot::paint(QPainter& painter, const QRectF& target, double pixelsPerPoint) const
{
    QGraphicsScene scene;
    populate(scene, pixelsPerPoint);
    // One scale both ways, the drawing centred in target.
    const double scale = std::min(target.width() / extent_.width(), target.height() / extent_.height());
    const QSizeF shown(target.width() / scale, target.height() / scale);
    const QRectF source(extent_.center() - QPointF(shown.width() / 2, shown.height() / 2), shown);
    scene.render(&painter, target, source, Qt::IgnoreAspectRatio);
    paintDecorations(painter, target, scale, pixelsPerPoint);
}

void NetworkPlot::paintDecorations(QPainter& painter, const QRectF& area, double pixelsPerMetre,
                                   double pixelsPerPoint) const
{
    painter.save();
    const double pt = pixelsPerPoint;
    const QFont font = deviceSongFont(decorationSize, false, pt);
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    const double line = metrics.height();
    const QPen ink = pen(knownColour, sidePen, pt);

    // The length bar at the foot, the ellipse bar above it.
    const double left = area.left() + 2 * gap * pt;
    double base = area.bottom() - 2 * gap * pt;
    auto bar = [&](double length, const QString& label, const QColor& colour) {
        const double tick = gap * pt;
        painter.setPen(pen(colour, 1, pt));
        painter.drawLine(QPointF(left, base), QPointF(left + length, base));
        painter.drawLine(QPointF(left, base), QPointF(left, base - tick));
        painter.drawLine(QPointF(left + length / 2, base), QPointF(left + length / 2, base - tick / 2));
        painter.drawLine(QPointF(left + length, base), QPointF(left + length, base - tick));
        painter.setPen(colour);
        painter.drawText(QPointF(left, base - tick - metrics.descent()), label);
        base -= line + 2 * tick;
    };
    if (pixelsPerMetre > 0) {
        const double metres = roundDownTo125(scaleBarShare * area.width() / pixelsPerMetre);
        bar(metres * pixelsPerMetre, QStringLiteral("%1 米").arg(QString::fromStdString(formatGeneral(metres))),
            knownColour);
        if (largestSemiAxis_ > 0) {
            // About as long as the largest ellipse is wide.
            const double millimetres = roundDownTo125(2 * largestSemiAxis_);
            bar(millimetres / millimetresPerMetre * enlargement_ * pixelsPerMetre,
                QStringLiteral("误差椭圆 %1 毫米(放大 %2 倍)")
                    .arg(QString::fromStdString(formatGeneral(millimetres)),
                         QString::fromStdString(formatGeneral(enlargement_))),
                ellipseColour);
        }
    }

    // North arrow in the top right corner.
    const double arrowX = area.right() - 4 * gap * pt, arrowTop = area.top() + 2 * gap * pt + line;
    painter.setPen(ink);
    painter.setBrush(knownColour);
    painter.drawLine(QPointF(arrowX, arrowTop), QPointF(arrowX, arrowTop + northArrowLength * pt));
    painter.drawPolygon(QPolygonF({QPointF(arrowX, arrowTop), QPointF(arrowX - gap * pt, arrowTop + 3 * gap * pt),
                                   QPointF(arrowX + gap * pt, arrowTop + 3 * gap * pt)}));
    const QString north = QStringLiteral("北");
    painter.drawText(QPointF(arrowX - metrics.horizontalAdvance(north) / 2, arrowTop - metrics.descent()), north);

    // The legend in the top left corner.
    struct Entry {
        QPainterPath path;
        QPen outline;
        QBrush fill;
        QString text;
    };
    std::vector<Entry> legend{
        {knownPointPath(pt), ink, knownColour, QStringLiteral("已知点")},
        {circlePath(routeSymbol * pt), ink, Qt::white, QStringLiteral("推算点")},
    };
    if (geometry_.startOrientationPoint || geometry_.closingOrientationPoint)
        legend.push_back({orientationPointPath(pt), ink, Qt::white, QStringLiteral("定向点")});
    if (weakest_)
        legend.push_back({circlePath(weakestRing * pt * 0.7), pen(highlightColour, weakestPen, pt), Qt::NoBrush,
                          QStringLiteral("最弱点")});
    if (suspect_)
        legend.push_back({circlePath(routeSymbol * pt * 1.5), pen(highlightColour, sidePen, pt), suspectFill,
                          QStringLiteral("可能有粗差的观测值")});
    double y = area.top() + 2 * gap * pt + line / 2;
    const double symbolX = area.left() + 4 * gap * pt;
    for (const Entry& entry : legend) {
        painter.setPen(entry.outline);
        painter.setBrush(entry.fill);
        painter.drawPath(entry.path.translated(symbolX, y));
        painter.setPen(knownColour);
        painter.drawText(QPointF(symbolX + 3 * gap * pt, y + (metrics.ascent() - metrics.descent()) / 2), entry.text);
        y += line * 1.3;
    }
    painter.restore();
}

}  // namespace kestrane
