#pragma once

#include "core/engine_design.h"

#include <vector>

namespace radial {

// What a design's link cylinders are matched to the master in: the height of their top dead
// centre (by the wrist-pin angles), or that and their stroke (by the link rods' lengths too, so
// that with one bore and one deck height every compression ratio is the master's as well).
enum class MasterMatch { tdc, tdc_and_stroke };

// A link cylinder the match could not bring to the master's: by how much its top dead centre
// falls short of the master's (negative: above it), and its stroke exceeds the master's.
struct MatchMiss {
    int cylinder = 0;
    double tdc_shortfall = 0;
    double stroke_excess = 0;
};

// The design matched: its wrist-pin angles listed (and for tdc_and_stroke its link rod lengths),
// everything else as it was; and the cylinders it could not match within the design's ranges,
// each left where it comes nearest.
struct MatchedDesign {
    EngineDesign design;
    std::vector<MatchMiss> misses;
};

// The geometry behind it. The piston pin's distance is t = K.u + sqrt(L^2 - w^2) <= |K| + L, and
// |K| <= r + rp, so a link piston never rises above r + rp + L; it reaches that only with the
// crankpin on its axis (crank angle a) and the wrist pin on it too, that is with the level-TDC
// angle b* = a + asin(r sin a / d), and its top dead centre falls away on either side of b*.
// - tdc: b* where the link rod is d - rp (the top at d + r, the master's, exactly); with a
//   listed rod longer than that, the angle beyond b* (towards the animation's and even
//   spacing's smaller angles) where the top comes down to d + r, by bisection; with a shorter
//   one, b* and a miss.
// - tdc_and_stroke: for each angle b below b*, the rod length that puts the top at d + r (it rises
//   steadily with L), and the angle where the stroke is then the master's, by bisection between
//   b* and the first angle, in steps of a degree, where the stroke falls below it.
// TDC and stroke to 1e-11 of the crank radius.
MatchedDesign match_master(const EngineDesign& design, MasterMatch aim);

} // namespace radial
