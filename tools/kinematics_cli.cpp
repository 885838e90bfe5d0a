#include "kinematics_cli.h"

#include "analysis/four_stroke.h"
#include "descriptor_output.h"
#include "design/design_file.h"
#include "design/design_names.h"
#include "file_replacement.h"
#include "flag_table.h"
#include "picture_output.h"
#include "report/balance_plot.h"
#include "report/balance_table.h"
#include "report/crank_angle_chart.h"
#include "report/crank_sweep.h"
#include "report/dynamics_charts.h"
#include "report/dynamics_tables.h"
#include "report/engine_description.h"
#include "report/pin_table.h"
#include "report/pins_at_angle.h"
#include "report/summary_table.h"
#include "svg/number_text.h"
#include "svg/word_list.h"
#include "version.h"

#include <cstring>
#include <ostream>

namespace radial {

const char* const tool_usage =
    R"(Usage: radial-kinematics [--design FILE] [--cylinders N] [--crank-radius R]
                         [--rod-length D | --ls RATIO] [--wrist-radius RP | --eccentricity RATIO]
                         [--pin-angles RULE] [--bore B] [--compression-ratio C]
                         [--theta T | --sweep STEP | --summary [--format text|csv] |
                          --plot FILE [--quantity Q] |
                          --balance [--orders K] [--format text|csv] |
                          --balance-plot FILE | --picture FILE [--theta T] [--vector] |
                          --animation FILE [--frames N] [--vector] |
                          --pin-table [--format text|csv] |
                          --match-master AIM [--save-design FILE] [--format text|csv] |
                          --firing-order [--theta T] | --cylinder-pressures [--step DEG] |
                          --torque [--step DEG] [--fluctuation F] | --torque-orders [--orders K] |
                          --loads [--step DEG] | --torque-plot FILE | --crankpin-plot FILE]
                         [--speed-rpm N] [--reciprocating-mass KG] [and how it runs, below]
       radial-kinematics -h | --help | --version

Solves the radial engine exactly as the animation solves its frames: the animation's engine
(crank radius 50, in its world units), or a design of one's own in its own unit.

By default it prints where every piston pin sits at crank angle T, as CSV on standard output:
  cylinder,axis,wrist_x,wrist_y,piston_x,piston_y,distance,midpoints
Cylinder 1 is the master rod: its wrist columns hold the crankpin centre. The other cylinders'
piston distances come from the animation's bisection, with the number of midpoints it took.

  --cylinders N      odd number of cylinders, 3 to 35 (default 11)
  --rod-length D     master rod length, more than 50 and at most 10000 (default 200)
  --wrist-radius RP  wrist-pin circle radius, at least 0 and less than D (default 52.5)
  --ls RATIO         the rod length as the window shows it, l/s = D / 2r: 1.25 to 2.85
                     (D = 125 to 285), instead of --rod-length
  --eccentricity RATIO
                     the wrist-pin radius as the window shows it, RP / r: 0.7 to 1.5
                     (RP = 35 to 75), instead of --wrist-radius
  --theta T          crank angle in radians from cylinder 1's axis, clockwise (default 0);
                     only for the output above
  --design FILE      a design file (TOML): an engine of one's own, its lengths in its own unit;
                     the flags here set its values over the file's (docs/radial-kinematics.md
                     lists its keys: cylinders, crank_radius, rod_length, wrist_radius,
                     pin_angles, link_lengths, units, bore, compression_ratio, and the keys of
                     the flags of how it runs below, with _ for -)
  --crank-radius R   the crank radius, half the master's stroke, 1e-06 to 1000000 (default 50);
                     the rod length must then be more than R and at most 200 R
  --pin-angles RULE  where the wrist pins sit on the master rod's big end: animation (the
                     default), even (each on its cylinder's axis angle) or level-tdc (every link
                     piston's top dead centre at the master's height)
  --bore B           the cylinders' bore, more than 0
  --compression-ratio C
                     the master cylinder's compression ratio, more than 1 and at most 100; with
                     --bore, the pin table gives every cylinder's own
How the design runs, for its dynamics below, in SI units (each a design file key too):
  --speed-rpm N      the crank's steady speed, revolutions a minute, more than 0
  --reciprocating-mass KG
                     the mass at each piston pin: piston, rings and pin
  --link-rod-mass KG each link rod's mass (default 0)
  --link-rod-centre C
                     a link rod's centre of mass as the fraction of its length from the big end,
                     0 to 1 (default 0.35): it puts m C at the piston pin, m (1 - C) at the wrist
                     pin
  --master-rod-mass KG
                     the master rod's mass (default 0)
  --master-rod-centre C
                     the same for the master rod (default 0.25); its big-end share turns with
                     the crankpin
  --rotating-mass KG the mass turning with the crankpin besides (default 0)
  --intake-pressure PA
                     the gas cycle's intake pressure, Pa (default 100000)
  --exhaust-pressure PA
                     its exhaust pressure (default 105000)
  --crankcase-pressure PA
                     the pressure under the pistons (default 100000)
  --polytropic-exponent K
                     compression's and expansion's exponent, more than 1 and at most 2
                     (default 1.3)
  --burn-start DEG   where the burn starts, degrees from each cylinder's firing TDC (default
                     -15: before it)
  --burn-duration DEG
                     how long it burns, degrees (default 50); it must end by 180
  --heat-release J   the heat the master cylinder's burn releases a cycle (default 24 times the
                     intake pressure times its swept volume); the others' in proportion to their
                     strokes
  --help             print this text (-h does too)
  --version          print the program's name and version

Whole-revolution output instead:
  --sweep STEP       CSV at theta = 0, STEP, 2 STEP, ... below 2 pi (STEP in radians, > 0),
                     cylinders 1..N at each angle, at most 1000000 rows:
                       theta,cylinder,distance,exact_distance,velocity,acceleration
                     distance is the animation's bisection; exact_distance is where the link
                     rod's circle about its wrist pin meets the cylinder axis (the outer point),
                     empty where the rod cannot reach the axis; velocity and acceleration are its
                     derivatives by crank angle (per radian, per radian squared), worked out
                     analytically. Cylinder 1's distance and exact_distance are both the master
                     piston pin's height.
  --summary          a table, one row per cylinder, over one revolution: the stroke (largest
                     minus smallest exact distance) and its excess over the master's 2r = 100 in
                     percent; the crank angles of top and bottom dead centre (largest and
                     smallest exact distance) in degrees, found to well under 0.01 degree, with
                     their offsets from the cylinder's axis angle (bottom dead centre: from the
                     axis angle + 180); the largest difference between the animation's distance
                     and the exact one on a 0.1 degree grid; and whether the rod reaches its
                     axis at every crank angle. Where it does not, those fields are empty and
                     the text form lists the crank-angle ranges where it cannot.
  --format F         the summary or the balance as text (default: aligned columns, degrees
                     to one decimal) or csv (the table alone, full precision, header:
                     cylinder,stroke,stroke_excess_percent,tdc_deg,tdc_offset_deg,bdc_deg,
                     bdc_offset_deg,max_bisection_error,reaches
                     with angles in [0, 360), offsets in (-180, 180], reaches yes or no; for
                     the balance: order,forward,forward_phase_deg,backward,backward_phase_deg)
  --plot FILE        writes an SVG chart of every cylinder's exact distance (or --quantity)
                     against crank angle (0 to 360 degrees), one colour per cylinder with a
                     legend, broken where a rod cannot reach its axis. FILE ends in .svg and is
                     replaced whole or not at all (the chart goes to a new file beside it
                     first); nothing is printed.
  --quantity Q       what --plot plots against crank angle: distance (the default), velocity
                     or acceleration, the sweep's exact_distance, velocity and acceleration
                     columns
  --balance          the shaking force of the pistons (one mass m at each piston pin, the crank
                     turning steadily at ω) split into harmonic orders 1..K: at each order k a
                     force turning forward (with the crank) and one turning backward (against
                     it) at k times crank speed, their amplitudes in multiples of m r ω² and
                     their phases, the engine angles they point at when the crank angle is 0, in
                     degrees in [0, 360) clockwise from cylinder 1's axis. Worked out from the
                     exact piston accelerations, to 1e-9 m r ω². The text form adds the largest
                     force over a revolution and its crank angle, as it is and with a
                     counterweight that cancels the first-order forward force. An engine whose
                     link rods cannot reach their axes at every crank angle is refused, and so
                     is one whose rods come so near missing that the orders do not settle.
  --orders K         the balance's orders, a whole number from 1 to 50 (default 6)
  --balance-plot FILE
                     writes an SVG polar diagram of the shaking force over one revolution,
                     cylinder 1 up and angles clockwise: the path of its tip as it is and with
                     that counterweight. FILE ends in .svg and is replaced like --plot's.

A design's builder's table instead:
  --pin-table        a row per cylinder, the master first: each wrist pin's angle on the master
                     rod from its own axis in degrees and its hole's centre on the big end
                     (origin the crankpin centre, y along the master rod towards its piston pin,
                     x to the right at crank angle 0), the link rod's length, the crank angle of
                     top dead centre in [0, 360), the piston pin's distance from the crank centre
                     there and how far it falls short of the master's, the stroke and, with
                     --bore and --compression-ratio, the compression ratio with every head at
                     the master's deck height. --format csv: the table alone, full precision:
                       cylinder,pin_angle_deg,pin_x,pin_y,link_length,tdc_crank_deg,tdc_height,
                       tdc_shortfall,stroke,compression_ratio
                     empty fields for a rod that cannot reach its axis at every crank angle.
  --match-master AIM the wrist-pin angles that put every link piston's top dead centre at the
                     master's height (AIM tdc), and with it the link rod lengths that make every
                     stroke the master's (tdc,stroke); prints the pin table of the result. A
                     cylinder that cannot be matched is named on standard error with how near it
                     comes, and the status is then 1.
  --save-design FILE the design --match-master worked out, as a design file (FILE ends in .toml)
                     that --design reads back to the same table

The four-stroke cycle and the engine's dynamics instead (a cycle is two crank turns, 0 to 720
degrees of crank from cylinder 1's firing; docs/radial-kinematics.md gives the model):
  --firing-order     the firing order on the first line (1, 3, 5, ..., n, 2, 4, ..., n - 1), then
                     each cylinder's firing crank angle (its own compression TDC, from the pin
                     table), its offset from its axis angle and its stroke at crank angle T
                     (--theta). CSV: cylinder,fires_deg,offset_deg,stroke
  --cylinder-pressures
                     each cylinder's compression ratio, peak pressure, work and mean effective
                     pressure; needs units, bore and compression ratio. CSV, a row for each
                     cylinder at each angle: crank_deg,cylinder,volume,pressure (m³, Pa)
  --torque           the torque at the crank, positive driving it forward: the mean, the
                     indicated power, the largest and smallest, the coefficient of fluctuation
                     and the flywheel for a speed fluctuation (--fluctuation). Needs units,
                     --speed-rpm and --reciprocating-mass; without a bore and compression ratio
                     the gas's part is 0. CSV: crank_deg,gas,inertia,total (N·m)
  --torque-orders    the torque's orders 0.5, 1, 1.5, ... up to K (--orders; default the number of
                     cylinders) with amplitude (N·m) and phase. CSV: order,amplitude,phase_deg
  --loads            the largest force along each rod and load on each wrist pin and on the
                     crankpin. CSV, a row for each angle (N): crank_deg,master_pin_x,
                     master_pin_y, link_2..link_n (compression positive), wrist_2_x,wrist_2_y,
                     ..., crankpin,crankpin_radial,crankpin_forward (in the crank's own frame)
  --torque-plot FILE writes an SVG chart of the gas, inertia and total torque over the cycle, the
                     mean as a line and each firing marked with its cylinder's number
  --crankpin-plot FILE
                     writes an SVG polar diagram of the crankpin's load in the crank's frame
  --step DEG         the CSV rows' step in degrees of crank, 0.001 to 720 (default 1)
  --fluctuation F    the speed fluctuation the flywheel keeps within, (largest - smallest) over
                     the mean speed, more than 0 and at most 1 (default 0.02)

The window's picture instead, drawn by the animation's own code at the window's design size
(711 x 695 pixels), without its scroll bars and labels:
  --picture FILE     the picture at crank angle T (--theta, default 0) in steady running at the
                     window's start step of 0.05 radian a frame: what the window's drawing holds
                     after the frame that brings the crank to T, with the gaps that erasing
                     leaves in shapes drawn earlier. FILE ending in .png: those pixels, in the
                     window's colours; ending in .svg: the shapes on screen as lines and circles
                     on white, without the gaps. T is moved by whole four-stroke cycles (4 pi)
                     into (0, 4 pi], where the window keeps its crank angle.
  --animation FILE   one four-stroke cycle (the crank turning 4 pi) as a GIF that loops for ever
                     at 50 frames a second: frame k of N is the picture at crank angle
                     4 pi k / N in steady running at 4 pi / N a frame. FILE ends in .gif.
  --frames N         the animation's number of frames, 2 to 2000 (default 209: about the
                     window's 3 radians a second)
  --vector           the centroid vector on, as the window draws it after "c"
These and the two plots above write FILE whole or not at all, as --plot does, and print nothing.

A flag's value follows it as the next argument or after an equals sign (--cylinders=9); file
endings may be in either case (E.PNG). Give at most one of --sweep, --summary, --plot, --balance,
--balance-plot, --picture, --animation, --pin-table, --match-master and the dynamics' outputs;
--theta belongs to the single-angle output, --picture and --firing-order, --format to the tables,
--quantity to --plot, --orders to --balance and --torque-orders, --frames to --animation,
--vector to --picture and --animation, --save-design to --match-master, --step to the CSV of the
dynamics, --fluctuation to --torque. A dynamics output asked of a design without what it needs is
refused with one line naming what is missing. A design file that cannot be read,
is not TOML, has a key that is not the design's, or a value of the wrong type or out of range is
refused with one line naming the file, the line and the key.
Refused arguments, and files that cannot be written, print one line on standard error and exit
with 2; output that cannot be written, with 1, as does --match-master when it cannot match every
cylinder.
)";

namespace {

// The balance table or its polar diagram; status 2, with one line on err, for an engine whose
// balance cannot be reported.
int write_balance(const ToolOptions& o, std::ostream& out, std::ostream& err) {
    const bool plot = o.mode == ToolMode::balance_plot;
    const EngineBalance balance = balance_engine(o.design, plot ? 1 : o.orders);
    const char* flag = plot ? "--balance-plot" : "--balance";
    if (const auto refusal = balance_refusal(balance)) {
        err << "radial-kinematics: " << flag << ": " << *refusal << '\n';
        return 2;
    }
    if (plot) {
        return write_flag_file(flag, o.plot_path, balance_plot_svg(o.design, balance), err);
    }
    print_balance(o.design, o.format, balance, out);
    return 0;
}

// The design matched to the master, its pin table, each cylinder the match could not bring to
// the master's, and the design file when asked for; status 1 when a cylinder was not matched.
int write_match(const ToolOptions& o, std::ostream& out, std::ostream& err) {
    const MatchedDesign matched = match_master(o.design, o.match_aim);
    const std::string aim = o.match_aim == MasterMatch::tdc ? "tdc" : "tdc,stroke";
    if (!o.save_path.empty()) {
        const std::string comment =
            "Wrist-pin angles" +
            std::string(o.match_aim == MasterMatch::tdc ? "" : " and link rod lengths") +
            " matched to the master cylinder's top dead centre" +
            (o.match_aim == MasterMatch::tdc ? "" : " and stroke") +
            " by radial-kinematics --match-master " + aim + ",\nfor " +
            engine_description(o.design) + ".";
        if (const int status = write_flag_file("--save-design", o.save_path,
                                               design_file_text(matched.design, comment), err)) {
            return status;
        }
    }
    print_pin_table(matched.design, o.format, out);
    const int decimals = length_decimals(o.design);
    const auto length = [&](double value) {
        return fixed_text(value, decimals) + unit_suffix(o.design.unit);
    };
    for (const MatchMiss& miss : matched.misses) {
        err << "radial-kinematics: --match-master " << aim << ": cylinder " << miss.cylinder
            << " comes no nearer than a top dead centre " << length(miss.tdc_shortfall)
            << " below the master's"
            << (o.match_aim == MasterMatch::tdc
                    ? ""
                    : " and a stroke " + length(miss.stroke_excess) + " longer")
            << "\n";
    }
    return matched.misses.empty() ? 0 : 1;
}

// A dynamics output, or one line on err and status 2 for a design that cannot give it.
int write_dynamics(const ToolOptions& o, std::ostream& out, std::ostream& err) {
    const std::string flag(mode_flag(o.mode));
    if (o.mode == ToolMode::cylinder_pressures) {
        if (const auto missing = missing_for_gas(o.design); !missing.empty()) {
            err << "radial-kinematics: " << flag << ": needs the design's " << listed(missing)
                << ", which it does not give\n";
            return 2;
        }
        const std::vector<PinTableRow> pins = pin_table(o.design);
        auto gas = engine_gas(o.design, pins, firing_angles(pins));
        if (const auto* refusal = std::get_if<std::string>(&gas)) {
            err << "radial-kinematics: " << flag << ": " << *refusal << '\n';
            return 2;
        }
        out << cylinder_pressures_report(o.design, std::get<std::vector<CylinderGas>>(gas),
                                         o.format, o.step_degrees);
        return 0;
    }
    const auto made = EngineDynamics::of(o.design);
    if (const auto* refusal = std::get_if<std::string>(&made)) {
        err << "radial-kinematics: " << flag << ": " << *refusal << '\n';
        return 2;
    }
    const EngineDynamics& dynamics = std::get<EngineDynamics>(made);
    switch (o.mode) {
    case ToolMode::torque:
        out << torque_report(o.design, dynamics, o.format, o.step_degrees, o.speed_fluctuation);
        return 0;
    case ToolMode::torque_orders:
        out << torque_orders_report(o.design, dynamics, o.format,
                                    o.orders_given ? o.orders : o.design.cylinders);
        return 0;
    case ToolMode::loads:
        out << loads_report(o.design, dynamics, o.format, o.step_degrees);
        return 0;
    case ToolMode::torque_plot:
        return write_flag_file(flag, o.plot_path, TorqueChart(o.design, dynamics).svg(), err);
    default:
        break;
    }
    return write_flag_file(flag, o.plot_path, CrankpinChart(o.design, dynamics).svg(), err);
}

// The chosen output (or the usage), or one line on err; returns the exit status.
int write_output(std::span<const std::string_view> args, std::ostream& out, std::ostream& err) {
    const auto parsed = parse_arguments(args);
    if (const auto* error = std::get_if<UsageError>(&parsed)) {
        err << "radial-kinematics: " << error->message << '\n';
        return 2;
    }
    const auto& options = std::get<ToolOptions>(parsed);
    if (options.help) {
        out << tool_usage;
        return 0;
    }
    if (options.version) {
        out << "radial-kinematics " << project_version << '\n';
        return 0;
    }
    switch (options.mode) {
    case ToolMode::sweep:
        print_sweep(options.design, options.sweep_step, out);
        return 0;
    case ToolMode::summary:
        print_summary(options.design, options.format, out);
        return 0;
    case ToolMode::plot:
        return write_flag_file("--plot", options.plot_path,
                               CrankAngleChart(options.design, options.quantity).svg(), err);
    case ToolMode::balance:
    case ToolMode::balance_plot:
        return write_balance(options, out, err);
    case ToolMode::picture:
        return write_picture(options, err);
    case ToolMode::animation:
        return write_animation(options, err);
    case ToolMode::pin_table:
        print_pin_table(options.design, options.format, out);
        return 0;
    case ToolMode::match_master:
        return write_match(options, out, err);
    case ToolMode::firing_order:
        out << firing_order_report(options.design, options.format, options.theta);
        return 0;
    case ToolMode::cylinder_pressures:
    case ToolMode::torque:
    case ToolMode::torque_orders:
    case ToolMode::loads:
    case ToolMode::torque_plot:
    case ToolMode::crankpin_plot:
        return write_dynamics(options, out, err);
    case ToolMode::single_angle:
        break;
    }
    print_pins(options.design, options.theta, out);
    return 0;
}

} // namespace

int run_tool(std::span<const std::string_view> args, std::ostream& out, std::ostream& err) {
    const int status = write_output(args, out, err);
    if (out.flush()) {
        return status;
    }
    err << "radial-kinematics: could not write the output";
    const auto* descriptor = dynamic_cast<const DescriptorBuffer*>(out.rdbuf());
    if (descriptor != nullptr && descriptor->error() != 0) {
        err << ": " << std::strerror(descriptor->error());
    }
    err << '\n';
    return 1;
}

} // namespace radial
