#pragma once

namespace radial {

// The parameters the scroll bars set: n cylinders (odd, 3..35), the master rod length d and the
// wrist-pin circle radius rp, in world units, with d > r (the crank radius) and 0 <= rp < d.
struct EngineParameters {
    int n = 11;
    double d = 200;
    double rp = 52.5;

    friend bool operator==(const EngineParameters&, const EngineParameters&) = default;
};

} // namespace radial
