#pragma once

#include "core/engine_design.h"
#include "core/engine_parameters.h"
#include "core/engine_state.h"

namespace radial {

// Where cylinder i's (2..n) wrist pin sits on the master rod's big end: its body angle b,
// measured on the rod from the rod's own axis, at distance rp from the crankpin centre. With a
// the cylinder's axis angle 2 pi (i - 1) / n:
//
// - the animation's rule puts the pin, with the rod upright, where a rod of length d from it to
//   cylinder i's axis would meet the rod: b = a + asin(rp sin a / d);
// - even spacing: b = a, the simplest to machine;
// - level TDC: b = a + asin(r sin a / d). At crank angle a the crankpin C lies on i's axis and
//   the master rod leans by asin(r sin a / d), so the pin sits on i's axis at r + rp, and a link
//   rod of d - rp puts the piston at d + r, the master's top dead centre height; there, too, the
//   piston turns (its velocity is 0), so it is its top dead centre.
//
// Each asin is written atan(f / sqrt(d^2 - f^2)), as the animation writes it.
double rule_body_angle(PinRule rule, int i, int n, double r, double d, double rp, double pi);

// The animation's rule for the engine p at the animation's crank radius.
double body_angle(int i, EngineParameters p, double pi);

// The design's wrist-pin angle for cylinder i (2..n): listed, or by its rule; and the link rod's
// length, listed or d - rp. In the design's unit.
double wrist_pin_angle(const EngineDesign& design, int i);
// The same in degrees: as listed, or the rule's angle converted.
double wrist_pin_degrees(const EngineDesign& design, int i);
double link_rod_length(const EngineDesign& design, int i);

// Body angles and link rod lengths of cylinders 2..n into the pin table, from the record's n, r,
// d, rp and its design's rule or lists (the listed lengths at the animation's scale). Listed
// values that are not for n cylinders are not used.
void place_wrist_pins(EngineState& s);

} // namespace radial
