// The network plot on screen: the scene of a NetworkPlot in a view that
// zooms with the wheel about the point under it, pans by dragging,
// and keeps the scale bars, north arrow and legend in its corners, measured
// at the zoom shown.
#pragma once

#include <QGraphicsScene>
#include <QGraphicsView>

#include "presentation/network_plot.h"

namespace kestrane {

class NetworkView : public QGraphicsView {
    Q_OBJECT

public:
    // plot must outlive the view.
    explicit NetworkView(const NetworkPlot& plot, QWidget* parent = nullptr);

    // Device pixels per metre of the drawing as shown.
    double pixelsPerMetre() const;

public slots:
    // The whole network in view.
    void fitNetwork();
    void zoomIn();
    void zoomOut();

protected:
    void wheelEvent(QWheelEvent* event) override;
    void drawForeground(QPainter* painter, const QRectF& rect) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void zoomBy(double factor);

    const NetworkPlot& plot_;
    QGraphicsScene scene_;
    double pixelsPerPoint_;
    // The whole network stays in view as the window is resized, until the
    // surveyor zooms.
    bool followsWindow_ = true;
};

}  // namespace kestrane
