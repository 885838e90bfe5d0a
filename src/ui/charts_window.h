#pragma once

#include "core/engine_design.h"
#include "report/balance_plot.h"
#include "report/crank_angle_chart.h"
#include "report/dynamics_charts.h"
#include "ui/chart_view.h"

#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class QComboBox;
class QKeyEvent;
class QLabel;

namespace radial {

// The charts beside the running engine, in a window of their own: the crank-angle chart of the
// quantity chosen in its box and the balance polar chart, the very SVG charts radial-kinematics
// writes, each with a cursor at the engine's crank angle. An engine whose balance cannot be
// reported gets the reason in place of the polar chart. A design that gives its speed, masses and
// unit adds a column: the torque chart, its cursor at the engine's angle in the four-stroke
// cycle (0 to 720 degrees), and the crankpin's polar load diagram. Closing the window only hides
// it.
class ChartsWindow final : public QWidget {
public:
    static const char* const caption;

    // Keys pressed in this window go to key_handler first, which returns true for a command it
    // has used up (the engine window's own handler, so that the commands work here too).
    explicit ChartsWindow(std::function<bool(QKeyEvent*)> key_handler);

    // Follows the engine, once a frame: builds and renders the charts anew when the parameters
    // differ from those shown, then puts the cursors at crank angle theta (radians). While
    // hidden it only takes note, and catches up when shown.
    void follow(const EngineDesign& design, double theta);

    QComboBox* quantity_box() { return quantity_box_; }
    ChartView& crank_view() { return *crank_view_; }
    ChartView& balance_view() { return *balance_view_; }
    QLabel* balance_refusal_label() { return refusal_; }
    ChartView& torque_view() { return *torque_view_; }
    ChartView& crankpin_view() { return *crankpin_view_; }
    QWidget* dynamics_column() { return dynamics_column_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    ChartQuantity chosen_quantity() const;
    void catch_up();
    void move_cursors();

    std::function<bool(QKeyEvent*)> key_handler_;
    QComboBox* quantity_box_;
    ChartView* crank_view_;
    ChartView* balance_view_;
    QLabel* refusal_;
    QWidget* dynamics_column_;
    ChartView* torque_view_;
    ChartView* crankpin_view_;

    // What the engine last showed, and what the charts were made for.
    std::optional<EngineDesign> design_;
    double theta_ = 0;
    std::optional<CrankAngleChart> crank_chart_;
    std::optional<EngineDesign> crank_for_;
    std::vector<QColor> curve_colours_; // cylinder 1's first
    ChartQuantity crank_quantity_ = ChartQuantity::distance;
    std::optional<BalanceChart> balance_chart_; // none while the balance cannot be reported
    std::optional<EngineDesign> balance_for_;
    std::optional<TorqueChart> torque_chart_; // none without the design's dynamics
    std::optional<CrankpinChart> crankpin_chart_;
    std::optional<EngineDesign> dynamics_for_;
};

} // namespace radial
