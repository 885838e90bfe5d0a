#include "kinematics_cli.h"

#include "descriptor_output.h"
#include "design/design_file.h"
#include "design/design_names.h"
#include "file_replacement.h"
#include "picture_output.h"
#include "report/balance_plot.h"
#include "report/balance_table.h"
#include "report/crank_angle_chart.h"
#include "report/crank_sweep.h"
#include "report/engine_description.h"
#include "report/pin_table.h"
#include "report/pins_at_angle.h"
#include "report/summary_table.h"
#include "svg/number_text.h"
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
                          --match-master AIM [--save-design FILE] [--format text|csv]]
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
                     pin_angles, link_lengths, units, bore, compression_ratio)
  --crank-radius R   the crank radius, half the master's stroke, 1e-06 to 1000000 (default 50);
                     the rod length must then be more than R and at most 200 R
  --pin-angles RULE  where the wrist pins sit on the master rod's big end: animation (the
                     default), even (each on its cylinder's axis angle) or level-tdc (every link
                     piston's top dead centre at the master's height)
  --bore B           the cylinders' bore, more than 0
  --compression-ratio C
                     the master cylinder's compression ratio, more than 1 and at most 100; with
                     --bore, the pin table gives every cylinder's own
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
Both write FILE whole or not at all, as --plot does, and print nothing.

A flag's value follows it as the next argument or after an equals sign (--cylinders=9); file
endings may be in either case (E.PNG). Give at most one of --sweep, --summary, --plot, --balance,
--balance-plot, --picture, --animation, --pin-table and --match-master; --theta belongs to the
single-angle output and --picture, --format to --summary, --balance, --pin-table and
--match-master, --quantity to --plot, --orders to --balance, --frames to --animation, --vector to
--picture and --animation, --save-design to --match-master. A design file that cannot be read,
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
