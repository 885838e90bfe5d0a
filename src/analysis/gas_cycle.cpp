#include "analysis/gas_cycle.h"

#include "analysis/crank_grid.h"
#include "analysis/four_stroke.h"
#include "design/running_keys.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace radial {

namespace {

constexpr double pi = std::numbers::pi;

// Five-point Gauss-Legendre on [-1, 1]: exact for polynomials of degree 9, so on a burn cut into
// one-degree pieces it is accurate to far below 1e-12 of the burn's integral.
constexpr std::array<double, 5> gauss_nodes = {0, -0.5384693101056831, 0.5384693101056831,
                                               -0.9061798459386640, 0.9061798459386640};
constexpr std::array<double, 5> gauss_weights = {0.5688888888888889, 0.4786286704993665,
                                                 0.4786286704993665, 0.2369268850561891,
                                                 0.2369268850561891};

template <typename F> double gauss(double from, double to, F f) {
    const double middle = (from + to) / 2, half = (to - from) / 2;
    double sum = 0;
    for (std::size_t k = 0; k < gauss_nodes.size(); ++k) {
        sum += gauss_weights[k] * f(middle + half * gauss_nodes[k]);
    }
    return sum * half;
}

} // namespace

GasSettings gas_settings(const EngineDesign& design, double master_swept) {
    GasSettings s;
    s.intake = running_value(design, "intake_pressure");
    s.exhaust = running_value(design, "exhaust_pressure");
    s.crankcase = running_value(design, "crankcase_pressure");
    s.exponent = running_value(design, "polytropic_exponent");
    s.burn_start = running_value(design, "burn_start") * radians_per_degree;
    s.burn_duration = running_value(design, "burn_duration") * radians_per_degree;
    s.master_heat = design.heat_release.value_or(heat_per_intake_volume * s.intake * master_swept);
    return s;
}

CylinderGas::CylinderGas(const ExactPiston& piston, const PinTableRow& row, double fires,
                         double clearance, double area, double metres, double heat,
                         const GasSettings& settings)
    : piston_(piston), cylinder_(row.cylinder), tdc_height_(row.tdc_height), stroke_(row.stroke),
      fires_(fires), clearance_(clearance), area_(area), metres_(metres), heat_(heat),
      settings_(settings) {
    start_volume_power_ = settings_.intake * std::pow(volume(fires_ - pi), settings_.exponent);
    const int pieces =
        static_cast<int>(std::ceil(settings_.burn_duration / radians_per_degree - 1e-9));
    piece_ = settings_.burn_duration / pieces;
    burned_.assign(static_cast<std::size_t>(pieces) + 1, 0);
    for (int j = 0; j < pieces; ++j) {
        const double from = settings_.burn_start + j * piece_;
        burned_[static_cast<std::size_t>(j) + 1] =
            burned_[static_cast<std::size_t>(j)] +
            gauss(from, from + piece_, [this](double at) { return burn_integrand(at); });
    }
}

double CylinderGas::volume(double theta) const {
    return clearance_ + area_ * metres_ * (tdc_height_ - piston_.at(theta).distance);
}

double CylinderGas::from_firing(double theta) const {
    const double since = since_firing(fires_, theta);
    return since >= 3 * pi ? since - two_turns : since;
}

double CylinderGas::burn_integrand(double from) const {
    const double y = (from - settings_.burn_start) / settings_.burn_duration;
    const double rate = wiebe_a * (wiebe_m + 1) / settings_.burn_duration * std::pow(y, wiebe_m) *
                        std::exp(-wiebe_a * std::pow(y, wiebe_m + 1)) / (1 - std::exp(-wiebe_a));
    return std::pow(volume(fires_ + from), settings_.exponent - 1) * rate;
}

double CylinderGas::burn_integral(double from) const {
    if (from <= settings_.burn_start) {
        return 0;
    }
    const double until = std::min(from, settings_.burn_start + settings_.burn_duration);
    const auto last = static_cast<double>(burned_.size() - 2);
    const double j = std::min(std::floor((until - settings_.burn_start) / piece_), last);
    const double piece_start = settings_.burn_start + j * piece_;
    return burned_[static_cast<std::size_t>(j)] +
           gauss(piece_start, until, [this](double at) { return burn_integrand(at); });
}

double CylinderGas::pressure_times_volume_power(double from) const {
    return start_volume_power_ + (settings_.exponent - 1) * heat_ * burn_integral(from);
}

double CylinderGas::closed_pressure(double from) const {
    return pressure_times_volume_power(from) / std::pow(volume(fires_ + from), settings_.exponent);
}

double CylinderGas::pressure(double theta) const {
    const double from = from_firing(theta);
    if (from < pi) {
        return closed_pressure(from);
    }
    return from < 2 * pi ? settings_.exhaust : settings_.intake;
}

double CylinderGas::work() const {
    const double closing = volume(fires_ - pi), opening = volume(fires_ + pi);
    const double exhausted = volume(fires_ + 2 * pi);
    const double closed = heat_ - (closed_pressure(pi) * opening - settings_.intake * closing) /
                                      (settings_.exponent - 1);
    return closed + settings_.exhaust * (exhausted - opening) +
           settings_.intake * (closing - exhausted);
}

std::vector<std::string> missing_for_gas(const EngineDesign& design) {
    std::vector<std::string> missing;
    if (!design.bore) {
        missing.emplace_back("bore");
    }
    if (!design.compression_ratio) {
        missing.emplace_back("compression_ratio");
    }
    if (design.unit == LengthUnit::none) {
        missing.emplace_back("units");
    }
    return missing;
}

std::variant<std::vector<CylinderGas>, std::string> engine_gas(const EngineDesign& design,
                                                               const std::vector<PinTableRow>& pins,
                                                               const std::vector<double>& fires) {
    const double metres = metres_per_unit(design.unit);
    const double bore = *design.bore * metres;
    const double area = pi * bore * bore / 4;
    const PinTableRow& master = pins.front();
    const GasSettings settings = gas_settings(design, area * master.stroke * metres);
    const std::vector<ExactPiston> pistons = exact_pistons(design);
    std::vector<CylinderGas> gas;
    for (const PinTableRow& row : pins) {
        const std::string cylinder = "cylinder " + std::to_string(row.cylinder);
        if (!row.reaches) {
            return "rod_length: " + cylinder +
                   "'s rod cannot reach its axis at every crank angle, so it has no gas cycle";
        }
        const std::optional<double> clearance = clearance_height(design, master, row);
        if (!clearance) {
            return "compression_ratio: " + cylinder +
                   "'s piston would rise into the head, which the master's ratio puts at its deck "
                   "height";
        }
        const std::size_t i = static_cast<std::size_t>(row.cylinder - 1);
        gas.emplace_back(pistons[i], row, fires[i], area * *clearance * metres, area, metres,
                         settings.master_heat * row.stroke / master.stroke, settings);
    }
    return gas;
}

} // namespace radial
