#pragma once

#include "core/engine_state.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace radial {

// A parameter bar, the minimum at the top: an arrow moves it by single_step, a click beside the
// thumb by page_step; start is where it stands when the window opens. Its setting counts down
// from base as its value v grows, in steps of 1 / per_unit: (base - v) / per_unit. name is the
// setting's name in the page's address.
struct BarRange {
    std::string_view name;
    int minimum, maximum, single_step, page_step, start;
    int base, per_unit;
};

// The cylinder count 38 - v (an even count is raised to the next odd one), 35 at the top down to
// 3; l/s (900 - v) / 200, 2.85 down to 1.25, the master rod length being l/s times the stroke 2r;
// the eccentricity (200 - v) / 100, 1.5 down to 0.7, the wrist-pin radius being it times r.
inline constexpr std::array<BarRange, 3> parameter_bars = {{
    {.name = "cylinders",
     .minimum = 3,
     .maximum = 35,
     .single_step = 2,
     .page_step = 2,
     .start = 25,
     .base = 38,
     .per_unit = 1},
    {.name = "ls",
     .minimum = 330,
     .maximum = 650,
     .single_step = 1,
     .page_step = 10,
     .start = 500,
     .base = 900,
     .per_unit = 200},
    {.name = "eccentricity",
     .minimum = 50,
     .maximum = 130,
     .single_step = 1,
     .page_step = 1,
     .start = 95,
     .base = 200,
     .per_unit = 100},
}};
inline constexpr std::size_t cylinders_bar = 0;
inline constexpr std::size_t rod_length_bar = 1;
inline constexpr std::size_t wrist_radius_bar = 2;

// The setting at the bottom and at the top of a bar: (base - maximum) / per_unit and
// (base - minimum) / per_unit.
double lowest_setting(const BarRange& bar);
double highest_setting(const BarRange& bar);

int cylinders_from_bar(int v);
double rod_length_from_bar(int v, double r);
double wrist_radius_from_bar(int v, double r);

// Where bar (an index into parameter_bars) stands for a design's setting: its cylinder count,
// l/s or eccentricity, the nearest of the bar's positions, at its nearest end where the setting
// lies beyond its range.
int bar_position(std::size_t bar, const EngineDesign& design);

// What a bar's handler does when bar (an index into parameter_bars) is moved to v: sets its one
// parameter in the record, at the animation's scale and in the record's design, which keeps its
// rule and unit; a new cylinder count drops the design's listed wrist-pin angles (the rule is then
// the animation's) and link rod lengths, which were for another count.
void set_from_bar(EngineState& s, std::size_t bar, int v);

} // namespace radial
