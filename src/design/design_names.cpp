#include "design/design_names.h"

#include <utility>

namespace radial {

namespace {

constexpr std::pair<PinRule, std::string_view> rule_names[] = {
    {PinRule::animation, "animation"}, {PinRule::even, "even"}, {PinRule::level_tdc, "level-tdc"}};
constexpr std::pair<LengthUnit, std::string_view> unit_names[] = {{LengthUnit::none, ""},
                                                                  {LengthUnit::mm, "mm"},
                                                                  {LengthUnit::cm, "cm"},
                                                                  {LengthUnit::m, "m"},
                                                                  {LengthUnit::in, "in"}};

template <class T, std::size_t N>
std::string_view name_of(const std::pair<T, std::string_view> (&names)[N], T value) {
    for (const auto& [v, name] : names) {
        if (v == value) {
            return name;
        }
    }
    return "";
}

template <class T, std::size_t N>
std::optional<T> named(const std::pair<T, std::string_view> (&names)[N], std::string_view name) {
    for (const auto& [v, n] : names) {
        if (n == name) {
            return v;
        }
    }
    return std::nullopt;
}

} // namespace

std::string_view rule_name(PinRule rule) {
    return name_of(rule_names, rule);
}
std::optional<PinRule> rule_named(std::string_view name) {
    return named(rule_names, name);
}
std::string_view unit_name(LengthUnit unit) {
    return name_of(unit_names, unit);
}
std::optional<LengthUnit> unit_named(std::string_view name) {
    return named(unit_names, name);
}

std::string unit_suffix(LengthUnit unit) {
    return unit == LengthUnit::none ? "" : " " + std::string(unit_name(unit));
}

std::string unit_words(LengthUnit unit) {
    if (unit == LengthUnit::in) {
        return "inches";
    }
    return unit == LengthUnit::none ? "world units" : std::string(unit_name(unit));
}

} // namespace radial
