#include "ui/chart_view.h"

#include "picture/pixel_raster.h"
#include "ui/x11_presenter.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace radial {

namespace {

// Widget pixels: the cursor line's width, a dot's radius with its white rim, and the longest piece
// of a line that one shown rectangle covers (a slanted line in one rectangle would show a square
// of its length).
constexpr double line_width = 2;
constexpr double dot_radius = 4;
constexpr double rim_width = 1;
constexpr double piece_length = 48;

// The device pixels of rectangles of the widget, within an image.
template <typename Rects>
std::vector<PixelRect> device_rects(const Rects& logical, const QImage& image) {
    std::vector<PixelRect> rects;
    for (const QRect& r : logical) {
        const PixelRect d = device_rect({r.x(), r.y(), r.width(), r.height()},
                                        image.devicePixelRatio(), image.width(), image.height());
        if (!d.empty()) {
            rects.push_back(d);
        }
    }
    return rects;
}

// Copies a rectangle of device pixels between two images of the same size and format, from
// pointers taken once (each scanLine() call would check whether the image must be detached).
void copy_rect(const QImage& from, QImage& to, PixelRect r) {
    const auto bytes = static_cast<std::size_t>(r.width) * 4;
    const qsizetype from_stride = from.bytesPerLine(), to_stride = to.bytesPerLine();
    const uchar* source = from.constBits() + r.y * from_stride + std::ptrdiff_t{r.x} * 4;
    uchar* target = to.bits() + r.y * to_stride + std::ptrdiff_t{r.x} * 4;
    for (int y = 0; y < r.height; ++y, source += from_stride, target += to_stride) {
        std::memcpy(target, source, bytes);
    }
}

qint64 area(const QRect& r) {
    return qint64{r.width()} * r.height();
}

// Rectangles that overlap or touch, taken from the top down, are joined where the join covers
// few pixels more than the two: a request to the window system costs about as much as copying
// that many pixels. A vertical cursor and its dots, now and a frame ago, come to one narrow
// rectangle; a slanted line stays a chain of small squares rather than its bounding box.
constexpr qint64 pixels_per_request = 2048;

std::vector<QRect> joined(std::vector<QRect> rects) {
    for (bool again = true; again;) {
        again = false;
        std::sort(rects.begin(), rects.end(),
                  [](const QRect& a, const QRect& b) { return a.top() < b.top(); });
        std::vector<QRect> out;
        for (const QRect& r : rects) {
            if (r.isEmpty()) {
                continue;
            }
            if (!out.empty()) {
                QRect& last = out.back();
                const QRect both = last | r;
                if (last.adjusted(-1, -1, 1, 1).intersects(r) &&
                    area(both) <= area(last) + area(r) + pixels_per_request) {
                    last = both;
                    again = true;
                    continue;
                }
            }
            out.push_back(r);
        }
        rects = std::move(out);
    }
    return rects;
}

} // namespace

// The presenter needs an X11 window before it can judge it, so the view gets one at once; where
// the presenter declines it, Qt paints into that window.
ChartView::ChartView(QWidget* parent) : QWidget(parent), x11_(X11Presenter::for_application()) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMinimumSize(120, 100);
    if (x11_ == nullptr) {
        return;
    }
    setAttribute(Qt::WA_NativeWindow);
    if (!x11_->show_in(static_cast<std::uint32_t>(winId()))) {
        x11_.reset();
        return;
    }
    setAttribute(Qt::WA_PaintOnScreen);
    presenting_ = true;
}

// The picture's pixels go back to where they came from, once the server has read them.
ChartView::~ChartView() {
    shown_ = QImage();
    if (x11_ != nullptr) {
        x11_->wait_until_read();
        if (shown_pixels_ != nullptr) {
            x11_->deallocate(shown_pixels_);
        }
    } else {
        delete[] shown_pixels_;
    }
}

bool ChartView::event(QEvent* event) {
    if (event->type() == QEvent::WinIdChange && presented()) {
        const auto window = static_cast<std::uint32_t>(internalWinId());
        if (window == 0) {
            x11_->stop_showing();
        } else if (window != x11_->window() && !x11_->show_in(window)) {
            x11_->stop_showing(); // Qt paints the picture from the same pixels instead
            setAttribute(Qt::WA_PaintOnScreen, false);
            presenting_ = false;
        }
    }
    return QWidget::event(event);
}

QPaintEngine* ChartView::paintEngine() const {
    return presented() ? nullptr : QWidget::paintEngine();
}

void ChartView::show_chart(const std::string& svg) {
    renderer_.load(QByteArray(svg.data(), static_cast<qsizetype>(svg.size())));
    cursor_ = {};
    render();
}

void ChartView::set_cursor(ChartCursor cursor) {
    if (shown_.isNull()) {
        cursor_ = std::move(cursor);
        return;
    }
    if (presented()) {
        x11_->wait_until_read();
    }
    std::vector<QRect> rects;
    add_rects(cursor_, rects);
    add_rects(cursor, rects);
    rects = joined(std::move(rects));
    for (const PixelRect& r : device_rects(rects, shown_)) {
        copy_rect(chart_, shown_, r);
    }
    cursor_ = std::move(cursor);
    draw_cursor();
    // Through the presenter, with the next flush of the connection: the engine's at its next pump
    // at the latest.
    if (presented()) {
        put(rects, false);
    } else {
        for (const QRect& r : rects) {
            update(r);
        }
    }
}

void ChartView::render() {
    const QSizeF chart = renderer_.defaultSize();
    const QSizeF fitted = chart.isEmpty() ? QSizeF() : chart.scaled(size(), Qt::KeepAspectRatio);
    target_ =
        QRectF(QPointF((width() - fitted.width()) / 2, (height() - fitted.height()) / 2), fitted);
    scale_ = chart.isEmpty() ? 1 : fitted.width() / chart.width();

    const qreal ratio = devicePixelRatioF();
    const QSize device = size() * ratio;
    chart_ = QImage(device, QImage::Format_RGB32);
    chart_.setDevicePixelRatio(ratio);
    chart_.fill(Qt::white);
    if (renderer_.isValid()) {
        QPainter painter(&chart_);
        renderer_.render(&painter, target_);
        ++render_count_;
    }
    if (!dot_images_.empty() && dot_images_.front().second.devicePixelRatio() != ratio) {
        dot_images_.clear();
    }

    // The picture: its pixels anew when the size changed, the chart copied in, the cursor over it.
    if (x11_ != nullptr) {
        x11_->wait_until_read();
    }
    if (shown_.size() != device) {
        shown_ = QImage();
        if (x11_ != nullptr) {
            if (shown_pixels_ != nullptr) {
                x11_->deallocate(shown_pixels_);
            }
            shown_pixels_ = x11_->allocate(static_cast<std::size_t>(device.width()) *
                                           static_cast<std::size_t>(device.height()));
        } else {
            delete[] shown_pixels_;
            shown_pixels_ = new std::uint32_t[static_cast<std::size_t>(device.width()) *
                                              static_cast<std::size_t>(device.height())];
        }
        shown_ = QImage(reinterpret_cast<uchar*>(shown_pixels_), device.width(), device.height(),
                        static_cast<qsizetype>(device.width()) * 4, QImage::Format_RGB32);
    }
    shown_.setDevicePixelRatio(ratio);
    copy_rect(chart_, shown_, {0, 0, device.width(), device.height()});
    draw_cursor();
    if (presented()) {
        put({rect()});
    } else {
        update();
    }
}

// Each line in pieces, each piece's bounding rectangle widened by the pen; each dot's square.
void ChartView::add_rects(const ChartCursor& cursor, std::vector<QRect>& rects) const {
    const double pen = line_width / 2 + 1;
    for (const QLineF& chart_line : cursor.lines) {
        const QLineF line(to_widget(chart_line.p1()), to_widget(chart_line.p2()));
        const int pieces = std::max(1, static_cast<int>(std::ceil(line.length() / piece_length)));
        for (int k = 0; k < pieces; ++k) {
            const QRectF piece =
                QRectF(line.pointAt(double(k) / pieces), line.pointAt(double(k + 1) / pieces))
                    .normalized()
                    .adjusted(-pen, -pen, pen, pen);
            rects.push_back(piece.toAlignedRect() & rect());
        }
    }
    const double dot = dot_radius + rim_width + 1;
    for (const ChartCursor::Dot& d : cursor.dots) {
        const QPointF at = to_widget(d.at);
        rects.push_back(QRectF(at.x() - dot, at.y() - dot, 2 * dot, 2 * dot).toAlignedRect() &
                        rect());
    }
}

// Straight into the picture's pixels, with no painter to set up at every frame: a vertical line
// is a band of whole pixels, any other line a hard-edged stroke, and each dot a small image, made
// once for each colour, laid over the picture.
void ChartView::draw_cursor() {
    const qreal ratio = shown_.devicePixelRatio();
    const PixelBuffer pixels{shown_pixels_, shown_.width(), shown_.height(), shown_.width()};
    const std::uint32_t line_value = chart_cursor_colour.rgb();
    for (const QLineF& chart_line : cursor_.lines) {
        const QLineF line(to_widget(chart_line.p1()) * ratio, to_widget(chart_line.p2()) * ratio);
        if (line.dx() != 0) {
            stroke_line(pixels, line.x1(), line.y1(), line.x2(), line.y2(),
                        static_cast<int>(std::lround(line_width * ratio)), line_value);
            continue;
        }
        const double half = line_width * ratio / 2;
        const int left = std::max(0, static_cast<int>(std::lround(line.x1() - half)));
        const int right = std::min(pixels.width, static_cast<int>(std::lround(line.x1() + half)));
        const int top = std::max(0, static_cast<int>(std::lround(std::min(line.y1(), line.y2()))));
        const int bottom =
            std::min(pixels.height, static_cast<int>(std::lround(std::max(line.y1(), line.y2()))));
        for (int y = top; y < bottom; ++y) {
            std::fill(pixels.pixels + std::ptrdiff_t{y} * pixels.stride + left,
                      pixels.pixels + std::ptrdiff_t{y} * pixels.stride + right, line_value);
        }
    }
    // A dot's premultiplied pixels over the picture's: its clear corners leave the picture as it
    // is and its opaque middle replaces it.
    const double half = dot_radius + rim_width + 1;
    for (const ChartCursor::Dot& d : cursor_.dots) {
        const QPointF at = to_widget(d.at);
        const QImage& dot = dot_image(d.colour);
        const int x0 = static_cast<int>(std::lround((at.x() - half) * ratio));
        const int y0 = static_cast<int>(std::lround((at.y() - half) * ratio));
        const int side_x = std::min(dot.width(), pixels.width - x0);
        const int side_y = std::min(dot.height(), pixels.height - y0);
        for (int y = std::max(0, -y0); y < side_y; ++y) {
            const auto* from = reinterpret_cast<const QRgb*>(dot.constScanLine(y));
            std::uint32_t* to = pixels.pixels + std::ptrdiff_t{y0 + y} * pixels.stride + x0;
            for (int x = std::max(0, -x0); x < side_x; ++x) {
                const int keep = 255 - qAlpha(from[x]);
                if (keep == 255) {
                    continue;
                }
                if (keep == 0) {
                    to[x] = from[x] | 0xFF000000u;
                    continue;
                }
                const QRgb under = to[x];
                to[x] = qRgb(qRed(from[x]) + qRed(under) * keep / 255,
                             qGreen(from[x]) + qGreen(under) * keep / 255,
                             qBlue(from[x]) + qBlue(under) * keep / 255);
            }
        }
    }
}

// A dot with its white rim, antialiased, centred in a square image.
const QImage& ChartView::dot_image(QColor colour) {
    for (const auto& [rgb, image] : dot_images_) {
        if (rgb == colour.rgba()) {
            return image;
        }
    }
    const qreal ratio = devicePixelRatioF();
    const double side = 2 * (dot_radius + rim_width + 1);
    const int device_side = static_cast<int>(std::ceil(side * ratio));
    QImage image(QSize(device_side, device_side), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::white, rim_width));
    painter.setBrush(colour);
    painter.drawEllipse(QPointF(side / 2, side / 2), dot_radius, dot_radius);
    painter.end();
    return dot_images_.emplace_back(colour.rgba(), std::move(image)).second;
}

void ChartView::put(const std::vector<QRect>& rects, bool send_now) {
    if (!isVisible() || shown_.isNull()) {
        return;
    }
    const std::vector<PixelRect> device = device_rects(rects, shown_);
    if (!device.empty()) {
        x11_->put({shown_pixels_, shown_.width(), shown_.height(), shown_.width()}, device,
                  send_now);
    }
}

void ChartView::paintEvent(QPaintEvent* event) {
    if (presented()) {
        put({event->region().begin(), event->region().end()});
        return;
    }
    QPainter painter(this);
    const qreal ratio = shown_.devicePixelRatio();
    for (const QRect& r : event->region()) {
        painter.drawImage(
            r, shown_, QRectF(r.x() * ratio, r.y() * ratio, r.width() * ratio, r.height() * ratio));
    }
}

void ChartView::resizeEvent(QResizeEvent*) {
    render();
}

} // namespace radial
