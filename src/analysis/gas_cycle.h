#pragma once

#include "analysis/exact_piston.h"
#include "analysis/pin_table.h"
#include "core/engine_design.h"

#include <string>
#include <variant>
#include <vector>

namespace radial {

// The gas in each cylinder over the four-stroke cycle, an ideal-valve single-zone model:
//
// - intake: from 2 pi to 3 pi after the cylinder's firing TDC the pressure is the intake's, and
//   from pi to 2 pi (the exhaust stroke) the exhaust's; the valves open and close at the
//   half-turns, so the exhaust blows down at once when it opens;
// - closed from 3 pi to 5 pi after the firing (the compression and power strokes): polytropic,
//   p V^k constant, while the burn adds heat Q at the Wiebe rate
//       x(phi) = (1 - exp(-a y^(m+1))) / (1 - exp(-a)),   y = (phi - start) / duration,
//   a = 5, m = 2, so that  dp = -k p dV / V + (k - 1) Q dx / V,  which integrates exactly to
//       p V^k = p_ivc V_ivc^k + (k - 1) Q integral of V^(k-1) dx.
//
// The volume follows the cylinder's own piston: its clearance (the pin table's, from the bore
// and the master's compression ratio, with every head at the master's deck height) plus the
// bore's area times the piston pin's distance below its own TDC. Each cylinder burns heat in
// proportion to the volume it sweeps: Q for the master, Q times its stroke over the master's for
// the others.

// The model's numbers, resolved from a design: SI, angles in radians.
struct GasSettings {
    double intake = 0, exhaust = 0, crankcase = 0; // Pa
    double exponent = 0;                           // k
    double burn_start = 0, burn_duration = 0;      // from the firing TDC
    double master_heat = 0;                        // Q, J a cycle
};

// The Wiebe function's constants.
constexpr double wiebe_a = 5, wiebe_m = 2;

// Without heat_release, the master's heat is this many times the intake pressure times its
// swept volume (J): about the fuel heat of a full charge of petrol and air, less what the walls
// take (docs/radial-kinematics.md).
constexpr double heat_per_intake_volume = 24;

class CylinderGas {
public:
    // Cylinder row.cylinder's piston, firing at crank angle fires (radians in [0, 4 pi)), its
    // clearance volume (m^3) and the bore's area (m^2); metres in the design's unit.
    CylinderGas(const ExactPiston& piston, const PinTableRow& row, double fires, double clearance,
                double area, double metres, double heat, const GasSettings& settings);

    double volume(double theta) const;   // m^3
    double pressure(double theta) const; // Pa

    // The loop integral of p dV over one cycle (J), from the first law rather than by
    // quadrature: the closed phase's Q less the change in p V / (k - 1), and the exhaust's and
    // the intake's pressure times their changes in volume.
    double work() const;

    double fires() const { return fires_; }
    int cylinder() const { return cylinder_; }
    double swept_volume() const { return area_ * metres_ * stroke_; } // m^3
    double clearance() const { return clearance_; }
    double heat() const { return heat_; }

private:
    // Radians since the firing TDC, in [-pi, 3 pi): negative on the compression stroke.
    double from_firing(double theta) const;
    double closed_pressure(double from) const;
    double burn_integral(double from) const; // integral of V^(k-1) dx up to from
    double burn_integrand(double from) const;
    double pressure_times_volume_power(double from) const;

    ExactPiston piston_;
    int cylinder_;
    double tdc_height_, stroke_;
    double fires_;
    double clearance_, area_, metres_, heat_;
    GasSettings settings_;
    double start_volume_power_;  // p_ivc V_ivc^k
    std::vector<double> burned_; // burn_integral at the burn's piece ends
    double piece_ = 0;
};

// The gas settings of a design, with the defaults of every value it does not give; the master's
// swept volume in m^3 sets the default heat.
GasSettings gas_settings(const EngineDesign& design, double master_swept);

// Each cylinder's gas, 1..n, for a design with a bore, a compression ratio and a unit whose every
// rod reaches its axis; or what keeps it from having one, as the line a refusal prints
// ("compression_ratio: cylinder 4's piston rises into the head the master's ratio puts at its
// deck height").
std::variant<std::vector<CylinderGas>, std::string> engine_gas(const EngineDesign& design,
                                                               const std::vector<PinTableRow>& pins,
                                                               const std::vector<double>& fires);

// The design's values a gas cycle needs that it does not give: "bore", "compression_ratio",
// "units".
std::vector<std::string> missing_for_gas(const EngineDesign& design);

} // namespace radial
