#include "presentation/network_view.h"

#include <algorithm>
#include <cmath>

#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

namespace kestrane {
namespace {

// One notch of the wheel (120 eighths of a degree) zooms by this factor.
constexpr double zoomPerNotch = 1.25;
constexpr double eighthsPerNotch = 120;
// How far the view zooms out from the whole network, and in to a millimetre.
constexpr double widestShare = 0.1;
constexpr double closestPixelsPerMetre = 5000;

}  // namespace

NetworkView::NetworkView(const NetworkPlot& plot, QWidget* parent)
    : QGraphicsView(parent), plot_(plot), pixelsPerPoint_(logicalDpiY() / pointsPerInch)
{
    plot_.populate(scene_, pixelsPerPoint_);
    setScene(&scene_);
    setBackgroundBrush(Qt::white);
    setRenderHint(QPainter::Antialiasing);
    setDragMode(QGraphicsView::ScrollHandDrag);
    setTransformationAnchor(QGraphicsView::AnchorViewCenter);
    setResizeAnchor(QGraphicsView::AnchorViewCenter);
    // The corners are drawn over the scene, so every scroll repaints them whole.
    setViewportUpdateMode(QGraphicsView::FullViewportUpdate);
}

double NetworkView::pixelsPerMetre() const
{
    return transform().m11();
}

void NetworkView::fitNetwork()
{
    followsWindow_ = true;
    fitInView(plot_.sceneExtent(), Qt::KeepAspectRatio);
    viewport()->update();
}

void NetworkView::zoomIn()
{
    zoomBy(zoomPerNotch);
}

void NetworkView::zoomOut()
{
    zoomBy(1 / zoomPerNotch);
}

void NetworkView::zoomBy(double factor)
{
    followsWindow_ = false;
    const QRectF extent = plot_.sceneExtent();
    const double widest = widestShare * std::min(viewport()->width() / extent.width(),
                                                 viewport()->height() / extent.height());
    const double wanted = std::clamp(pixelsPerMetre() * factor, widest, closestPixelsPerMetre);
    const double applied = wanted / pixelsPerMetre();
    scale(applied, applied);
    viewport()->update();
}

void NetworkView::wheelEvent(QWheelEvent* event)
{
    const double notches = event->angleDelta().y() / eighthsPerNotch;
    if (notches == 0) return;
    // About the point under the wheel: zoom about the centre, then scroll
    // that point back under it.
    const QPoint at = event->position().toPoint();
    const QPointF held = mapToScene(at);
    zoomBy(std::pow(zoomPerNotch, notches));
    const QPoint drift = mapFromScene(held) - at;
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() + drift.x());
    verticalScrollBar()->setValue(verticalScrollBar()->value() + drift.y());
    event->accept();
}

void NetworkView::drawForeground(QPainter* painter, const QRectF&)
{
    painter->save();
    painter->resetTransform();
    plot_.paintDecorations(*painter, viewport()->rect(), pixelsPerMetre(), pixelsPerPoint_);
    painter->restore();
}

void NetworkView::resizeEvent(QResizeEvent* event)
{
    QGraphicsView::resizeEvent(event);
    if (followsWindow_) fitNetwork();
}

}  // namespace kestrane
