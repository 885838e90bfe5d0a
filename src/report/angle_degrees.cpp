#include "report/angle_degrees.h"

#include "svg/number_text.h"

#include <cmath>
#include <numbers>

namespace radial {

double crank_degrees(double radians) {
    double degrees = std::fmod(radians * (180 / std::numbers::pi), 360.0);
    if (degrees < 0) {
        degrees += 360;
    }
    // A tiny negative angle rounds up to 360 itself.
    return degrees >= 360 ? 0 : degrees;
}

std::string crank_degrees_text(double radians) {
    const std::string text = fixed_text(crank_degrees(radians), 1);
    return text == "360.0" ? "0.0" : text;
}

double offset_degrees(double radians) {
    const double degrees = crank_degrees(radians);
    return degrees > 180 ? degrees - 360 : degrees;
}

std::string offset_degrees_text(double radians) {
    const std::string text = fixed_text(offset_degrees(radians), 1);
    return text == "-180.0" ? "180.0" : text;
}

} // namespace radial
