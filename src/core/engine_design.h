#pragma once

#include <optional>
#include <vector>

namespace radial {

// Where the wrist pins sit on the master rod's big end when no angles are listed, as a body
// angle b for cylinder i with axis angle a (radians from cylinder 1's axis): the animation's
// rule a + asin(rp sin a / d); even spacing, b = a; or level TDC, a + asin(r sin a / d), which
// puts every link piston's top dead centre at the master's height when the link rod is d - rp.
enum class PinRule { animation, even, level_tdc };

// The unit of a design's lengths: none (the animation's world units), or one of these.
enum class LengthUnit { none, mm, cm, m, in };

// One engine: what the mechanism, the analysis, the reports, the pictures, the window and the
// page all take. Lengths in the design's unit. Its default is the engine the
// animation starts with. The first three fields are the animation's three parameters, so that
// {n, d, rp} is the animation's engine of those.
struct EngineDesign {
    int cylinders = 11;         // n, odd, 3..35
    double rod_length = 200;    // d, the master rod: crankpin centre to master piston pin
    double wrist_radius = 52.5; // rp, crankpin centre to each wrist pin; 0 puts the rods on it
    double crank_radius = 50;   // r, half the master's stroke
    PinRule pin_rule = PinRule::animation;
    // Cylinders 2..n in order, when listed (the rule is then not used): each wrist pin's angle on
    // the master rod from the rod's own axis, in degrees as the design file writes them (so that
    // a file written reads back to the same design), and each link rod's length (rod_length -
    // wrist_radius when not listed).
    std::vector<double> pin_angles_deg{};
    std::vector<double> link_lengths{};
    LengthUnit unit = LengthUnit::none;
    std::optional<double> bore{};
    std::optional<double> compression_ratio{}; // the master cylinder's
    // How it runs, for its dynamics (analysis/engine_dynamics.h): in SI units, each none until
    // given. Its speed; the masses at each piston pin (piston, rings, pin), of each link rod and
    // of the master rod, each rod's split into a mass at either end by its centre of mass (the
    // fraction of its length from the big end), and the mass turning with the crankpin besides.
    std::optional<double> speed_rpm{}, reciprocating_mass{}, link_rod_mass{}, link_rod_centre{},
        master_rod_mass{}, master_rod_centre{}, rotating_mass{};
    // Its gas cycle (analysis/gas_cycle.h), each none for its default: pressures in Pa, the
    // start of the burn from each cylinder's firing TDC and its length in degrees, the heat the
    // master cylinder's burn releases in J.
    std::optional<double> intake_pressure{}, exhaust_pressure{}, crankcase_pressure{},
        polytropic_exponent{}, burn_start{}, burn_duration{}, heat_release{};

    friend bool operator==(const EngineDesign&, const EngineDesign&) = default;
};

// The design's limits, each relative to its crank radius where it is a length.
constexpr int fewest_cylinders = 3, most_cylinders = 35;
constexpr double smallest_crank_radius = 1e-6, largest_crank_radius = 1e6;
constexpr double longest_rod = 200; // crank radii
constexpr double largest_compression_ratio = 100;

// Metres in one of a unit; 0 for the animation's world units, which have none.
constexpr double metres_per_unit(LengthUnit unit) {
    switch (unit) {
    case LengthUnit::mm:
        return 1e-3;
    case LengthUnit::cm:
        return 1e-2;
    case LengthUnit::m:
        return 1;
    case LengthUnit::in:
        return 0.0254;
    case LengthUnit::none:
        break;
    }
    return 0;
}

} // namespace radial
