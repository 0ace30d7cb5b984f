#include "presentation/program_icon.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace kestrane {

QIcon programIcon()
{
    // Drawn here rather than by the SVG icon plug-in, which a desktop may lack.
    QSvgRenderer drawing(QStringLiteral(":/kestrane/kestrane.svg"));
    QIcon icon;
    if (!drawing.isValid()) return icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        drawing.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace kestrane
