#pragma once

#include <QColor>
#include <QImage>
#include <QLineF>
#include <QSvgRenderer>
#include <QWidget>

#include <string>
#include <vector>

namespace radial {

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
// with its aspect kept, centred on white; nothing else draws the chart. Each paint copies that
// image and draws the cursor over it, and moving the cursor repaints only the rectangles the old
// and the new cursor cover.
class ChartView final : public QWidget {
public:
    explicit ChartView(QWidget* parent = nullptr);

    // Shows a new chart, rendered at once, without a cursor until the next set_cursor.
    void show_chart(const std::string& svg);
    void set_cursor(ChartCursor cursor);

    // Where a point in the chart's pixels lands in the widget.
    QPointF to_widget(QPointF chart_point) const;

    // The chart as last rendered, without the cursor; and how many times it has been rendered.
    const QImage& rendered() const { return image_; }
    int render_count() const { return render_count_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void render();
    QRegion region_of(const ChartCursor& cursor) const;

    QSvgRenderer renderer_;
    QRectF target_; // where the chart lies in the widget
    QImage image_;
    ChartCursor cursor_;
    int render_count_ = 0;
};

} // namespace radial
