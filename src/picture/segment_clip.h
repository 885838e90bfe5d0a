#pragma once

namespace radial {

// Liang-Barsky: cuts the segment from (x1, y1) to (x2, y2) to the rectangle [left, right] x
// [top, bottom], moving its ends along it; false, with the ends untouched, when it misses.
bool clip_segment(double& x1, double& y1, double& x2, double& y2, double left, double top,
                  double right, double bottom);

} // namespace radial
