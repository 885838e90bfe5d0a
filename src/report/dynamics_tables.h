#pragma once

#include "analysis/engine_dynamics.h"
#include "core/engine_design.h"
#include "report/table_format.h"

#include <string>
#include <vector>

namespace radial {

// The crank angles of a cycle's rows: 0, step, 2 step, ... below 720 degrees.
std::vector<double> cycle_degrees(double step_degrees);

// The firing order of so many cylinders as a line: "1, 3, 5, 2, 4".
std::string firing_order_line(int cylinders);

// The firing order on the first line ("1, 3, 5, ..."), then a row for each cylinder in that order:
// the crank angle it fires at over the cycle (0 to 720 degrees from cylinder 1's firing), its
// offset from its axis angle, and its stroke at crank angle theta. CSV: the table alone,
//   cylinder,fires_deg,offset_deg,stroke
std::string firing_order_report(const EngineDesign& design, TableFormat format, double theta);

// Each cylinder's gas over the cycle. CSV, a row for each cylinder at each angle:
//   crank_deg,cylinder,volume,pressure      (m^3, Pa)
// Text: a row for each cylinder: its compression ratio, its peak pressure and the crank angle
// after its firing it comes at, the loop's work and the mean effective pressure.
std::string cylinder_pressures_report(const EngineDesign& design,
                                      const std::vector<CylinderGas>& gas, TableFormat format,
                                      double step_degrees);

// The torque at the crank. CSV: crank_deg,gas,inertia,total (N m). Text: the mean, the indicated
// power, the largest and smallest torque, the coefficient of fluctuation, the energy swing and
// the flywheel that keeps the speed within speed_fluctuation.
std::string torque_report(const EngineDesign& design, const EngineDynamics& dynamics,
                          TableFormat format, double step_degrees, double speed_fluctuation);

// The torque's half orders up to largest_order. CSV: order,amplitude,phase_deg.
std::string torque_orders_report(const EngineDesign& design, const EngineDynamics& dynamics,
                                 TableFormat format, int largest_order);

// The loads on the rods and pins. CSV, a row for each angle:
//   crank_deg,master_pin_x,master_pin_y,link_2,...,link_n,wrist_2_x,wrist_2_y,...,
//   crankpin,crankpin_radial,crankpin_forward
// (N; a link rod's force along itself, compression positive; the master rod's force on its
// piston pin and each wrist pin's load on the master rod in the engine's frame; the crankpin's
// load, its size and its parts in the crank's frame). Text: each part's largest loads.
std::string loads_report(const EngineDesign& design, const EngineDynamics& dynamics,
                         TableFormat format, double step_degrees);

// The lines above each dynamics text: the design, how it runs (without_running: only its gas),
// and its gas cycle or why it has none.
std::string dynamics_heading(const EngineDesign& design, const std::vector<CylinderGas>& gas,
                             bool with_running = true);

// value to digits significant figures, fixed-point: 1234.5678 to 4 is "1235", 0.012345 "0.01235".
std::string significant_text(double value, int digits);

} // namespace radial
