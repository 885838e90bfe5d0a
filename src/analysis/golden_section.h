#pragma once

#include <cmath>

namespace radial {

// Where f is smallest on [lo, hi] and its value there, for an f with one minimum on the interval:
// golden-section search, 60 steps, which shrink the interval by 10^-12.
struct Minimum {
    double at = 0;
    double value = 0;
};

template <class F> Minimum golden_section_minimum(F f, double lo, double hi) {
    const double ratio = (std::sqrt(5.0) - 1) / 2;
    double a = hi - ratio * (hi - lo);
    double b = lo + ratio * (hi - lo);
    double fa = f(a);
    double fb = f(b);
    for (int k = 0; k < 60; ++k) {
        if (fa < fb) {
            hi = b;
            b = a;
            fb = fa;
            a = hi - ratio * (hi - lo);
            fa = f(a);
        } else {
            lo = a;
            a = b;
            fa = fb;
            b = lo + ratio * (hi - lo);
            fb = f(b);
        }
    }
    return fa < fb ? Minimum{a, fa} : Minimum{b, fb};
}

} // namespace radial
