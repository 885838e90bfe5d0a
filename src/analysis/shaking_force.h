#pragma once

#include "analysis/exact_piston.h"

#include <complex>
#include <functional>
#include <vector>

namespace radial {

// A vector in the plane of the engine as a complex number in the engine's own angle convention:
// the real part along cylinder 1's axis (+y), the imaginary part a quarter turn clockwise from it
// (+x). The vector of length A at engine angle phi is then A e^(i phi), and turning it clockwise
// by a multiplies it by e^(i a).
using EngineVector = std::complex<double>;

// The force the pistons put on the crankcase at crank angle theta (radians), with one
// reciprocating mass m at every piston pin and the crank turning steadily at omega, in multiples
// of m r omega^2 (r the crank radius):
//
//     F(theta) = -(m omega^2 / (m r omega^2)) sum_i t_i''(theta) u_i = -(1 / r) sum_i t_i'' u_i
//
// t_i'' being piston i's analytic acceleration along its axis u_i, per radian squared. Every rod
// must reach its axis at theta.
EngineVector shaking_force(const std::vector<ExactPiston>& pistons, double theta);

// A force as a function of crank angle (radians), in whatever unit its user gives it.
using ForceAtAngle = std::function<EngineVector(double)>;

// The force at the crank angles 2 pi j / samples, j = 0 .. samples - 1, and at twice as many (the
// even ones the very same samples).
std::vector<EngineVector> sample_force(const ForceAtAngle& force, int samples);
std::vector<EngineVector> sample_force_twice_as_finely(const ForceAtAngle& force,
                                                       const std::vector<EngineVector>& samples);

// The pistons' force at the crank angles 2 pi j / samples, j = 0 .. samples - 1.
std::vector<EngineVector> sample_shaking_force(const std::vector<ExactPiston>& pistons,
                                               int samples);

// The force at twice as many crank angles: samples (sample_shaking_force's) at the even ones, which
// are the very same angles, and the force worked out at the odd ones between them.
std::vector<EngineVector> sample_twice_as_finely(const std::vector<ExactPiston>& pistons,
                                                 const std::vector<EngineVector>& samples);

} // namespace radial
