#pragma once

#include "picture/pixel_rect.h"

#include <QColor>
#include <QImage>
#include <QLineF>
#include <QSvgRenderer>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class QPaintEngine;

namespace radial {

class X11Presenter;

// The cursor's line: opaque, so that it shows over every curve and grid line.
inline const QColor chart_cursor_colour{0x50, 0x50, 0x50};

// A cursor over a chart, in the chart's own pixels (its SVG's user units): lines, and dots in
// the colours of the curves they sit on.
struct ChartCursor {
    struct Dot {
        QPointF at;
        QColor colour;
    };
    std::vector<QLineF> lines;
    std::vector<Dot> dots;
};

// One chart as the charts window shows it. The chart's SVG is rendered into an image of the
// widget's size when the chart is given and when the widget is resized, the chart scaled to fit
// with its aspect kept, centred on white; nothing else draws the chart. The picture shown is a
// copy of that image with the cursor drawn over it: moving the cursor copies back the rectangles
// the old one covered, draws the new one, and shows only those rectangles. On X11 the view is a
// window of its own that an X11 presenter fills straight from the picture, so that a frame costs
// no trip through Qt's painting; elsewhere Qt paints the picture like any widget's.
class ChartView final : public QWidget {
public:
    explicit ChartView(QWidget* parent = nullptr);
    ~ChartView() override;
    ChartView(const ChartView&) = delete;
    ChartView& operator=(const ChartView&) = delete;

    // Shows a new chart, rendered at once, without a cursor until the next set_cursor.
    void show_chart(const std::string& svg);
    void set_cursor(ChartCursor cursor);

    // Where a point in the chart's pixels lands in the widget.
    QPointF to_widget(QPointF chart_point) const {
        return target_.topLeft() + chart_point * scale_;
    }

    // The chart as last rendered, without the cursor; and how many times it has been rendered.
    const QImage& rendered() const { return chart_; }
    int render_count() const { return render_count_; }

    // Whether an X11 presenter shows the picture, rather than Qt.
    bool presented() const { return presenting_; }

protected:
    bool event(QEvent* event) override;
    QPaintEngine* paintEngine() const override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void render();
    void add_rects(const ChartCursor& cursor, std::vector<QRect>& rects) const;
    void draw_cursor();
    const QImage& dot_image(QColor colour);
    void put(const std::vector<QRect>& rects, bool send_now = true);

    std::unique_ptr<X11Presenter> x11_; // also the store of the picture's pixels, when there is one
    bool presenting_ = false;
    QSvgRenderer renderer_;
    QRectF target_; // where the chart lies in the widget
    double scale_ = 1;
    QImage chart_; // the chart alone
    std::uint32_t* shown_pixels_ = nullptr;
    QImage shown_; // the chart and the cursor, over shown_pixels_
    ChartCursor cursor_;
    std::vector<std::pair<QRgb, QImage>> dot_images_;
    int render_count_ = 0;
};

} // namespace radial
