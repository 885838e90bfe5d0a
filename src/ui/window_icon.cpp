#include "ui/window_icon.h"

#include "window_icon_svg.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace radial {

namespace {

// Drawn here rather than by Qt's SVG icon plugin, which the program could run without.
QIcon built_in_icon() {
    QSvgRenderer drawing(QByteArray::fromRawData(window_icon_svg, sizeof window_icon_svg - 1));
    QIcon icon;
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

} // namespace

QIcon window_icon() {
    return QIcon::fromTheme(QStringLiteral("radial-engine"), built_in_icon());
}

} // namespace radial
