#include "ui/charts_window.h"

#include "analysis/engine_balance.h"
#include "report/balance_table.h"
#include "report/cylinder_colours.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QSvgRenderer>

#include <cmath>
#include <numbers>
#include <variant>

namespace radial {
namespace {

// Where a chart of chart_size lies in a view of view_size: scaled to fit, centred.
struct Fit {
    double scale, left, top;
    QPointF at(double x, double y) const { return {left + scale * x, top + scale * y}; }
};

Fit fit(QSizeF chart_size, QSize view_size) {
    const double scale =
        std::min(view_size.width() / chart_size.width(), view_size.height() / chart_size.height());
    return {scale, (view_size.width() - scale * chart_size.width()) / 2,
            (view_size.height() - scale * chart_size.height()) / 2};
}

// The SVG rendered straight, as the view should show it without its cursor.
QImage rendered(const std::string& svg, QSize view_size) {
    QSvgRenderer renderer(QByteArray::fromStdString(svg));
    const Fit f = fit(renderer.defaultSize(), view_size);
    QImage image(view_size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(f.at(0, 0), QSizeF(renderer.defaultSize()) * f.scale));
    return image;
}

QColor pixel(const QImage& image, QPointF at) {
    return image.pixelColor(static_cast<int>(std::floor(at.x())),
                            static_cast<int>(std::floor(at.y())));
}

class ChartsWindowTest : public ::testing::Test {
protected:
    ChartsWindow charts{[](QKeyEvent*) { return false; }};
    const EngineDesign start{11, 200, 52.5};

    void SetUp() override { charts.show(); }

    static QImage on_screen(ChartView& view) { return view.grab().toImage(); }
};

TEST_F(ChartsWindowTest, CrankCursorStandsAtTheCrankAngleScaledToTheView) {
    const double theta = 4 * std::numbers::pi + 1.3; // the engine's angle runs to 4 pi
    charts.follow(start, theta);
    const CrankAngleChart chart(start);
    const CrankChartLayout& layout = chart.layout();
    const Fit f = fit({1000, 620}, charts.crank_view().size());
    ASSERT_LT(f.scale, 0.8); // shown smaller than the SVG, so an unscaled cursor would miss
    const double x = f.at(layout.x(1.3 * 180 / std::numbers::pi), 0).x();
    const QImage shown = on_screen(charts.crank_view());

    // The line runs down the plot area at x, and nowhere near it on either side.
    int on_line = 0, beside = 0, rows = 0;
    for (double y = layout.top + 2; y < layout.bottom - 2; y += 1 / f.scale, ++rows) {
        on_line += pixel(shown, {x, f.at(0, y).y()}) == chart_cursor_colour;
        beside += pixel(shown, {x - 8, f.at(0, y).y()}) == chart_cursor_colour;
        beside += pixel(shown, {x + 8, f.at(0, y).y()}) == chart_cursor_colour;
    }
    EXPECT_GT(on_line, rows / 2);
    EXPECT_EQ(beside, 0);

    // The last cylinder's dot, drawn last, on its own curve.
    const auto crossing = chart.cursor(theta).crossings.back();
    ASSERT_TRUE(crossing.has_value());
    EXPECT_EQ(pixel(shown, f.at(chart.cursor(theta).x, *crossing)),
              QColor(QString::fromStdString(cylinder_colour(11, 11))));
}

TEST_F(ChartsWindowTest, PolarCursorEndsAtTheForceTip) {
    const double theta = 2.0;
    charts.follow(start, theta);
    const BalanceChart chart(start, balance_engine(start, 1));
    const BalanceChart::Cursor tip = chart.cursor(theta);
    const Fit f = fit({800, 860}, charts.balance_view().size());
    const QImage shown = on_screen(charts.balance_view());
    EXPECT_EQ(pixel(shown, f.at(tip.counterweight_x, tip.counterweight_y)),
              QColor(balance_counterweight_colour));
    // The vector from the centre: half way along it, the chart is drawn over.
    const QPointF middle = f.at((chart.centre_x() + tip.x) / 2, (chart.centre_y() + tip.y) / 2);
    EXPECT_NE(pixel(shown, middle), pixel(charts.balance_view().rendered(), middle));
}

// Moving the cursors leaves nothing of the old ones: where they stood (the crank chart's line
// and dots, the polar chart's tip), the views show their charts alone again, to the pixel.
TEST_F(ChartsWindowTest, MovedCursorsLeaveNoTrace) {
    const double before = 1.0;
    charts.follow(start, before);
    charts.follow(start, before + std::numbers::pi); // half a turn on: far from the old ones
    const auto differing = [](ChartView& view, QPointF at, int half_width, int half_height) {
        const QImage shown = on_screen(view), chart = view.rendered();
        int count = 0;
        for (int y = int(at.y()) - half_height; y <= int(at.y()) + half_height; ++y) {
            for (int x = int(at.x()) - half_width; x <= int(at.x()) + half_width; ++x) {
                count += chart.rect().contains(x, y) && shown.pixel(x, y) != chart.pixel(x, y);
            }
        }
        return count;
    };
    const CrankAngleChart crank(start);
    const Fit c = fit({1000, 620}, charts.crank_view().size());
    const QPointF line = c.at(crank.layout().x(before * 180 / std::numbers::pi),
                              (crank.layout().top + crank.layout().bottom) / 2);
    EXPECT_EQ(differing(charts.crank_view(), line, 10, charts.crank_view().height()), 0);

    const BalanceChart balance(start, balance_engine(start, 1));
    const BalanceChart::Cursor tip = balance.cursor(before);
    const Fit b = fit({800, 860}, charts.balance_view().size());
    EXPECT_EQ(differing(charts.balance_view(), b.at(tip.x, tip.y), 10, 10), 0);
}

// Each chart is the SVG rendered once for what it shows: again for new parameters or a new
// quantity, never for a new crank angle alone; while hidden not at all, until shown.
TEST_F(ChartsWindowTest, ChartsRenderAgainOnlyWhenWhatTheyShowChanges) {
    ChartView& crank = charts.crank_view();
    ChartView& balance = charts.balance_view();
    charts.follow(start, 0.5);
    const int crank_renders = crank.render_count();
    const int balance_renders = balance.render_count();
    EXPECT_EQ(crank.rendered(), rendered(CrankAngleChart(start).svg(), crank.size()));
    charts.follow(start, 0.6);
    EXPECT_EQ(crank.render_count(), crank_renders);
    EXPECT_EQ(balance.render_count(), balance_renders);

    const EngineDesign nine{9, 250, 60};
    charts.follow(nine, 0.7);
    EXPECT_EQ(crank.rendered(), rendered(CrankAngleChart(nine).svg(), crank.size()));
    EXPECT_EQ(balance.rendered(),
              rendered(BalanceChart(nine, balance_engine(nine, 1)).svg(), balance.size()));
    EXPECT_EQ(crank.render_count(), crank_renders + 1);
    EXPECT_EQ(balance.render_count(), balance_renders + 1);

    charts.quantity_box()->setCurrentIndex(2);
    EXPECT_EQ(crank.rendered(),
              rendered(CrankAngleChart(nine, ChartQuantity::acceleration).svg(), crank.size()));
    EXPECT_EQ(balance.render_count(), balance_renders + 1);

    charts.close();
    charts.follow(start, 0.8);
    EXPECT_EQ(crank.render_count(), crank_renders + 2);
    charts.show();
    EXPECT_EQ(crank.rendered(),
              rendered(CrankAngleChart(start, ChartQuantity::acceleration).svg(), crank.size()));
}

TEST_F(ChartsWindowTest, UnreportableBalanceShowsItsRefusalInstead) {
    const EngineDesign unreached{35, 125, 75};
    charts.follow(unreached, 1);
    const auto refusal = balance_refusal(balance_engine(unreached, 1));
    ASSERT_TRUE(refusal.has_value());
    EXPECT_FALSE(charts.balance_view().isVisible());
    EXPECT_TRUE(charts.balance_refusal_label()->isVisible());
    EXPECT_TRUE(charts.balance_refusal_label()->text().contains(QString::fromStdString(*refusal)));
    EXPECT_TRUE(charts.crank_view().isVisible()); // the crank-angle chart shows its gaps

    charts.follow(start, 1);
    EXPECT_TRUE(charts.balance_view().isVisible());
    EXPECT_FALSE(charts.balance_refusal_label()->isVisible());
}

// A design that runs adds the torque chart and the crankpin diagram beside the others, the
// window twice as wide; the torque cursor stands at the angle in the four-stroke cycle (the
// second turn here), its total torque's dot on the total curve. Without, the column goes again.
TEST_F(ChartsWindowTest, RunningDesignAddsTheTorqueAndCrankpinCharts) {
    EngineDesign running{9, 10.25, 2.3, 2.75};
    running.unit = LengthUnit::in;
    running.speed_rpm = 1900;
    running.reciprocating_mass = 1.6;
    running.bore = 5;
    running.compression_ratio = 5.1;
    charts.follow(start, 1);
    const int narrow = charts.width();
    EXPECT_FALSE(charts.dynamics_column()->isVisible());

    const double theta = 2 * std::numbers::pi + 1.0;
    charts.follow(running, theta);
    ASSERT_TRUE(charts.torque_view().isVisible());
    EXPECT_TRUE(charts.crankpin_view().isVisible());
    EXPECT_EQ(charts.width(), 2 * narrow);
    const auto dynamics = std::get<EngineDynamics>(EngineDynamics::of(running));
    const TorqueChart chart(running, dynamics);
    const TorqueChart::Cursor c = chart.cursor(theta);
    EXPECT_NEAR(c.degrees, 360 + 180 / std::numbers::pi, 1e-9);
    const Fit f = fit({1000, 620}, charts.torque_view().size());
    EXPECT_EQ(pixel(on_screen(charts.torque_view()), f.at(c.x, c.total_y)),
              QColor(torque_total_colour));

    charts.follow(start, 1);
    EXPECT_FALSE(charts.dynamics_column()->isVisible());
    EXPECT_EQ(charts.width(), narrow);
}

} // namespace
} // namespace radial
