#include "report/dynamics_tables.h"

#include "analysis/crank_grid.h"
#include "analysis/four_stroke.h"
#include "analysis/torque_cycle.h"
#include "design/running_keys.h"
#include "report/aligned_table.h"
#include "report/angle_degrees.h"
#include "report/engine_description.h"
#include "report/pin_table.h"
#include "svg/number_text.h"
#include "svg/text_sink.h"
#include "svg/word_list.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace radial {

namespace {

constexpr double bar = 1e5;
constexpr double watts_per_horsepower = 745.699872; // mechanical horsepower

double cycle_degrees_of(double theta) {
    const double degrees = std::fmod(theta / radians_per_degree, 720);
    return degrees < 0 ? degrees + 720 : degrees;
}

std::string number(double value) {
    return shortest_text(value);
}

std::string cycle_angle_text(double theta) {
    const std::string text = fixed_text(cycle_degrees_of(theta), 1);
    return text == "720.0" ? "0.0" : text;
}

std::string running_line(const EngineDesign& d) {
    const auto value = [&](std::string_view key) { return number(running_value(d, key)); };
    return wrapped("Speed " + number(*d.speed_rpm) + " rpm; " + number(*d.reciprocating_mass) +
                   " kg reciprocating at each piston pin; link rods " + value("link_rod_mass") +
                   " kg and master rod " + value("master_rod_mass") +
                   " kg, their centres of mass " + value("link_rod_centre") + " and " +
                   value("master_rod_centre") + " of their lengths from the big end; " +
                   value("rotating_mass") + " kg turning with the crankpin besides.");
}

std::string gas_line(const EngineDesign& d, const std::vector<CylinderGas>& gas) {
    if (gas.empty()) {
        return wrapped("No gas cycle: the design gives no " + listed(missing_for_gas(d)) +
                       ", so the gas's part is 0.");
    }
    const auto pressure = [&](std::string_view key) {
        return number(running_value(d, key) / bar) + " bar";
    };
    const double start = running_value(d, "burn_start");
    return wrapped("Gas cycle: intake " + pressure("intake_pressure") + ", exhaust " +
                   pressure("exhaust_pressure") + ", crankcase " + pressure("crankcase_pressure") +
                   ", polytropic exponent " + number(running_value(d, "polytropic_exponent")) +
                   "; the burn from " + number(std::abs(start)) + " degrees " +
                   (start < 0 ? "before" : "after") + " each firing over " +
                   number(running_value(d, "burn_duration")) + " degrees, releasing " +
                   significant_text(gas.front().heat(), 4) + " J a cycle in the master cylinder.");
}

std::string csv_row(const std::vector<double>& values) {
    std::string row;
    for (std::size_t k = 0; k < values.size(); ++k) {
        row += (k == 0 ? "" : ",") + number(values[k]);
    }
    return row + "\n";
}

// The largest of a quantity over the fine cycle and where it comes.
struct Largest {
    double value = -HUGE_VAL;
    double at = 0;
    void take(double v, double theta) {
        if (v > value) {
            value = v;
            at = theta;
        }
    }
};

std::string newtons(double value) {
    return significant_text(value, 5);
}

} // namespace

std::string significant_text(double value, int digits) {
    if (value == 0 || !std::isfinite(value)) {
        return fixed_text(value, 0);
    }
    const int magnitude = static_cast<int>(std::floor(std::log10(std::abs(value))));
    return fixed_text(value, std::clamp(digits - 1 - magnitude, 0, 12));
}

std::vector<double> cycle_degrees(double step_degrees) {
    std::vector<double> degrees;
    for (long k = 0; static_cast<double>(k) * step_degrees < 720; ++k) {
        degrees.push_back(static_cast<double>(k) * step_degrees);
    }
    return degrees;
}

std::string dynamics_heading(const EngineDesign& design, const std::vector<CylinderGas>& gas,
                             bool with_running) {
    return engine_description(design) + ".\n" + (with_running ? running_line(design) : "") +
           gas_line(design, gas);
}

std::string firing_order_line(int cylinders) {
    std::string line;
    for (const int cylinder : firing_order(cylinders)) {
        line += (line.empty() ? "" : ", ") + std::to_string(cylinder);
    }
    return line;
}

std::string firing_order_report(const EngineDesign& design, TableFormat format, double theta) {
    const std::vector<PinTableRow> pins = pin_table(design);
    const std::vector<double> fires = firing_angles(pins);
    const std::vector<int> order = firing_order(design.cylinders);
    const bool csv = format == TableFormat::csv;
    std::vector<TableRow> rows = {{"cylinder", "fires deg", "offset deg",
                                   "stroke at " + fixed_text(cycle_degrees_of(theta), 1)}};
    std::string text = csv ? "cylinder,fires_deg,offset_deg,stroke\n" : "";
    for (std::size_t k = 0; k < order.size(); ++k) {
        const std::size_t i = static_cast<std::size_t>(order[k] - 1);
        const double nominal = 4 * std::numbers::pi * static_cast<double>(k) / design.cylinders;
        const double offset = fires[i] - nominal;
        const std::string_view stroke = stroke_name(stroke_at(fires[i], theta));
        if (csv) {
            text += std::to_string(order[k]) + "," + number(fires[i] / radians_per_degree) + "," +
                    number(offset_degrees(offset)) + "," + std::string(stroke) + "\n";
        } else {
            rows.push_back({std::to_string(order[k]), fixed_text(fires[i] / radians_per_degree, 3),
                            fixed_text(offset_degrees(offset), 3), std::string(stroke)});
        }
    }
    if (csv) {
        return text;
    }
    return firing_order_line(design.cylinders) + "\n" + engine_description(design) + ".\n" +
           wrapped("Each cylinder fires at its own top dead centre of compression, in turn every " +
                   number(720.0 / design.cylinders) +
                   " degrees of crank: the crank angle over the cycle of two turns from cylinder "
                   "1's firing (0 to 720 degrees), its offset from the cylinder's axis angle, and "
                   "its stroke at crank angle " +
                   fixed_text(cycle_degrees_of(theta), 1) + " degrees.") +
           "\n" + aligned_text(rows) + pin_table_lines(pins);
}

std::string cylinder_pressures_report(const EngineDesign& design,
                                      const std::vector<CylinderGas>& gas, TableFormat format,
                                      double step_degrees) {
    if (format == TableFormat::csv) {
        std::string text = "crank_deg,cylinder,volume,pressure\n";
        for (const double degrees : cycle_degrees(step_degrees)) {
            for (const CylinderGas& cylinder : gas) {
                const double theta = degrees * radians_per_degree;
                text += number(degrees) + "," + std::to_string(cylinder.cylinder()) + "," +
                        number(cylinder.volume(theta)) + "," + number(cylinder.pressure(theta)) +
                        "\n";
            }
        }
        return text;
    }
    const std::vector<PinTableRow> pins = pin_table(design);
    std::vector<TableRow> rows = {
        {"cylinder", "compression", "fires deg", "peak bar", "deg after TDC", "work J", "mep bar"}};
    for (const CylinderGas& cylinder : gas) {
        Largest peak;
        for (int j = 0; j < torque_samples / 2; ++j) {
            const double from = -std::numbers::pi + two_pi * j / (torque_samples / 2);
            peak.take(cylinder.pressure(cylinder.fires() + from), from);
        }
        const auto& ratio =
            pins[static_cast<std::size_t>(cylinder.cylinder() - 1)].compression_ratio;
        rows.push_back({std::to_string(cylinder.cylinder()), ratio ? fixed_text(*ratio, 3) : "",
                        fixed_text(cylinder.fires() / radians_per_degree, 3),
                        significant_text(peak.value / bar, 4),
                        fixed_text(peak.at / radians_per_degree, 1),
                        significant_text(cylinder.work(), 4),
                        significant_text(cylinder.work() / cylinder.swept_volume() / bar, 4)});
    }
    return dynamics_heading(design, gas, false) +
           wrapped("Each cylinder's gas over its cycle: the largest pressure and the crank angle "
                   "after its firing it comes at, the work of the loop of p dV, and the mean "
                   "effective pressure (that work over the swept volume).") +
           "\n" + aligned_text(rows);
}

std::string torque_report(const EngineDesign& design, const EngineDynamics& dynamics,
                          TableFormat format, double step_degrees, double speed_fluctuation) {
    if (format == TableFormat::csv) {
        std::string text = "crank_deg,gas,inertia,total\n";
        for (const double degrees : cycle_degrees(step_degrees)) {
            const CrankAngleDynamics d = dynamics.at(degrees * radians_per_degree);
            text +=
                csv_row({degrees, d.gas_torque, d.inertia_torque, d.gas_torque + d.inertia_torque});
        }
        return text;
    }
    const TorqueCycle t = torque_cycle(dynamics, speed_fluctuation);
    const auto torque = [](double value) { return significant_text(value, 5) + " N·m"; };
    const std::string coefficient = t.fluctuation_coefficient
                                        ? significant_text(*t.fluctuation_coefficient, 4) +
                                              " (largest less smallest, over the mean)"
                                        : "none: the mean torque is not positive";
    return dynamics_heading(design, dynamics.gas()) +
           wrapped("The torque at the crank over the four-stroke cycle (crank angle 0 to 720 "
                   "degrees from cylinder 1's firing), positive driving the crank forward. The "
                   "flywheel keeps the speed within the fluctuation given, the largest less the "
                   "smallest speed over the mean.") +
           "\n" + "Mean torque                 " + torque(t.mean) + "\n" +
           "Indicated power             " + significant_text(t.power / 1e3, 4) + " kW (" +
           significant_text(t.power / watts_per_horsepower, 4) + " hp)\n" +
           "Largest torque              " + torque(t.largest) + " at " +
           cycle_angle_text(t.largest_at) + " degrees\n" + "Smallest torque             " +
           torque(t.smallest) + " at " + cycle_angle_text(t.smallest_at) + " degrees\n" +
           "Coefficient of fluctuation  " + coefficient + "\n" + "Energy swing                " +
           significant_text(t.energy_swing, 4) + " J\n" + "Flywheel                    " +
           significant_text(t.flywheel, 4) + " kg·m² for a speed fluctuation of " +
           number(speed_fluctuation) + "\n";
}

std::string torque_orders_report(const EngineDesign& design, const EngineDynamics& dynamics,
                                 TableFormat format, int largest_order) {
    const std::vector<TorqueOrder> orders = torque_orders(dynamics, largest_order);
    if (format == TableFormat::csv) {
        std::string text = "order,amplitude,phase_deg\n";
        for (const TorqueOrder& o : orders) {
            text += number(o.order) + "," + number(o.amplitude) + "," +
                    number(crank_degrees(o.phase)) + "\n";
        }
        return text;
    }
    std::vector<TableRow> rows = {{"order", "amplitude N m", "phase deg"}};
    for (const TorqueOrder& o : orders) {
        rows.push_back({fixed_text(o.order, 1), significant_text(o.amplitude, 5),
                        crank_degrees_text(o.phase)});
    }
    return dynamics_heading(design, dynamics.gas()) +
           wrapped("The torque's harmonic orders over the four-stroke cycle: order q comes q times "
                   "a crank turn, in half orders; T = mean + sum of amplitude cos(q theta + "
                   "phase), theta the crank angle from cylinder 1's firing. The mean is " +
                   significant_text(dynamics.mean_torque(), 5) + " N·m.") +
           "\n" + aligned_text(rows);
}

std::string loads_report(const EngineDesign& design, const EngineDynamics& dynamics,
                         TableFormat format, double step_degrees) {
    const int n = dynamics.cylinders();
    if (format == TableFormat::csv) {
        std::string text = "crank_deg,master_pin_x,master_pin_y";
        for (int i = 2; i <= n; ++i) {
            text += ",link_" + std::to_string(i);
        }
        for (int i = 2; i <= n; ++i) {
            text += ",wrist_" + std::to_string(i) + "_x,wrist_" + std::to_string(i) + "_y";
        }
        text += ",crankpin,crankpin_radial,crankpin_forward\n";
        for (const double degrees : cycle_degrees(step_degrees)) {
            const CrankAngleDynamics d = dynamics.at(degrees * radians_per_degree);
            std::vector<double> row = {degrees, d.master_pin.x, d.master_pin.y};
            row.insert(row.end(), d.link_force.begin(), d.link_force.end());
            for (const PlaneForce& load : d.wrist_load) {
                row.push_back(load.x);
                row.push_back(load.y);
            }
            row.push_back(std::hypot(d.crankpin.x, d.crankpin.y));
            row.push_back(d.crankpin_radial);
            row.push_back(d.crankpin_forward);
            text += csv_row(row);
        }
        return text;
    }
    const auto count = static_cast<std::size_t>(n);
    std::vector<Largest> compression(count), tension(count), wrist(count);
    Largest crankpin, crankpin_least;
    double crankpin_mean = 0;
    const ExactPiston master(1, design);
    for (int j = 0; j < torque_samples; ++j) {
        const double theta = 2 * two_pi * j / torque_samples;
        const CrankAngleDynamics d = dynamics.at(theta);
        // The master rod's force along itself: on its piston pin, towards it from the crankpin.
        const ExactPiston::PinMotion c = master.pin_at(theta);
        const double along_x = -c.x, along_y = master.at(theta).distance - c.y;
        const double push =
            (d.master_pin.x * along_x + d.master_pin.y * along_y) / std::hypot(along_x, along_y);
        compression[0].take(push, theta);
        tension[0].take(-push, theta);
        for (std::size_t i = 1; i < count; ++i) {
            compression[i].take(d.link_force[i - 1], theta);
            tension[i].take(-d.link_force[i - 1], theta);
            wrist[i].take(std::hypot(d.wrist_load[i - 1].x, d.wrist_load[i - 1].y), theta);
        }
        const double load = std::hypot(d.crankpin.x, d.crankpin.y);
        crankpin.take(load, theta);
        crankpin_least.take(-load, theta);
        crankpin_mean += load / torque_samples;
    }
    std::vector<TableRow> rows = {
        {"cylinder", "compression N", "at deg", "tension N", "at deg", "wrist pin N", "at deg"}};
    for (std::size_t i = 0; i < count; ++i) {
        const auto pair = [](const Largest& l) -> std::pair<std::string, std::string> {
            if (l.value <= 0) {
                return {"", ""};
            }
            return {newtons(l.value), cycle_angle_text(l.at)};
        };
        const auto [c, c_at] = pair(compression[i]);
        const auto [t, t_at] = pair(tension[i]);
        const auto [w, w_at] = i == 0 ? std::pair<std::string, std::string>{} : pair(wrist[i]);
        rows.push_back({std::to_string(i + 1), c, c_at, t, t_at, w, w_at});
    }
    return dynamics_heading(design, dynamics.gas()) +
           wrapped("The largest loads over the four-stroke cycle (crank angle 0 to 720 degrees "
                   "from cylinder 1's firing): each rod's force along itself, pushing "
                   "(compression) and pulling (tension), the master rod's at its piston pin; each "
                   "wrist pin's load on the master rod.") +
           "\n" + aligned_text(rows) + "\nCrankpin load: largest " + newtons(crankpin.value) +
           " N at " + cycle_angle_text(crankpin.at) + " degrees, smallest " +
           newtons(-crankpin_least.value) + " N at " + cycle_angle_text(crankpin_least.at) +
           " degrees, mean " + newtons(crankpin_mean) + " N.\n";
}

} // namespace radial
