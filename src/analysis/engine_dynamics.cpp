#include "analysis/engine_dynamics.h"

#include "analysis/four_stroke.h"
#include "design/running_keys.h"
#include "svg/word_list.h"

#include <cmath>
#include <numbers>

namespace radial {

EngineMasses engine_masses(const EngineDesign& design) {
    const double reciprocating = running_value(design, "reciprocating_mass");
    const double link = running_value(design, "link_rod_mass");
    const double link_centre = running_value(design, "link_rod_centre");
    const double master = running_value(design, "master_rod_mass");
    const double master_centre = running_value(design, "master_rod_centre");
    return {.master_piston = reciprocating + master * master_centre,
            .link_piston = reciprocating + link * link_centre,
            .link_big_end = link * (1 - link_centre),
            .master_big_end = master * (1 - master_centre),
            .rotating = running_value(design, "rotating_mass")};
}

std::vector<std::string> missing_for_dynamics(const EngineDesign& design) {
    std::vector<std::string> missing;
    if (!design.speed_rpm) {
        missing.emplace_back("speed_rpm");
    }
    if (!design.reciprocating_mass) {
        missing.emplace_back("reciprocating_mass");
    }
    if (design.unit == LengthUnit::none) {
        missing.emplace_back("units");
    }
    return missing;
}

std::variant<EngineDynamics, std::string> EngineDynamics::of(const EngineDesign& design,
                                                             bool with_gas) {
    if (const auto missing = missing_for_dynamics(design); !missing.empty()) {
        return "needs the design's " + listed(missing) + ", which it does not give";
    }
    EngineDynamics dynamics;
    dynamics.pins_ = pin_table(design);
    for (const PinTableRow& row : dynamics.pins_) {
        if (!row.reaches) {
            return "cylinder " + std::to_string(row.cylinder) +
                   "'s rod cannot reach its axis at every crank angle, so the engine cannot run";
        }
    }
    dynamics.pistons_ = exact_pistons(design);
    dynamics.fires_ = radial::firing_angles(dynamics.pins_);
    dynamics.masses_ = engine_masses(design);
    dynamics.omega_ = *design.speed_rpm * 2 * std::numbers::pi / 60;
    dynamics.metres_ = metres_per_unit(design.unit);
    dynamics.crankcase_ = running_value(design, "crankcase_pressure");
    if (with_gas && missing_for_gas(design).empty()) {
        auto gas = engine_gas(design, dynamics.pins_, dynamics.fires_);
        if (auto* refusal = std::get_if<std::string>(&gas)) {
            return *refusal;
        }
        dynamics.gas_ = std::get<std::vector<CylinderGas>>(std::move(gas));
        const double bore = *design.bore * dynamics.metres_;
        dynamics.area_ = std::numbers::pi * bore * bore / 4;
    }
    return dynamics;
}

double EngineDynamics::mean_torque() const {
    double work = 0;
    for (const CylinderGas& cylinder : gas_) {
        work += cylinder.work();
    }
    return work / (4 * std::numbers::pi);
}

CrankAngleDynamics EngineDynamics::at(double theta) const {
    CrankAngleDynamics d;
    const double s = metres_, w2 = omega_ * omega_;
    const ExactPiston::PinMotion crankpin = pistons_.front().pin_at(theta);
    double point_work = 0;   // sum of m x' . x'', kg (design unit)^2
    double gas_work = 0;     // sum of (p - p_crankcase) A t', N (design unit)
    PlaneForce wrists;       // the wrist pins' loads on the master rod
    double wrist_moment = 0; // their moments about the crankpin centre, N m
    double master_axial = 0, master_height = 0;
    for (std::size_t i = 0; i < pistons_.size(); ++i) {
        const ExactPiston& piston = pistons_[i];
        const PistonMotion t = piston.at(theta);
        const double ux = std::sin(piston.axis()), uy = std::cos(piston.axis());
        double gas = 0;
        if (has_gas()) {
            d.pressure.push_back(gas_[i].pressure(theta));
            d.volume.push_back(gas_[i].volume(theta));
            gas = (d.pressure.back() - crankcase_) * area_;
        }
        gas_work += gas * t.velocity;
        const double mass = i == 0 ? masses_.master_piston : masses_.link_piston;
        point_work += mass * t.velocity * t.acceleration;
        // What the rod must push along the axis: the piston's inertia and the gas on it.
        const double axial = mass * w2 * t.acceleration * s + gas;
        if (i == 0) {
            master_axial = axial;
            master_height = t.distance;
            continue;
        }
        const ExactPiston::PinMotion k = piston.pin_at(theta);
        const double m = masses_.link_big_end;
        point_work += m * (k.dx * k.ddx + k.dy * k.ddy);
        const double ex = (t.distance * ux - k.x) / piston.rod();
        const double ey = (t.distance * uy - k.y) / piston.rod();
        const double push = axial / (ex * ux + ey * uy);
        d.link_force.push_back(push);
        const PlaneForce load{-push * ex - m * w2 * k.ddx * s, -push * ey - m * w2 * k.ddy * s};
        d.wrist_load.push_back(load);
        wrists.x += load.x;
        wrists.y += load.y;
        wrist_moment += ((k.x - crankpin.x) * load.y - (k.y - crankpin.y) * load.x) * s;
    }
    // The master rod, massless between its end masses: its moments about the crankpin centre.
    const double arm_x = -crankpin.x * s, arm_y = (master_height - crankpin.y) * s;
    d.master_pin = {(arm_x * master_axial - wrist_moment) / arm_y, master_axial};
    const double turning = masses_.master_big_end * w2 * s;
    d.crankpin = {wrists.x - d.master_pin.x + turning * crankpin.x,
                  wrists.y - d.master_pin.y + turning * crankpin.y};
    const double sin_theta = std::sin(theta), cos_theta = std::cos(theta);
    d.crankpin_radial = d.crankpin.x * sin_theta + d.crankpin.y * cos_theta;
    d.crankpin_forward = d.crankpin.x * cos_theta - d.crankpin.y * sin_theta;
    // Adding 0 turns a torque of -0 (no gas, or none at a dead centre) into 0.
    d.gas_torque = -gas_work * s + 0.0;
    d.inertia_torque = -w2 * point_work * s * s + 0.0;
    return d;
}

PlaneForce EngineDynamics::shaking_at(double theta) const {
    double x = 0, y = 0; // sum of m x'', kg (design unit)
    for (std::size_t i = 0; i < pistons_.size(); ++i) {
        const ExactPiston& piston = pistons_[i];
        const double mass = i == 0 ? masses_.master_piston : masses_.link_piston;
        const double acceleration = piston.at(theta).acceleration;
        x += mass * acceleration * std::sin(piston.axis());
        y += mass * acceleration * std::cos(piston.axis());
        if (i > 0) {
            const ExactPiston::PinMotion k = piston.pin_at(theta);
            x += masses_.link_big_end * k.ddx;
            y += masses_.link_big_end * k.ddy;
        }
    }
    // The crankpin's masses accelerate towards the crank centre: x'' = -x.
    const ExactPiston::PinMotion crankpin = pistons_.front().pin_at(theta);
    const double crank_masses = masses_.master_big_end + masses_.rotating;
    x -= crank_masses * crankpin.x;
    y -= crank_masses * crankpin.y;
    const double scale = -omega_ * omega_ * metres_;
    return {scale * x, scale * y};
}

double EngineDynamics::force_scale() const {
    const auto links = static_cast<double>(pistons_.size() - 1);
    const double mass = masses_.master_piston +
                        links * (masses_.link_piston + masses_.link_big_end) +
                        masses_.master_big_end + masses_.rotating;
    return mass * pistons_.front().crank() * metres_ * omega_ * omega_;
}

} // namespace radial
