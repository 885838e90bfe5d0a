#pragma once

#include "analysis/shaking_force.h"

#include <vector>

namespace radial {

// The largest size of a force over a revolution and the crank angle where it occurs.
struct PeakForce {
    double magnitude = 0; // multiples of m r omega^2
    double theta = 0;     // radians in [0, 2 pi)
    // The size is the same at every crank angle (to rounding); theta is then 0.
    bool constant = false;
};

// The largest |F(theta) - cancelled e^(i theta)|: the shaking force F of the pistons, less a
// force turning with the crank, such as a counterweight's (cancelled = 0 for none). samples holds
// F at the crank angles 2 pi j / N (sample_shaking_force's); the highest maxima among them are
// refined by golden-section search on the pistons themselves: the magnitude to rounding, the
// angle to about 1e-8 radian (the top of a peak is flat). Of peaks equal but for rounding, such
// as the mirror images of an engine symmetric about cylinder 1's axis, the first crank angle.
// Where the size is the same at every sample but for rounding (the force only turns, as with
// every rod on the crankpin and enough cylinders), no angle stands out: crank angle 0, constant.
PeakForce largest_shaking_force(const std::vector<ExactPiston>& pistons,
                                const std::vector<EngineVector>& samples, EngineVector cancelled);

// The same for any force, refined on the force itself; sizes below scale count as absolute in
// the comparisons of rounding (1 for multiples of m r omega^2).
PeakForce largest_force(const ForceAtAngle& force, const std::vector<EngineVector>& samples,
                        EngineVector cancelled, double scale);

} // namespace radial
