#pragma once

#include "analysis/exact_piston.h"
#include "analysis/gas_cycle.h"
#include "analysis/pin_table.h"
#include "core/engine_design.h"

#include <string>
#include <variant>
#include <vector>

namespace radial {

// The engine's dynamics at its design speed, taken as steady, in SI units.
//
// Every moving mass is a point mass: at each piston pin the reciprocating mass and its rod's
// small-end share; at each wrist pin its link rod's big-end share; at the crankpin the master
// rod's big-end share and the rotating mass. A rod of mass m whose centre of mass is the
// fraction c of its length from the big end puts m c at its small end and m (1 - c) at its big
// end (the two-mass rod: its moment of inertia about its centre of mass is then m c (1 - c) L^2,
// which a real rod's is near). Every joint is frictionless, the crankcase is at the crankcase
// pressure, and the pistons slide on their axes.
//
// Torque, by virtual work, with x_j' and x_j'' each point's derivatives by crank angle and omega
// the crank's angular speed (so its acceleration is omega^2 x_j''):
//     T_gas     = -sum_i (p_i - p_crankcase) A t_i'
//     T_inertia = -omega^2 sum_j m_j x_j' . x_j''
// positive when it drives the crank forward, the way the crank angle grows.
//
// Loads, from each part's own balance: a piston along its axis gives its rod's force (a link rod,
// massless between its end masses, pushes only along itself); a wrist pin's load on the master
// rod is its link rod's push and its big end's inertia; the master rod's moments about the
// crankpin give the sideways part of its force at its piston pin; and the rods' forces together
// give the crankpin's load, whose forward part times the crank radius is the torque again.

// A force in the engine's plane, N: y along cylinder 1's axis, x a quarter turn clockwise from it
// (to the right as the picture shows the engine).
struct PlaneForce {
    double x = 0, y = 0;
};

struct EngineMasses {
    double master_piston = 0;  // at the master piston pin
    double link_piston = 0;    // at each link piston pin
    double link_big_end = 0;   // at each wrist pin
    double master_big_end = 0; // at the crankpin, loading it
    double rotating = 0;       // at the crankpin besides, with the crank
};

EngineMasses engine_masses(const EngineDesign& design);

// Everything at one crank angle. Cylinder lists are 1..n; link lists 2..n.
struct CrankAngleDynamics {
    double gas_torque = 0, inertia_torque = 0; // N m
    std::vector<double> volume, pressure;      // m^3, Pa; empty without a gas cycle
    PlaneForce master_pin;                     // the master rod's force on its piston pin
    std::vector<double> link_force;            // along each link rod, compression positive
    std::vector<PlaneForce> wrist_load;        // each wrist pin's load on the master rod
    PlaneForce crankpin;                       // the rods' load on the crankpin
    // The crankpin's load in the crank's own frame: outward along the crank arm, and forward
    // (the way the crankpin moves). At crank angle 0 the crank's frame is the engine's.
    double crankpin_radial = 0, crankpin_forward = 0;
};

class EngineDynamics {
public:
    // A design with speed_rpm, reciprocating_mass and units, each of whose rods reaches its axis
    // at every crank angle; with a gas cycle when it has a bore and a compression ratio. Else the
    // line its refusal prints.
    // Without with_gas, none even where the design could have one.
    static std::variant<EngineDynamics, std::string> of(const EngineDesign& design,
                                                        bool with_gas = true);

    CrankAngleDynamics at(double theta) const;
    // What every moving mass's inertia puts on the crankcase at crank angle theta: -omega^2 times
    // the sum of m x''.
    PlaneForce shaking_at(double theta) const;
    // The moving masses all together times the crank radius and omega^2, N: the shaking force's
    // natural size.
    double force_scale() const;

    int cylinders() const { return static_cast<int>(pistons_.size()); }
    bool has_gas() const { return !gas_.empty(); }
    const std::vector<CylinderGas>& gas() const { return gas_; }
    const std::vector<double>& firing_angles() const { return fires_; }
    const std::vector<PinTableRow>& pins() const { return pins_; }
    double omega() const { return omega_; } // rad/s
    // The mean torque over the cycle (N m): the gas's work over 4 pi; the inertia's is none.
    double mean_torque() const;

private:
    EngineDynamics() = default;

    std::vector<ExactPiston> pistons_;
    std::vector<PinTableRow> pins_;
    std::vector<double> fires_;
    std::vector<CylinderGas> gas_;
    EngineMasses masses_;
    double omega_ = 0, metres_ = 0, area_ = 0, crankcase_ = 0;
};

// The design's values the dynamics need that it does not give: "speed_rpm",
// "reciprocating_mass", "units".
std::vector<std::string> missing_for_dynamics(const EngineDesign& design);

} // namespace radial
