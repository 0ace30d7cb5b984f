// The network plot of a quality analysis: route points and triangle sides to
// scale with north up (X north is up, Y east is right), known points,
// orientation points and directions, names beside the points, every free
// point's standard error ellipse enlarged by one round factor, the weakest
// point and the likely blunder in red, and beside the drawing a scale bar
// for lengths, one for the ellipses, a north arrow and a legend.
//
// The drawing lives in a QGraphicsScene in metres (scene x = Y - Y(A),
// scene y = X(A) - X). Symbols and names keep their size whatever the zoom:
// they ignore the view's transformation, so their sizes are given in device
// pixels, pixelsPerPoint to the typographic point of the device drawn on
// (the screen, a printer, an SVG file). The same scene serves the window's
// view and, built afresh for the device, every print, PDF and SVG.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <QFont>
#include <QPointF>
#include <QRectF>

#include "analysis/network_geometry.h"
#include "analysis/quality_analysis.h"

class QGraphicsScene;
class QPainter;

namespace kestrane {

// Typographic points per inch: a device's pixels per point are its dots per inch over this.
inline constexpr double pointsPerInch = 72;

// The window's Song face, points large on a device of pixelsPerPoint, as a
// pixel size: the size of items that ignore the drawing's scale.
QFont deviceSongFont(double points, bool bold, double pixelsPerPoint);

// What a scene item shows, kept in its data under plotItemKindKey; items of
// a route point also keep the point's index under plotItemPointKey.
enum class PlotItemKind {
    side,
    knownSide,
    orientationLine,
    knownPoint,
    routePoint,
    orientationPoint,
    name,
    ellipse,
    weakestMark,
    suspectMark,
};
inline constexpr int plotItemKindKey = 0;
inline constexpr int plotItemPointKey = 1;

class NetworkPlot {
public:
    NetworkPlot(const ChainAnalysis& analysis, NetworkGeometry geometry);

    // How many times the ellipses are enlarged.
    double enlargement() const { return enlargement_; }

    // The longest semi-axis of all ellipses, millimetres (0: none to draw).
    double largestSemiAxis() const { return largestSemiAxis_; }

    // The scene rectangle of the whole drawing, with a margin around it.
    QRectF sceneExtent() const { return extent_; }

    QPointF scenePoint(PlanPoint point) const;

    // Adds every item of the drawing to scene and sets its rectangle.
    void populate(QGraphicsScene& scene, double pixelsPerPoint) const;

    // The scale bars, the north arrow and the legend inside area, for a
    // drawing at pixelsPerMetre; painter in device pixels.
    void paintDecorations(QPainter& painter, const QRectF& area, double pixelsPerMetre,
                          double pixelsPerPoint) const;

    // The whole drawing fitted and centred in target, with its decorations.
    void paint(QPainter& painter, const QRectF& target, double pixelsPerPoint) const;

private:
    struct PointFigures {
        PlanPoint plan;
        std::string name;
        bool known = false;
        double a = 0, b = 0, alpha = 0;  // millimetres, degrees
    };

    void addSides(QGraphicsScene& scene, double pixelsPerPoint) const;
    void addOrientation(QGraphicsScene& scene, double pixelsPerPoint) const;
    void addPoints(QGraphicsScene& scene, double pixelsPerPoint) const;
    void addSuspect(QGraphicsScene& scene, double pixelsPerPoint) const;
    QRectF computeExtent() const;
    std::vector<PlanPoint> orientationEnds() const;

    NetworkGeometry geometry_;
    std::vector<PointFigures> points_;
    std::optional<std::size_t> weakest_;
    std::optional<ObservationId> suspect_;
    double largestSemiAxis_ = 0;
    double enlargement_ = 1;
    QRectF extent_;
};

}  // namespace kestrane
