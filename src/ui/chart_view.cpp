#include "ui/chart_view.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace radial {

namespace {

// Widget pixels: the cursor line's width, a dot's radius with its white rim, and the longest piece
// of a line that one repainted rectangle covers (a slanted line in one rectangle would repaint a
// square of its length).
constexpr double line_width = 2;
constexpr double dot_radius = 4;
constexpr double rim_width = 1;
constexpr double piece_length = 16;

} // namespace

ChartView::ChartView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(120, 100);
}

void ChartView::show_chart(const std::string& svg) {
    renderer_.load(QByteArray(svg.data(), static_cast<qsizetype>(svg.size())));
    cursor_ = {};
    render();
    update();
}

void ChartView::set_cursor(ChartCursor cursor) {
    const QRegion dirty = region_of(cursor_) | region_of(cursor);
    cursor_ = std::move(cursor);
    update(dirty);
}

QPointF ChartView::to_widget(QPointF chart_point) const {
    const QSizeF chart = renderer_.defaultSize();
    if (chart.isEmpty()) {
        return target_.topLeft();
    }
    return target_.topLeft() + chart_point * (target_.width() / chart.width());
}

void ChartView::render() {
    const QSizeF chart = renderer_.defaultSize();
    const QSizeF shown = chart.isEmpty() ? QSizeF() : chart.scaled(size(), Qt::KeepAspectRatio);
    target_ =
        QRectF(QPointF((width() - shown.width()) / 2, (height() - shown.height()) / 2), shown);
    const qreal ratio = devicePixelRatioF();
    image_ = QImage(size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image_.setDevicePixelRatio(ratio);
    image_.fill(Qt::white);
    if (renderer_.isValid()) {
        QPainter painter(&image_);
        renderer_.render(&painter, target_);
        ++render_count_;
    }
}

// Each line in pieces, each piece's bounding rectangle widened by the pen; each dot's square.
QRegion ChartView::region_of(const ChartCursor& cursor) const {
    QRegion region;
    const double pen = line_width / 2 + 1;
    for (const QLineF& chart_line : cursor.lines) {
        const QLineF line(to_widget(chart_line.p1()), to_widget(chart_line.p2()));
        const int pieces = std::max(1, static_cast<int>(std::ceil(line.length() / piece_length)));
        for (int k = 0; k < pieces; ++k) {
            const QRectF piece =
                QRectF(line.pointAt(double(k) / pieces), line.pointAt(double(k + 1) / pieces))
                    .normalized()
                    .adjusted(-pen, -pen, pen, pen);
            region += piece.toAlignedRect();
        }
    }
    const double dot = dot_radius + rim_width + 1;
    for (const ChartCursor::Dot& d : cursor.dots) {
        const QPointF at = to_widget(d.at);
        region += QRectF(at.x() - dot, at.y() - dot, 2 * dot, 2 * dot).toAlignedRect();
    }
    return region;
}

void ChartView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const qreal ratio = image_.devicePixelRatio();
    for (const QRect& r : event->region()) {
        painter.drawImage(
            r, image_, QRectF(r.x() * ratio, r.y() * ratio, r.width() * ratio, r.height() * ratio));
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(chart_cursor_colour, line_width, Qt::SolidLine, Qt::FlatCap));
    for (const QLineF& line : cursor_.lines) {
        painter.drawLine(QLineF(to_widget(line.p1()), to_widget(line.p2())));
    }
    for (const ChartCursor::Dot& d : cursor_.dots) {
        painter.setPen(QPen(Qt::white, rim_width));
        painter.setBrush(d.colour);
        painter.drawEllipse(to_widget(d.at), dot_radius, dot_radius);
    }
}

void ChartView::resizeEvent(QResizeEvent*) {
    render();
}

} // namespace radial
