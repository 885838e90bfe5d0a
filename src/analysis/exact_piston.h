#pragma once

#include "core/engine_design.h"

#include <vector>

namespace radial {

// One cylinder's piston pin in closed form, as a function of crank angle theta (radians).
//
// The rod of length L runs from the pin K on the master rod's big end to the piston pin
// P = t u on the cylinder axis u = (sin a, cos a). For cylinders 2..n, K is the wrist pin at
// radius rp and body angle b from the crankpin centre C, K = C + rp (sin(b - beta), cos(b - beta)),
// and L = d - rp; for cylinder 1 (the master), K = C and L = d. With p = K.u and w = K.v the
// distance of K from the axis line (v = (cos a, -sin a)),
//
//     |t u - K| = L   =>   t = p + sqrt(L^2 - w^2)   (the outer root)
//
// and the rod cannot reach the axis where L^2 < w^2. Lengths in the design's unit.
struct PistonMotion {
    bool reaches = false;
    double distance = 0;     // t, from the crank centre
    double velocity = 0;     // dt / dtheta, per radian; infinite where L = |w|
    double acceleration = 0; // d2t / dtheta2, per radian squared; infinite where L = |w|
};

class ExactPiston {
public:
    // Cylinder i (1..n) of a design.
    ExactPiston(int i, const EngineDesign& design);
    // Link cylinder i (2..n) of a design, its wrist pin at body angle body (radians) and its link
    // rod length rod instead of the design's.
    ExactPiston(int i, const EngineDesign& design, double body, double rod);

    PistonMotion at(double theta) const;

    // L^2 - w^2 (the unit squared): negative exactly where the rod cannot reach its axis.
    double reach_margin(double theta) const;

    // p: the point of the axis nearest the pin K, where the piston sits when L = |w|.
    double nearest_axis_point(double theta) const;

    // K and its first two derivatives by crank angle at theta. K is placed exactly as
    // solve_link_rod places the wrist pin (the crankpin centre for cylinder 1).
    struct PinMotion {
        double x, y;     // the design's unit
        double dx, dy;   // per radian
        double ddx, ddy; // per radian squared
    };
    PinMotion pin_at(double theta) const;

    double crank() const { return r_; }
    double axis() const { return axis_; }
    double rod() const { return rod_; }

private:
    double r_;
    double d_;
    double offset_; // rp, or 0 for the master
    double rod_;    // L
    double body_;   // b, radians; 0 for the master
    double axis_;   // a, radians
    double sin_axis_;
    double cos_axis_;
};

// The pistons of cylinders 1..n, in that order.
std::vector<ExactPiston> exact_pistons(const EngineDesign& design);

} // namespace radial
