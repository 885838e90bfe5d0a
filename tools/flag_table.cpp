#include "flag_table.h"

#include "controls/parameter_bars.h"
#include "core/engine_state.h"
#include "design/design_names.h"
#include "design/running_keys.h"
#include "number_parsing.h"
#include "picture_arguments.h"
#include "svg/number_text.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace radial {

namespace {

bool is_finite(const std::optional<double>& value) {
    return value && std::isfinite(*value);
}

// A finite value from the setting at the bottom to the one at the top of a window's bar.
bool within_bar(const std::optional<double>& value, const BarRange& bar) {
    return is_finite(value) && *value >= lowest_setting(bar) && *value <= highest_setting(bar);
}

std::string bar_range_text(const BarRange& bar) {
    return shortest_text(lowest_setting(bar)) + " to " + shortest_text(highest_setting(bar));
}

bool read_cylinders(ToolOptions& o, std::string_view text) {
    const auto n = read_integer(text);
    o.design_flags.cylinders = n.value_or(0);
    return n && within_bar(static_cast<double>(*n), parameter_bars[cylinders_bar]) && *n % 2 == 1;
}

bool read_ls(ToolOptions& o, std::string_view text) {
    o.design_flags.ls = read_real(text);
    return within_bar(o.design_flags.ls, parameter_bars[rod_length_bar]);
}

// Against the animation's crank radius as it is read; against the design's once it is whole
// when the crank radius may be another.
bool read_rod_length(ToolOptions& o, std::string_view text) {
    const auto value = read_real(text);
    o.design_flags.rod_length = value;
    if (o.crank_radius_given) {
        return is_finite(value) && *value > 0;
    }
    return is_finite(value) && *value > crank_radius && *value <= longest_rod * crank_radius;
}

bool read_eccentricity(ToolOptions& o, std::string_view text) {
    o.design_flags.eccentricity = read_real(text);
    return within_bar(o.design_flags.eccentricity, parameter_bars[wrist_radius_bar]);
}

bool read_wrist_radius(ToolOptions& o, std::string_view text) {
    const auto value = read_real(text);
    o.design_flags.wrist_radius = value;
    return is_finite(value) && *value >= 0;
}

bool read_design_path(ToolOptions& o, std::string_view text) {
    o.design_path = text;
    return !text.empty();
}

bool read_crank_radius(ToolOptions& o, std::string_view text) {
    const auto value = read_real(text);
    o.design_flags.crank_radius = value;
    return is_finite(value) && *value >= smallest_crank_radius && *value <= largest_crank_radius;
}

bool read_pin_angles(ToolOptions& o, std::string_view text) {
    o.design_flags.pin_rule = rule_named(text);
    return o.design_flags.pin_rule.has_value();
}

bool read_bore(ToolOptions& o, std::string_view text) {
    o.design_flags.bore = read_real(text);
    return is_finite(o.design_flags.bore) && *o.design_flags.bore > 0;
}

bool read_compression_ratio(ToolOptions& o, std::string_view text) {
    const auto value = read_real(text);
    o.design_flags.compression_ratio = value;
    return is_finite(value) && *value > 1 && *value <= largest_compression_ratio;
}

bool read_match_aim(ToolOptions& o, std::string_view text) {
    o.match_aim = text == "tdc,stroke" ? MasterMatch::tdc_and_stroke : MasterMatch::tdc;
    return text == "tdc" || text == "tdc,stroke";
}

bool read_save_path(ToolOptions& o, std::string_view text) {
    o.save_path = text;
    return has_ending(text, ".toml");
}

bool read_theta(ToolOptions& o, std::string_view text) {
    const auto value = read_real(text);
    o.theta = value.value_or(0);
    return is_finite(value);
}

bool read_sweep(ToolOptions& o, std::string_view text) {
    const auto value = read_real(text);
    o.sweep_step = value.value_or(0);
    return is_finite(value) && *value > 0;
}

bool read_format(ToolOptions& o, std::string_view text) {
    o.format = text == "csv" ? TableFormat::csv : TableFormat::text;
    return text == "csv" || text == "text";
}

bool read_plot_path(ToolOptions& o, std::string_view text) {
    o.plot_path = text;
    return has_ending(text, ".svg");
}

bool read_quantity(ToolOptions& o, std::string_view text) {
    for (const NamedQuantity& q : chart_quantities) {
        if (text == q.name) {
            o.quantity = q.quantity;
            return true;
        }
    }
    return false;
}

// "'distance', 'velocity' or 'acceleration'".
std::string quantity_names() {
    std::string text;
    const std::size_t count = std::size(chart_quantities);
    for (std::size_t k = 0; k < count; ++k) {
        text += (k == 0 ? "" : k + 1 == count ? " or " : ", ");
        text += "'" + std::string(chart_quantities[k].name) + "'";
    }
    return text;
}

bool read_orders(ToolOptions& o, std::string_view text) {
    const auto k = read_integer(text);
    o.orders = k.value_or(0);
    o.orders_given = true;
    return k && *k >= 1 && *k <= 50;
}

bool read_step(ToolOptions& o, std::string_view text) {
    const auto value = read_real(text);
    o.step_degrees = value.value_or(0);
    return is_finite(value) && *value >= 0.001 && *value <= 720;
}

bool read_fluctuation(ToolOptions& o, std::string_view text) {
    const auto value = read_real(text);
    o.speed_fluctuation = value.value_or(0);
    return is_finite(value) && *value > 0 && *value <= 1;
}

bool read_picture_path(ToolOptions& o, std::string_view text) {
    o.picture_path = text;
    return has_ending(text, ".png") || has_ending(text, ".svg");
}

bool read_animation_path(ToolOptions& o, std::string_view text) {
    o.picture_path = text;
    return has_ending(text, ".gif");
}

bool read_frames(ToolOptions& o, std::string_view text) {
    const auto frames = read_integer(text);
    o.frames = frames.value_or(0);
    return frames && *frames >= min_animation_frames && *frames <= max_animation_frames;
}

bool read_vector(ToolOptions& o, std::string_view) {
    o.vector = true;
    return true;
}

bool read_nothing(ToolOptions&, std::string_view) {
    return true;
}

// A flag for each value of how the design runs, after the design's other flags.
void add_running_rows(std::vector<FlagRow>& rows) {
    const auto keys = running_keys();
    const auto after = std::find_if(rows.begin(), rows.end(),
                                    [](const FlagRow& row) { return row.name == "--sweep"; });
    std::vector<FlagRow> running;
    for (std::size_t k = 0; k < keys.size(); ++k) {
        const RunningKey& key = keys[k];
        running.push_back({.name = running_flag(key),
                           .accepts = running_range(key),
                           .read = [k, &key](ToolOptions& o, std::string_view text) {
                               const auto value = read_real(text);
                               o.design_flags.running[k] = value;
                               return value && within_range(key, *value);
                           }});
    }
    rows.insert(after, running.begin(), running.end());
}

std::vector<FlagRow> make_rows() {
    using M = ToolMode;
    const std::string_view rod = "the master rod length", wrist = "the wrist-pin circle radius";
    std::vector<FlagRow> rows{
        {.name = "--design",
         .accepts = "a design file's path",
         .read = read_design_path,
         .path = true},
        {.name = "--cylinders",
         .accepts = "an odd whole number from " + bar_range_text(parameter_bars[cylinders_bar]),
         .read = read_cylinders},
        {.name = "--ls",
         .accepts = "a finite number from " + bar_range_text(parameter_bars[rod_length_bar]) +
                    " (rod length over stroke)",
         .read = read_ls,
         .sets = rod},
        {.name = "--rod-length",
         .accepts = "a finite number greater than " + shortest_text(crank_radius) +
                    " and at most " + shortest_text(longest_rod * crank_radius),
         .read = read_rod_length,
         .sets = rod},
        {.name = "--eccentricity",
         .accepts = "a finite number from " + bar_range_text(parameter_bars[wrist_radius_bar]) +
                    " (wrist radius over crank radius)",
         .read = read_eccentricity,
         .sets = wrist},
        {.name = "--wrist-radius",
         .accepts = std::string(wrist_radius_accepts),
         .read = read_wrist_radius,
         .sets = wrist},
        {.name = "--crank-radius",
         .accepts = "a finite number from 1e-06 to 1000000",
         .read = read_crank_radius},
        {.name = "--pin-angles",
         .accepts = "'animation', 'even' or 'level-tdc'",
         .read = read_pin_angles},
        {.name = "--bore", .accepts = "a finite number greater than 0", .read = read_bore},
        {.name = "--compression-ratio",
         .accepts = "a finite number greater than 1 and at most 100",
         .read = read_compression_ratio},
        {.name = "--sweep",
         .accepts = "a finite step in radians greater than 0",
         .read = read_sweep,
         .mode = M::sweep},
        {.name = "--summary", .read = read_nothing, .mode = M::summary},
        {.name = "--plot",
         .accepts = "a path ending in .svg",
         .read = read_plot_path,
         .mode = M::plot,
         .path = true},
        {.name = "--balance", .read = read_nothing, .mode = M::balance},
        {.name = "--balance-plot",
         .accepts = "a path ending in .svg",
         .read = read_plot_path,
         .mode = M::balance_plot,
         .path = true},
        {.name = "--picture",
         .accepts = "a path ending in .png or .svg",
         .read = read_picture_path,
         .mode = M::picture,
         .path = true},
        {.name = "--animation",
         .accepts = "a path ending in .gif",
         .read = read_animation_path,
         .mode = M::animation,
         .path = true},
        {.name = "--pin-table", .read = read_nothing, .mode = M::pin_table},
        {.name = "--match-master",
         .accepts = "'tdc' or 'tdc,stroke'",
         .read = read_match_aim,
         .mode = M::match_master},
        {.name = "--firing-order", .read = read_nothing, .mode = M::firing_order},
        {.name = "--cylinder-pressures", .read = read_nothing, .mode = M::cylinder_pressures},
        {.name = "--torque", .read = read_nothing, .mode = M::torque},
        {.name = "--torque-orders", .read = read_nothing, .mode = M::torque_orders},
        {.name = "--loads", .read = read_nothing, .mode = M::loads},
        {.name = "--torque-plot",
         .accepts = "a path ending in .svg",
         .read = read_plot_path,
         .mode = M::torque_plot,
         .path = true},
        {.name = "--crankpin-plot",
         .accepts = "a path ending in .svg",
         .read = read_plot_path,
         .mode = M::crankpin_plot,
         .path = true},
        {.name = "--step",
         .accepts = "a finite number of degrees from 0.001 to 720",
         .read = read_step,
         .applies_to = {M::cylinder_pressures, M::torque, M::loads}},
        {.name = "--fluctuation",
         .accepts = "a finite number greater than 0 and at most 1",
         .read = read_fluctuation,
         .applies_to = {M::torque}},
        {.name = "--save-design",
         .accepts = "a path ending in .toml",
         .read = read_save_path,
         .applies_to = {M::match_master},
         .path = true},
        {.name = "--format",
         .accepts = "'text' or 'csv'",
         .read = read_format,
         .applies_to = {M::summary, M::balance, M::pin_table, M::match_master, M::firing_order,
                        M::cylinder_pressures, M::torque, M::torque_orders, M::loads}},
        {.name = "--quantity",
         .accepts = quantity_names(),
         .read = read_quantity,
         .applies_to = {M::plot}},
        {.name = "--orders",
         .accepts = "a whole number from 1 to 50",
         .read = read_orders,
         .applies_to = {M::balance, M::torque_orders}},
        {.name = "--frames",
         .accepts = "a whole number from 2 to 2000",
         .read = read_frames,
         .applies_to = {M::animation}},
        {.name = "--vector", .read = read_vector, .applies_to = {M::picture, M::animation}},
        {.name = "--theta",
         .accepts = "a finite number of radians",
         .read = read_theta,
         .applies_to = {M::single_angle, M::picture, M::firing_order}},
        {.name = "--version", .read = read_nothing},
    };
    add_running_rows(rows);
    return rows;
}

} // namespace

std::span<const FlagRow> flag_rows() {
    static const std::vector<FlagRow> rows = make_rows();
    return rows;
}

const FlagRow* find_flag_row(std::string_view name) {
    const auto rows = flag_rows();
    const auto it =
        std::find_if(rows.begin(), rows.end(), [name](const FlagRow& f) { return f.name == name; });
    return it == rows.end() ? nullptr : &*it;
}

std::string_view mode_flag(ToolMode mode) {
    for (const FlagRow& row : flag_rows()) {
        if (row.mode == mode) {
            return row.name;
        }
    }
    return {};
}

} // namespace radial
