#include "analysis/exact_piston.h"

#include "mechanism/crank.h"
#include "mechanism/wrist_pins.h"

#include <cmath>

namespace radial {

ExactPiston::ExactPiston(int i, const EngineDesign& design)
    : r_(design.crank_radius), d_(design.rod_length), offset_(i == 1 ? 0 : design.wrist_radius),
      rod_(i == 1 ? design.rod_length : link_rod_length(design, i)), body_(0), axis_(0) {
    const double pi = 4.0 * std::atan(1.0); // as start_values sets it
    if (i > 1) {
        body_ = wrist_pin_angle(design, i);
        axis_ = 2 * pi * (i - 1) / design.cylinders;
    }
    sin_axis_ = std::sin(axis_);
    cos_axis_ = std::cos(axis_);
}

ExactPiston::ExactPiston(int i, const EngineDesign& design, double body, double rod)
    : ExactPiston(i, design) {
    body_ = body;
    rod_ = rod;
}

ExactPiston::PinMotion ExactPiston::pin_at(double theta) const {
    const MasterRod m = solve_master_rod(r_, d_, theta);
    const double xc = m.crankpin_x, yc = m.crankpin_y;
    // beta = asin(xc / d) with xc = r sin theta: its derivatives by theta.
    const double rise = std::sqrt(d_ * d_ - xc * xc);
    const double beta1 = yc / rise;
    const double beta2 = xc * (yc * yc - rise * rise) / (rise * rise * rise);
    // The wrist pin turns with the rod: phi = b - beta.
    const double phi = body_ - m.beta;
    const double s = std::sin(phi);
    const double c = std::cos(phi);
    PinMotion k{};
    k.x = xc + offset_ * s;
    k.y = yc + offset_ * c;
    k.dx = yc - offset_ * c * beta1;
    k.dy = -xc + offset_ * s * beta1;
    k.ddx = -xc - offset_ * (s * beta1 * beta1 + c * beta2);
    k.ddy = -yc - offset_ * (c * beta1 * beta1 - s * beta2);
    return k;
}

double ExactPiston::reach_margin(double theta) const {
    const PinMotion k = pin_at(theta);
    const double w = k.x * cos_axis_ - k.y * sin_axis_;
    return rod_ * rod_ - w * w;
}

double ExactPiston::nearest_axis_point(double theta) const {
    const PinMotion k = pin_at(theta);
    return k.x * sin_axis_ + k.y * cos_axis_;
}

PistonMotion ExactPiston::at(double theta) const {
    const PinMotion k = pin_at(theta);
    const double w = k.x * cos_axis_ - k.y * sin_axis_;
    const double margin = rod_ * rod_ - w * w;
    if (margin < 0) {
        return {};
    }
    const double p = k.x * sin_axis_ + k.y * cos_axis_;
    const double dp = k.dx * sin_axis_ + k.dy * cos_axis_;
    const double ddp = k.ddx * sin_axis_ + k.ddy * cos_axis_;
    const double dw = k.dx * cos_axis_ - k.dy * sin_axis_;
    const double ddw = k.ddx * cos_axis_ - k.ddy * sin_axis_;
    // h = sqrt(L^2 - w^2): h h' = -w w', and once more h'^2 + h h'' = -w'^2 - w w''.
    const double h = std::sqrt(margin);
    const double dh = -w * dw / h;
    const double ddh = -(dw * dw + w * ddw + dh * dh) / h;
    return {true, p + h, dp + dh, ddp + ddh};
}

std::vector<ExactPiston> exact_pistons(const EngineDesign& design) {
    std::vector<ExactPiston> pistons;
    pistons.reserve(static_cast<std::size_t>(design.cylinders));
    for (int i = 1; i <= design.cylinders; ++i) {
        pistons.emplace_back(i, design);
    }
    return pistons;
}

} // namespace radial
