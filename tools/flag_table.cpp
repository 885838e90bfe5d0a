#include "flag_table.h"

#include "controls/parameter_bars.h"
#include "core/engine_state.h"
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
    o.design.cylinders = n.value_or(0);
    return n && within_bar(static_cast<double>(*n), parameter_bars[cylinders_bar]) && *n % 2 == 1;
}

bool read_ls(ToolOptions& o, std::string_view text) {
    const auto value = read_real(text);
    o.design.rod_length = 2 * crank_radius * value.value_or(0);
    return within_bar(value, parameter_bars[rod_length_bar]);
}

bool read_rod_length(ToolOptions& o, std::string_view text) {
    const auto value = read_real(text);
    o.design.rod_length = value.value_or(0);
    return is_finite(value) && *value > crank_radius && *value <= 10000;
}

bool read_eccentricity(ToolOptions& o, std::string_view text) {
    const auto value = read_real(text);
    o.design.wrist_radius = crank_radius * value.value_or(0);
    return within_bar(value, parameter_bars[wrist_radius_bar]);
}

bool read_wrist_radius(ToolOptions& o, std::string_view text) {
    const auto value = read_real(text);
    o.design.wrist_radius = value.value_or(0);
    return is_finite(value) && *value >= 0;
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
    const std::pair<std::string_view, ChartQuantity> names[] = {
        {"distance", ChartQuantity::distance},
        {"velocity", ChartQuantity::velocity},
        {"acceleration", ChartQuantity::acceleration}};
    for (const auto& [name, quantity] : names) {
        if (text == name) {
            o.quantity = quantity;
            return true;
        }
    }
    return false;
}

bool read_orders(ToolOptions& o, std::string_view text) {
    const auto k = read_integer(text);
    o.orders = k.value_or(0);
    return k && *k >= 1 && *k <= 50;
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

std::vector<FlagRow> make_rows() {
    using M = ToolMode;
    const std::string_view rod = "the master rod length", wrist = "the wrist-pin circle radius";
    return {
        {.name = "--cylinders",
         .accepts = "an odd whole number from " + bar_range_text(parameter_bars[cylinders_bar]),
         .read = read_cylinders},
        {.name = "--ls",
         .accepts = "a finite number from " + bar_range_text(parameter_bars[rod_length_bar]) +
                    " (rod length over stroke)",
         .read = read_ls,
         .sets = rod},
        {.name = "--rod-length",
         .accepts = "a finite number greater than 50 and at most 10000",
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
        {.name = "--format",
         .accepts = "'text' or 'csv'",
         .read = read_format,
         .applies_to = {M::summary, M::balance}},
        {.name = "--quantity",
         .accepts = "'distance', 'velocity' or 'acceleration'",
         .read = read_quantity,
         .applies_to = {M::plot}},
        {.name = "--orders",
         .accepts = "a whole number from 1 to 50",
         .read = read_orders,
         .applies_to = {M::balance}},
        {.name = "--frames",
         .accepts = "a whole number from 2 to 2000",
         .read = read_frames,
         .applies_to = {M::animation}},
        {.name = "--vector", .read = read_vector, .applies_to = {M::picture, M::animation}},
        {.name = "--theta",
         .accepts = "a finite number of radians",
         .read = read_theta,
         .applies_to = {M::single_angle, M::picture}},
        {.name = "--version", .read = read_nothing},
    };
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
