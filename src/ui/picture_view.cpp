#include "ui/picture_view.h"

#include "ui/image_surface.h"
#include "ui/x11_presenter.h"

#include <QPaintEvent>
#include <QPainter>

#include <utility>
#include <vector>

namespace radial {

namespace {

// Logical rectangles in the device pixels the presenter puts.
std::vector<PixelRect> device_rects(const ImageSurface& surface, std::vector<PixelRect> rects) {
    for (PixelRect& r : rects) {
        r = device_rect(r, surface.device_pixel_ratio(), surface.device_width(),
                        surface.device_height());
    }
    return rects;
}

std::vector<PixelRect> logical_rects(const QRegion& region) {
    std::vector<PixelRect> rects;
    for (const QRect& r : region) {
        rects.push_back({r.x(), r.y(), r.width(), r.height()});
    }
    return rects;
}

} // namespace

// The presenter needs an X11 window before it can judge it, so the widget gets one at once, and
// keeps it (Qt paints into native windows too) when the presenter declines.
PictureView::PictureView(ImageSurface& surface, X11Presenter* x11, QWidget* parent)
    : QWidget(parent), surface_(surface), x11_(x11) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    if (x11_ == nullptr) {
        return;
    }
    setAttribute(Qt::WA_NativeWindow);
    if (!x11_->show_in(static_cast<std::uint32_t>(winId()))) {
        x11_ = nullptr;
        return;
    }
    setAttribute(Qt::WA_PaintOnScreen);
}

bool PictureView::event(QEvent* event) {
    if (event->type() == QEvent::WinIdChange && presented()) {
        follow_native_window();
    }
    return QWidget::event(event);
}

// A window that cannot take the pixels as they are is left to Qt to paint, like the first.
void PictureView::follow_native_window() {
    const auto window = static_cast<std::uint32_t>(internalWinId());
    if (window == x11_->window()) {
        return;
    }
    if (window == 0) {
        x11_->stop_showing();
        return;
    }
    if (!x11_->show_in(window)) {
        x11_->stop_showing();
        x11_ = nullptr;
        setAttribute(Qt::WA_PaintOnScreen, false);
    }
}

QPaintEngine* PictureView::paintEngine() const {
    return presented() ? nullptr : QWidget::paintEngine();
}

void PictureView::show_changes() {
    if (!presented()) {
        const QRegion dirty = surface_.take_dirty_region();
        if (!dirty.isEmpty()) {
            repaint(dirty); // at once: the pump need not go round Qt's event loop once more for it
        }
        return;
    }
    std::vector<PixelRect> changed = surface_.take_changed_rects();
    if (!changed.empty()) {
        x11_->put(surface_.pixels(), device_rects(surface_, std::move(changed)));
    }
}

void PictureView::wait_until_shown() {
    if (presented()) {
        x11_->wait_until_read();
    }
}

void PictureView::paintEvent(QPaintEvent* event) {
    if (presented()) {
        x11_->put(surface_.pixels(), device_rects(surface_, logical_rects(event->region())));
        return;
    }
    paint_region(event->region());
}

// Clipped to one band, Qt's painter deals with that band's few rectangles; clipped to the whole
// region, it would build a table of the region's rows times its rectangles (over a megabyte) at
// every paint.
void PictureView::paint_region(const QRegion& region) {
    QPainter painter(this);
    const qreal dpr = surface_.image().devicePixelRatio();
    for (auto rect = region.begin(); rect != region.end();) {
        auto band_end = rect;
        QRect band;
        while (band_end != region.end() && band_end->top() == rect->top()) {
            band |= *band_end++;
        }
        painter.setClipRect(band);
        for (; rect != band_end; ++rect) {
            const QRect area = *rect;
            painter.drawImage(
                area, surface_.image(),
                QRectF(area.x() * dpr, area.y() * dpr, area.width() * dpr, area.height() * dpr));
        }
    }
}

} // namespace radial
