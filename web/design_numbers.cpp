#include "design_numbers.h"

#include "design/running_keys.h"

#include <cmath>

namespace radial {

namespace {

// The eight values every design has, then how it runs (running_keys), each NaN for none.
constexpr std::size_t fixed_numbers = 8 + running_key_count;

double number_or_nan(const std::optional<double>& value) {
    return value ? *value : std::nan("");
}

std::optional<double> unless_nan(double value) {
    return std::isnan(value) ? std::nullopt : std::optional(value);
}

} // namespace

std::vector<double> design_numbers(const EngineDesign& d) {
    std::vector<double> numbers = {static_cast<double>(d.cylinders),
                                   d.rod_length,
                                   d.wrist_radius,
                                   d.crank_radius,
                                   static_cast<double>(d.pin_rule),
                                   static_cast<double>(d.unit),
                                   number_or_nan(d.bore),
                                   number_or_nan(d.compression_ratio)};
    for (const RunningKey& key : running_keys()) {
        numbers.push_back(number_or_nan(d.*key.field));
    }
    for (const std::vector<double>* list : {&d.pin_angles_deg, &d.link_lengths}) {
        numbers.push_back(static_cast<double>(list->size()));
        numbers.insert(numbers.end(), list->begin(), list->end());
    }
    return numbers;
}

std::optional<EngineDesign> design_of_numbers(std::span<const double> numbers) {
    if (numbers.size() < fixed_numbers + 2) {
        return std::nullopt;
    }
    EngineDesign d;
    d.cylinders = static_cast<int>(numbers[0]);
    d.rod_length = numbers[1];
    d.wrist_radius = numbers[2];
    d.crank_radius = numbers[3];
    d.pin_rule = static_cast<PinRule>(static_cast<int>(numbers[4]));
    d.unit = static_cast<LengthUnit>(static_cast<int>(numbers[5]));
    d.bore = unless_nan(numbers[6]);
    d.compression_ratio = unless_nan(numbers[7]);
    std::size_t k = 8;
    for (const RunningKey& key : running_keys()) {
        d.*key.field = unless_nan(numbers[k++]);
    }
    for (std::vector<double>* list : {&d.pin_angles_deg, &d.link_lengths}) {
        if (k >= numbers.size() || numbers[k] < 0 ||
            numbers[k] > static_cast<double>(numbers.size() - k - 1)) {
            return std::nullopt;
        }
        const auto count = static_cast<std::size_t>(numbers[k]);
        list->assign(numbers.begin() + static_cast<long>(k) + 1,
                     numbers.begin() + static_cast<long>(k + 1 + count));
        k += 1 + count;
    }
    return d;
}

} // namespace radial
