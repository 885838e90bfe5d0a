#include "analysis/engine_balance.h"
#include "analysis/engine_dynamics.h"
#include "analysis/four_stroke.h"
#include "analysis/torque_cycle.h"
#include "design/running_keys.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>

namespace radial {
namespace {
namespace dynamics_checks {

constexpr double pi = std::numbers::pi;

// A design in metres that runs: 0.05 m crank, 0.5 m rods (r/l 0.1), at 100 rad/s.
EngineDesign running(int cylinders, double wrist_radius) {
    EngineDesign d{cylinders, 0.5, wrist_radius, 0.05};
    d.unit = LengthUnit::m;
    d.speed_rpm = 3000 / pi;
    d.reciprocating_mass = 1.5;
    return d;
}

EngineDesign with_gas(EngineDesign d) {
    d.bore = 0.12;
    d.compression_ratio = 6;
    return d;
}

EngineDynamics dynamics_of(const EngineDesign& design) {
    auto made = EngineDynamics::of(design);
    EXPECT_TRUE(std::holds_alternative<EngineDynamics>(made)) << std::get<std::string>(made);
    return std::get<EngineDynamics>(std::move(made));
}

TEST(FourStroke, FiringOrderTakesTheOddCylindersThenTheEven) {
    EXPECT_EQ(firing_order(3), (std::vector<int>{1, 3, 2}));
    EXPECT_EQ(firing_order(9), (std::vector<int>{1, 3, 5, 7, 9, 2, 4, 6, 8}));
    const std::vector<int> order = firing_order(35);
    ASSERT_EQ(order.size(), 35U);
    EXPECT_EQ(order[17], 35);
    EXPECT_EQ(order[18], 2);
    EXPECT_EQ(order[34], 34);
}

// With every rod on the crankpin each cylinder tops out on its own axis angle, so the firings
// come every 4 pi / n exactly, the even cylinders a turn after their axes; and the strokes follow
// each other by half turns from the firing.
TEST(FourStroke, FiringsComeEvenlyAndTheStrokesFollowInTurn) {
    const EngineDynamics d = dynamics_of(running(9, 0));
    const std::vector<int> order = firing_order(9);
    for (std::size_t k = 0; k < order.size(); ++k) {
        EXPECT_NEAR(d.firing_angles()[order[k] - 1], 4 * pi * static_cast<double>(k) / 9, 1e-12)
            << order[k];
    }
    EXPECT_NEAR(d.firing_angles()[1], 2 * pi / 9 + 2 * pi, 1e-12);
    const struct {
        double theta;
        Stroke stroke;
    } strokes[] = {{0.01, Stroke::power},           {pi + 0.01, Stroke::exhaust},
                   {2 * pi + 0.01, Stroke::intake}, {3 * pi + 0.01, Stroke::compression},
                   {-0.01, Stroke::compression},    {4 * pi + 0.01, Stroke::power}};
    for (const auto& c : strokes) {
        EXPECT_EQ(stroke_at(1.0, 1.0 + c.theta), c.stroke) << c.theta;
    }
    EXPECT_NEAR(since_firing(1.0, 0.5), 4 * pi - 0.5, 1e-15);
}

// Without a burn, the charge closed in at the intake pressure at bottom dead centre is squeezed
// polytropically by the compression ratio: at TDC p = p_intake CR^k.
TEST(GasCycle, CompressionWithoutABurnReachesIntakeTimesRatioToTheK) {
    EngineDesign design = with_gas(running(5, 0.1));
    design.heat_release = 0;
    design.polytropic_exponent = 1.35;
    const EngineDynamics d = dynamics_of(design);
    const CylinderGas& master = d.gas().front();
    EXPECT_NEAR(master.pressure(master.fires()) / (1e5 * std::pow(6, 1.35)), 1, 1e-12);
    EXPECT_NEAR(master.volume(master.fires() + pi) / master.volume(master.fires()), 6, 1e-12);
    EXPECT_EQ(master.pressure(master.fires() + 1.5 * pi), 1.05e5);
    EXPECT_EQ(master.pressure(master.fires() + 2.5 * pi), 1e5);
}

// Gauss-Legendre, five points, over [a, b].
template <class F> double gauss(F f, double a, double b) {
    constexpr std::array<double, 5> x = {0, 0.5384693101056831, -0.5384693101056831,
                                         0.9061798459386640, -0.9061798459386640};
    constexpr std::array<double, 5> w = {0.5688888888888889, 0.4786286704993665, 0.4786286704993665,
                                         0.2369268850561891, 0.2369268850561891};
    double sum = 0;
    for (std::size_t k = 0; k < 5; ++k) {
        sum += w[k] * f((a + b) / 2 + (b - a) / 2 * x[k]);
    }
    return sum * (b - a) / 2;
}

// The energy balance: the gas torque's integral over the cycle, taken by quadrature between the
// valve events and the burns' ends, is the sum of each cylinder's loop work by the first law.
TEST(EngineDynamicsChecks, GasTorqueOverTheCycleIsTheCylindersLoopWork) {
    EngineDesign design = with_gas(running(7, 0.12));
    design.link_rod_mass = 0.8;
    const EngineDynamics d = dynamics_of(design);
    std::vector<double> events = {0, 4 * pi};
    double loops = 0;
    for (const CylinderGas& gas : d.gas()) {
        loops += gas.work();
        for (const double after : {pi, 2 * pi, 3 * pi, -pi / 12, -pi / 12 + 50 * pi / 180}) {
            events.push_back(within_cycle(gas.fires() + after));
        }
    }
    std::sort(events.begin(), events.end());
    double integral = 0;
    for (std::size_t k = 0; k + 1 < events.size(); ++k) {
        const int pieces = 1 + static_cast<int>((events[k + 1] - events[k]) / (pi / 360));
        const double step = (events[k + 1] - events[k]) / pieces;
        for (int j = 0; j < pieces; ++j) {
            integral += gauss([&](double theta) { return d.at(theta).gas_torque; },
                              events[k] + j * step, events[k] + (j + 1) * step);
        }
    }
    EXPECT_GT(loops, 0);
    EXPECT_NEAR(integral / loops, 1, 1e-6);
    EXPECT_NEAR(d.mean_torque() * 4 * pi / loops, 1, 1e-15);
}

// The inertia torque is the rate at which the moving masses' kinetic energy changes: nothing over
// a turn. Its samples' mean is exact to rounding for a smooth periodic torque.
TEST(EngineDynamicsChecks, InertiaTorqueAveragesToNothing) {
    EngineDesign design = running(9, 0.12);
    design.link_rod_mass = 0.9;
    design.master_rod_mass = 4;
    design.rotating_mass = 2;
    const EngineDynamics d = dynamics_of(design);
    double sum = 0, peak = 0;
    for (int j = 0; j < 720; ++j) {
        const double torque = d.at(2 * pi * j / 720).inertia_torque;
        sum += torque;
        peak = std::max(peak, std::abs(torque));
    }
    EXPECT_GT(peak, 10);
    EXPECT_LT(std::abs(sum / 720), 1e-9 * peak);
}

// A slider-crank of crank r and rod l at crank angle phi from its axis: the pin at
// x = r cos phi + sqrt(l^2 - r^2 sin^2 phi), its derivatives by phi.
struct SliderCrank {
    double r, l;
    double s(double phi) const { return std::sqrt(l * l - r * r * std::sin(phi) * std::sin(phi)); }
    double x1(double phi) const {
        return -r * std::sin(phi) - r * r * std::sin(phi) * std::cos(phi) / s(phi);
    }
    double x2(double phi) const {
        const double sin = std::sin(phi), cos = std::cos(phi);
        return -r * cos - r * r * (cos * cos - sin * sin) / s(phi) -
               std::pow(r * r * sin * cos, 2) / std::pow(s(phi), 3);
    }
};

// With every rod on the crankpin each cylinder is the textbook slider-crank: its inertia torque
// -m omega^2 x' x'' and its gas torque -(p - p_crankcase) A x'. At 90 degrees from its axis the
// master alone gives m omega^2 r^3 / sqrt(l^2 - r^2). Rotating masses add nothing.
TEST(EngineDynamicsChecks, RodsOnTheCrankpinAreTheTextbookSliderCranks) {
    EngineDesign design = with_gas(running(3, 0));
    design.rotating_mass = 3;
    const EngineDynamics d = dynamics_of(design);
    const SliderCrank crank{0.05, 0.5};
    const double omega = 100, m = 1.5, area = pi * 0.12 * 0.12 / 4;
    EXPECT_NEAR(d.omega(), omega, 1e-12);
    EXPECT_NEAR(-m * omega * omega * crank.x1(pi / 2) * crank.x2(pi / 2),
                m * omega * omega * std::pow(0.05, 3) / std::sqrt(0.25 - 0.0025), 1e-9);
    for (const double theta : {0.3, pi / 2, 2.0, 4.0, 7.5, 11.0}) {
        const CrankAngleDynamics at = d.at(theta);
        double inertia = 0, gas = 0;
        for (int i = 0; i < 3; ++i) {
            const double phi = theta - 2 * pi * i / 3;
            inertia += -m * omega * omega * crank.x1(phi) * crank.x2(phi);
            gas += -(at.pressure[i] - 1e5) * area * crank.x1(phi);
        }
        EXPECT_NEAR(at.inertia_torque, inertia, 1e-9 * std::abs(inertia) + 1e-9) << theta;
        EXPECT_NEAR(at.gas_torque, gas, 1e-9 * std::abs(gas) + 1e-9) << theta;
    }
}

// The rods' load on the crankpin, its forward part times the crank radius, is the torque again;
// on the crankpin at crank angle 0 (crank along cylinder 1's axis) outward is the engine's y.
TEST(EngineDynamicsChecks, CrankpinLoadGivesTheTorqueBack) {
    EngineDesign design = with_gas(running(9, 0.12));
    design.link_rod_mass = 0.9;
    design.master_rod_mass = 4;
    const EngineDynamics d = dynamics_of(design);
    for (const double theta : {0.0, 0.4, 1.9, 3.3, 6.0, 9.1, 12.5}) {
        const CrankAngleDynamics at = d.at(theta);
        const double torque = at.gas_torque + at.inertia_torque;
        EXPECT_NEAR(at.crankpin_forward * 0.05, torque, 1e-9 * (std::abs(torque) + 1000)) << theta;
        EXPECT_NEAR(std::hypot(at.crankpin_radial, at.crankpin_forward),
                    std::hypot(at.crankpin.x, at.crankpin.y), 1e-9 * std::abs(at.crankpin.y));
    }
    const CrankAngleDynamics top = d.at(0);
    EXPECT_NEAR(top.crankpin_radial, top.crankpin.y, 1e-9 * std::abs(top.crankpin.y));
    // Just after the master's firing its gas drives the crank forward.
    EXPECT_GT(d.at(0.3).gas_torque, 0);
}

// Three pistons of 2 kg (1.5 reciprocating and half of each 1 kg rod at 0.5) on the crankpin,
// with 3 kg turning with it (the master rod's 2 kg big end, each link's 0.5 kg and 1 kg more):
// forward order 1 is (3/2 2 + 3 + 1) r omega^2 = 3500 N; backward order 2 is 3/2 2 r omega^2 A2,
// A2 = lambda + lambda^3/4 + 15 lambda^5/128 with lambda = r / l = 0.1.
TEST(EngineBalance, ThreeCylindersInNewtonsAsByHand) {
    EngineDesign design = running(3, 0);
    design.link_rod_mass = 1;
    design.link_rod_centre = 0.5;
    design.master_rod_mass = 2.5;
    design.master_rod_centre = 0.2;
    design.rotating_mass = 1;
    const EngineBalance b = balance_engine(design, 2);
    ASSERT_TRUE(b.newtons);
    const RotatingForce primary = rotating_force(b.orders[0].forward);
    EXPECT_NEAR(primary.amplitude, 3500, 1e-6);
    EXPECT_EQ(primary.phase, 0);
    const double a2 = 0.1 + 1e-3 / 4 + 15e-5 / 128;
    EXPECT_NEAR(rotating_force(b.orders[1].backward).amplitude, 3 * 500 * a2, 1e-4);
    EXPECT_EQ(std::abs(b.orders[1].forward), 0);
    EXPECT_FALSE(balance_engine(EngineDesign{3, 10, 0}, 2).newtons);
}

// The flywheel keeps (largest - smallest speed) / mean within the fluctuation: halving the
// fluctuation doubles it; the torque's orders add back up to the torque.
TEST(TorqueCycle, FlywheelAndOrdersAgreeWithTheTorque) {
    EngineDesign design = with_gas(running(5, 0.1));
    design.link_rod_mass = 0.5;
    const EngineDynamics d = dynamics_of(design);
    const TorqueCycle loose = torque_cycle(d, 0.04), tight = torque_cycle(d, 0.02);
    EXPECT_NEAR(tight.flywheel / loose.flywheel, 2, 1e-12);
    EXPECT_NEAR(tight.flywheel, tight.energy_swing / (0.02 * 100 * 100), 1e-12 * tight.flywheel);
    EXPECT_NEAR(tight.power, tight.mean * 100, 1e-9 * tight.power);
    ASSERT_TRUE(tight.fluctuation_coefficient);
    EXPECT_NEAR(*tight.fluctuation_coefficient, (tight.largest - tight.smallest) / tight.mean,
                1e-12);
    const std::vector<TorqueOrder> orders = torque_orders(d, 40);
    ASSERT_EQ(orders.size(), 80U);
    EXPECT_EQ(orders[4].order, 2.5);
    for (const double theta : {0.5, 3.0, 10.0}) {
        double sum = d.mean_torque();
        for (const TorqueOrder& o : orders) {
            sum += o.amplitude * std::cos(o.order * theta + o.phase);
        }
        const CrankAngleDynamics at = d.at(theta);
        EXPECT_NEAR(sum, at.gas_torque + at.inertia_torque, 2e-3 * tight.largest) << theta;
    }
}

// What the dynamics need and do not have is named, in the design file's words.
TEST(EngineDynamics, RefusalsNameWhatIsMissing) {
    EngineDesign bare{9, 10, 2, 3};
    EXPECT_EQ(std::get<std::string>(EngineDynamics::of(bare)),
              "needs the design's speed_rpm, reciprocating_mass and units, which it does not give");
    EngineDesign unreachable = running(3, 0.3);
    unreachable.rod_length = 0.32;
    EXPECT_EQ(std::get<std::string>(EngineDynamics::of(unreachable)).substr(0, 10), "cylinder 2");
    EXPECT_EQ(missing_for_gas(running(3, 0)),
              (std::vector<std::string>{"bore", "compression_ratio"}));
}

// Each running key's bounds, open or closed as its range says, and the range as a refusal
// quotes it; nothing not finite.
TEST(RunningKeys, RangesTakeTheirBoundsAsTheySay) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        std::string_view key;
        double value;
        bool taken;
    } cases[] = {{"speed_rpm", 0, false},
                 {"speed_rpm", 100000, true},
                 {"speed_rpm", 100000.5, false},
                 {"reciprocating_mass", 0, true},
                 {"reciprocating_mass", -1e-9, false},
                 {"polytropic_exponent", 1, false},
                 {"polytropic_exponent", 2, true},
                 {"link_rod_centre", 1, true},
                 {"burn_start", -180, true},
                 {"intake_pressure", nan, false},
                 {"heat_release", std::numeric_limits<double>::infinity(), false}};
    for (const auto& c : cases) {
        EXPECT_EQ(within_range(running_key(c.key), c.value), c.taken) << c.key << " " << c.value;
    }
    EXPECT_EQ(running_range(running_key("speed_rpm")),
              "a number greater than 0 and at most 100000 (rpm)");
    EXPECT_EQ(running_range(running_key("link_rod_centre")), "a number from 0 to 1");
    EXPECT_EQ(running_flag(running_key("heat_release")), "--heat-release");
}

} // namespace dynamics_checks
} // namespace
} // namespace radial
