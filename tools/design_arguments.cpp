#include "design_arguments.h"

#include "design/design_fault.h"
#include "design/running_keys.h"
#include "design/toml_design.h"

#include <string_view>
#include <utility>

namespace radial {

std::variant<ReadDesign, UsageError> resolve_design(ToolOptions& o) {
    ReadDesign read;
    if (!o.design_path.empty()) {
        auto file = read_design_file(o.design_path);
        if (auto* refusal = std::get_if<std::string>(&file)) {
            return UsageError{*refusal};
        }
        read = std::get<ReadDesign>(std::move(file));
    }
    EngineDesign d = read.design;
    const DesignFlags& f = o.design_flags;
    d.cylinders = f.cylinders.value_or(d.cylinders);
    d.crank_radius = f.crank_radius.value_or(d.crank_radius);
    d.rod_length = f.ls ? 2 * d.crank_radius * *f.ls : f.rod_length.value_or(d.rod_length);
    d.wrist_radius =
        f.eccentricity ? d.crank_radius * *f.eccentricity : f.wrist_radius.value_or(d.wrist_radius);
    if (f.pin_rule) {
        d.pin_rule = *f.pin_rule;
        d.pin_angles_deg.clear();
    }
    d.bore = f.bore ? f.bore : d.bore;
    d.compression_ratio = f.compression_ratio ? f.compression_ratio : d.compression_ratio;
    const auto running = running_keys();
    for (std::size_t k = 0; k < running.size(); ++k) {
        if (f.running[k]) {
            d.*running[k].field = f.running[k];
        }
    }
    o.design = d;
    return read;
}

namespace {

// The flag that set a design file key's value, if one did.
std::string flag_for(const DesignFlags& f, std::string_view key) {
    const std::pair<std::string_view, std::pair<bool, std::string_view>> flags[] = {
        {"cylinders", {f.cylinders.has_value(), "--cylinders"}},
        {"crank_radius", {f.crank_radius.has_value(), "--crank-radius"}},
        {"rod_length", {f.rod_length.has_value(), "--rod-length"}},
        {"rod_length", {f.ls.has_value(), "--ls"}},
        {"wrist_radius", {f.wrist_radius.has_value(), "--wrist-radius"}},
        {"wrist_radius", {f.eccentricity.has_value(), "--eccentricity"}},
        {"bore", {f.bore.has_value(), "--bore"}},
        {"compression_ratio", {f.compression_ratio.has_value(), "--compression-ratio"}},
    };
    for (const auto& [name, given] : flags) {
        if (name == key && given.first) {
            return std::string(given.second);
        }
    }
    const auto running = running_keys();
    for (std::size_t k = 0; k < running.size(); ++k) {
        if (running[k].key == key && f.running[k]) {
            return running_flag(running[k]);
        }
    }
    return {};
}

} // namespace

std::optional<UsageError> design_refusal(const ToolOptions& o, const ReadDesign& read) {
    const auto fault = design_fault(o.design);
    if (!fault) {
        return std::nullopt;
    }
    const std::string flag = flag_for(o.design_flags, fault->key);
    if (!flag.empty() || o.design_path.empty()) {
        return UsageError{std::string(flag.empty() ? fault->key : flag) + " " + fault->what};
    }
    return UsageError{design_refusal(o.design_path, read, *fault)};
}

} // namespace radial
