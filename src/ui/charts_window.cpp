#include "ui/charts_window.h"

#include "analysis/engine_balance.h"
#include "analysis/engine_dynamics.h"
#include "core/engine_state.h"
#include "report/balance_table.h"
#include "report/cylinder_colours.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

#include <variant>

namespace radial {

const char* const ChartsWindow::caption = "Radial engine charts";

namespace {

// Room for the crank-angle chart (1000 x 620) above the polar chart (800 x 860) at about half
// their size, beside the engine window on a screen of 1280 pixels.
const QSize start_size(560, 780);

QColor colour_of(const std::string& hex) {
    return QColor(QString::fromStdString(hex));
}

} // namespace

ChartsWindow::ChartsWindow(std::function<bool(QKeyEvent*)> key_handler)
    : key_handler_(std::move(key_handler)), quantity_box_(new QComboBox(this)),
      crank_view_(new ChartView(this)), balance_view_(new ChartView(this)),
      refusal_(new QLabel(this)), dynamics_column_(new QWidget(this)),
      torque_view_(new ChartView(dynamics_column_)),
      crankpin_view_(new ChartView(dynamics_column_)) {
    setWindowTitle(caption);
    setAttribute(Qt::WA_QuitOnClose, false);
    for (const NamedQuantity& q : chart_quantities) {
        quantity_box_->addItem(QString::fromUtf8(q.name.data(), static_cast<int>(q.name.size())),
                               QVariant::fromValue(int(q.quantity)));
    }
    quantity_box_->installEventFilter(this);
    auto* label = new QLabel("Crank-angle chart of the piston pins':", this);
    label->setBuddy(quantity_box_);
    refusal_->setWordWrap(true);
    refusal_->setAlignment(Qt::AlignCenter);
    refusal_->setMargin(20);
    refusal_->hide();

    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(quantity_box_);
    row->addStretch();
    auto* columns = new QHBoxLayout(this);
    auto* column = new QVBoxLayout;
    columns->addLayout(column, 1);
    column->addLayout(row);
    column->addWidget(crank_view_, 9);
    column->addWidget(balance_view_, 10);
    column->addWidget(refusal_, 10);
    auto* dynamics = new QVBoxLayout(dynamics_column_);
    dynamics->setContentsMargins(0, 0, 0, 0);
    dynamics->addWidget(torque_view_, 9);
    dynamics->addWidget(crankpin_view_, 10);
    columns->addWidget(dynamics_column_, 1);
    dynamics_column_->hide();
    resize(start_size);

    QObject::connect(quantity_box_, &QComboBox::currentIndexChanged, this, [this] {
        if (isVisible()) {
            catch_up();
            move_cursors();
        }
    });
}

void ChartsWindow::follow(const EngineDesign& design, double theta) {
    if (design_ != design) {
        design_ = design;
    }
    theta_ = theta;
    if (isVisible()) {
        catch_up();
        move_cursors();
    }
}

ChartQuantity ChartsWindow::chosen_quantity() const {
    return static_cast<ChartQuantity>(quantity_box_->currentData().toInt());
}

// Each chart is made and rendered again only when what it shows has changed.
void ChartsWindow::catch_up() {
    if (!design_) {
        return;
    }
    const EngineDesign& p = *design_;
    if (crank_for_ != p || crank_quantity_ != chosen_quantity()) {
        crank_for_ = p;
        crank_quantity_ = chosen_quantity();
        crank_chart_.emplace(p, crank_quantity_);
        curve_colours_.clear();
        for (int i = 1; i <= p.cylinders; ++i) {
            curve_colours_.push_back(colour_of(cylinder_colour(i, p.cylinders)));
        }
        crank_view_->show_chart(crank_chart_->svg());
    }
    if (balance_for_ != p) {
        balance_for_ = p;
        const EngineBalance balance = balance_engine(p, 1);
        const auto refusal = balance_refusal(balance);
        balance_view_->setVisible(!refusal);
        refusal_->setVisible(refusal.has_value());
        if (refusal) {
            balance_chart_.reset();
            refusal_->setText(QString::fromStdString("No balance chart: " + *refusal + "."));
        } else {
            balance_chart_.emplace(p, balance);
            balance_view_->show_chart(balance_chart_->svg());
        }
    }
    if (dynamics_for_ != p) {
        dynamics_for_ = p;
        const auto dynamics = EngineDynamics::of(p);
        const auto* made = std::get_if<EngineDynamics>(&dynamics);
        if (made == nullptr) {
            torque_chart_.reset();
            crankpin_chart_.reset();
        } else {
            const std::vector<CrankAngleDynamics> samples = cycle_samples(*made);
            torque_chart_.emplace(p, *made, samples);
            crankpin_chart_.emplace(p, *made, samples);
        }
        // The column widens the window by its own width when it comes, and gives it back when it
        // goes.
        const bool shown = dynamics_column_->isVisible();
        if (made != nullptr && !shown) {
            dynamics_column_->show();
            resize(width() * 2, height());
        } else if (made == nullptr && shown) {
            dynamics_column_->hide();
            resize(width() / 2, height());
        }
        if (made != nullptr) {
            torque_view_->show_chart(torque_chart_->svg());
            crankpin_view_->show_chart(crankpin_chart_->svg());
        }
    }
}

void ChartsWindow::move_cursors() {
    if (crank_chart_) {
        const CrankAngleChart::Cursor c = crank_chart_->cursor(theta_);
        const CrankChartLayout& layout = crank_chart_->layout();
        ChartCursor shown;
        shown.lines.emplace_back(c.x, layout.top, c.x, layout.bottom);
        for (std::size_t k = 0; k < c.crossings.size(); ++k) {
            if (const auto y = c.crossings[k]) {
                shown.dots.push_back({{c.x, *y}, curve_colours_[k]});
            }
        }
        crank_view_->set_cursor(std::move(shown));
    }
    if (balance_chart_) {
        const BalanceChart::Cursor c = balance_chart_->cursor(theta_);
        ChartCursor shown;
        shown.lines.emplace_back(balance_chart_->centre_x(), balance_chart_->centre_y(), c.x, c.y);
        static const QColor plain = colour_of(balance_plain_colour);
        static const QColor counterweight = colour_of(balance_counterweight_colour);
        shown.dots.push_back({{c.x, c.y}, plain});
        shown.dots.push_back({{c.counterweight_x, c.counterweight_y}, counterweight});
        balance_view_->set_cursor(std::move(shown));
    }
    if (torque_chart_ && crankpin_chart_) {
        const TorqueChart::Cursor t = torque_chart_->cursor(theta_);
        const CrankChartLayout& layout = torque_chart_->layout();
        ChartCursor torque;
        torque.lines.emplace_back(t.x, layout.top, t.x, layout.bottom);
        static const QColor gas = colour_of(torque_gas_colour);
        static const QColor inertia = colour_of(torque_inertia_colour);
        static const QColor total = colour_of(torque_total_colour);
        torque.dots = {
            {{t.x, t.gas_y}, gas}, {{t.x, t.inertia_y}, inertia}, {{t.x, t.total_y}, total}};
        torque_view_->set_cursor(std::move(torque));
        const CrankpinChart::Cursor c = crankpin_chart_->cursor(theta_);
        ChartCursor load;
        load.lines.emplace_back(crankpin_chart_->centre_x(), crankpin_chart_->centre_y(), c.x, c.y);
        static const QColor path = colour_of(crankpin_colour);
        load.dots.push_back({{c.x, c.y}, path});
        crankpin_view_->set_cursor(std::move(load));
    }
}

bool ChartsWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        return key_handler_(static_cast<QKeyEvent*>(event));
    }
    return QWidget::eventFilter(watched, event);
}

void ChartsWindow::keyPressEvent(QKeyEvent* event) {
    if (!key_handler_(event)) {
        QWidget::keyPressEvent(event);
    }
}

void ChartsWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    catch_up();
    move_cursors();
}

} // namespace radial
