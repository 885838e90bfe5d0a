#include "design/design_file.h"

#include "design/design_names.h"
#include "design/running_keys.h"
#include "svg/number_text.h"
#include "svg/word_list.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

namespace radial {

namespace {

std::vector<std::string_view> every_key() {
    std::vector<std::string_view> keys = {"cylinders",    "crank_radius", "rod_length",
                                          "wrist_radius", "pin_angles",   "link_lengths",
                                          "units",        "bore",         "compression_ratio"};
    for (const RunningKey& row : running_keys()) {
        keys.push_back(row.key);
    }
    return keys;
}

} // namespace

const std::vector<std::string_view> design_keys = every_key();

namespace {

bool is_number(const DesignValue& v) {
    return v.kind == DesignValue::Kind::whole || v.kind == DesignValue::Kind::real;
}

// A value as a refusal names it: 12, 9.5, "mm", a list, a table.
std::string described(const DesignValue& v) {
    switch (v.kind) {
    case DesignValue::Kind::whole:
    case DesignValue::Kind::real:
        return shortest_text(v.number);
    case DesignValue::Kind::text:
        return "the string \"" + one_line(v.text) + "\"";
    case DesignValue::Kind::list:
        return "a list";
    case DesignValue::Kind::other:
        break;
    }
    return "a " + v.other_type;
}

using Refusal = std::optional<std::string>;

Refusal not_a(std::string_view takes, const DesignValue& v) {
    return "takes " + std::string(takes) + ", not " + described(v);
}

// The numbers of a list, or the refusal of its first item that is none.
std::variant<std::vector<double>, std::string> numbers_of(const DesignValue& v,
                                                          std::string_view takes) {
    std::vector<double> numbers;
    for (const DesignValue& item : v.items) {
        if (!is_number(item)) {
            return "takes " + std::string(takes) + ", not a list holding " + described(item);
        }
        numbers.push_back(item.number);
    }
    return numbers;
}

Refusal read_cylinders(const DesignValue& v, EngineDesign& d) {
    const bool odd_count = v.kind == DesignValue::Kind::whole && v.number >= fewest_cylinders &&
                           v.number <= most_cylinders && std::fmod(v.number, 2) == 1;
    if (!odd_count) {
        return not_a("an odd whole number from 3 to 35", v);
    }
    d.cylinders = static_cast<int>(v.number);
    return std::nullopt;
}

// A length or ratio: any number, its range checked with the rest of the design.
template <auto Field> Refusal read_number(const DesignValue& v, EngineDesign& d) {
    if (!is_number(v)) {
        return not_a("a number", v);
    }
    d.*Field = v.number;
    return std::nullopt;
}

// A list of numbers into a design's list.
Refusal read_list(const DesignValue& v, std::string_view takes, std::vector<double>& into) {
    if (v.kind != DesignValue::Kind::list) {
        return not_a(takes, v);
    }
    auto numbers = numbers_of(v, takes);
    if (auto* refusal = std::get_if<std::string>(&numbers)) {
        return *refusal;
    }
    into = std::get<std::vector<double>>(std::move(numbers));
    return std::nullopt;
}

Refusal read_pin_angles(const DesignValue& v, EngineDesign& d) {
    constexpr std::string_view takes =
        "a rule's name (\"animation\", \"even\" or \"level-tdc\") or a list of angles in degrees";
    if (v.kind != DesignValue::Kind::text) {
        return read_list(v, takes, d.pin_angles_deg);
    }
    const auto rule = rule_named(v.text);
    if (!rule) {
        return not_a(takes, v);
    }
    d.pin_rule = *rule;
    d.pin_angles_deg.clear();
    return std::nullopt;
}

Refusal read_link_lengths(const DesignValue& v, EngineDesign& d) {
    return read_list(v, "a list of lengths", d.link_lengths);
}

Refusal read_units(const DesignValue& v, EngineDesign& d) {
    const auto unit = v.kind == DesignValue::Kind::text && !v.text.empty()
                          ? unit_named(v.text)
                          : std::optional<LengthUnit>{};
    if (!unit) {
        return not_a("\"mm\", \"cm\", \"m\" or \"in\"", v);
    }
    d.unit = *unit;
    return std::nullopt;
}

Refusal read_optional(const DesignValue& v, std::optional<double>& field) {
    if (!is_number(v)) {
        return not_a("a number", v);
    }
    field = v.number;
    return std::nullopt;
}

Refusal read_key(std::string_view key, const DesignValue& v, EngineDesign& d) {
    if (key == "cylinders") {
        return read_cylinders(v, d);
    }
    if (key == "crank_radius") {
        return read_number<&EngineDesign::crank_radius>(v, d);
    }
    if (key == "rod_length") {
        return read_number<&EngineDesign::rod_length>(v, d);
    }
    if (key == "wrist_radius") {
        return read_number<&EngineDesign::wrist_radius>(v, d);
    }
    if (key == "pin_angles") {
        return read_pin_angles(v, d);
    }
    if (key == "link_lengths") {
        return read_link_lengths(v, d);
    }
    if (key == "units") {
        return read_units(v, d);
    }
    if (key == "bore") {
        return read_optional(v, d.bore);
    }
    if (key == "compression_ratio") {
        return read_optional(v, d.compression_ratio);
    }
    return read_optional(v, d.*running_key(key).field);
}

std::string known_keys() {
    return listed({design_keys.begin(), design_keys.end()});
}

std::string at(std::string_view file, int line) {
    return std::string(file) + ":" + std::to_string(line) + ": ";
}

} // namespace

std::string one_line(std::string_view text) {
    constexpr std::string_view hex = "0123456789abcdef";
    std::string line;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n') {
            line += "\\n";
        } else if (c == '\t') {
            line += "\\t";
        } else if (byte < 0x20 || byte == 0x7f) {
            line += std::string("\\x") + hex[byte / 16] + hex[byte % 16];
        } else {
            line += c;
        }
    }
    return line;
}

std::variant<ReadDesign, std::string> design_from_entries(std::string_view file,
                                                          const std::vector<DesignEntry>& entries) {
    ReadDesign read;
    for (const DesignEntry& entry : entries) {
        if (std::find(design_keys.begin(), design_keys.end(), entry.key) == design_keys.end()) {
            return at(file, entry.line) + one_line(entry.key) +
                   ": no such key; a design file takes " + known_keys();
        }
        if (auto refusal = read_key(entry.key, entry.value, read.design)) {
            return at(file, entry.line) + entry.key + ": " + *refusal;
        }
        read.key_lines[entry.key] = entry.line;
    }
    return read;
}

std::string design_refusal(std::string_view file, const ReadDesign& read,
                           const DesignFault& fault) {
    const auto line = read.key_lines.find(fault.key);
    if (line == read.key_lines.end()) {
        return std::string(file) + ": " + fault.key + " (not given, so the default): " + fault.what;
    }
    return at(file, line->second) + fault.key + ": " + fault.what;
}

namespace {

void write_list(std::string& text, std::string_view key, const std::vector<double>& values,
                std::string_view what) {
    text += std::string(key) + " = [ # " + std::string(what) + "\n";
    for (std::size_t k = 0; k < values.size(); ++k) {
        text += "    " + shortest_text(values[k]) + ", # cylinder " + std::to_string(k + 2) + "\n";
    }
    text += "]\n";
}

// The comment's lines, each broken at spaces to fit 100 columns after "# ".
void write_comment(std::string& text, std::string_view comment) {
    constexpr std::size_t width = 98;
    for (std::size_t from = 0; from < comment.size();) {
        std::size_t end = std::min(comment.find('\n', from), comment.size());
        if (end - from > width) {
            const std::size_t space = comment.rfind(' ', from + width);
            end = space != std::string_view::npos && space > from ? space : end;
        }
        text += "# " + std::string(comment.substr(from, end - from)) + "\n";
        from = end + 1;
    }
}

} // namespace

std::string design_file_text(const EngineDesign& d, std::string_view comment) {
    std::string text;
    write_comment(text, comment);
    text += "cylinders = " + std::to_string(d.cylinders) + "\n";
    text += "crank_radius = " + shortest_text(d.crank_radius) + "\n";
    text += "rod_length = " + shortest_text(d.rod_length) + "\n";
    text += "wrist_radius = " + shortest_text(d.wrist_radius) + "\n";
    if (d.pin_angles_deg.empty()) {
        text += "pin_angles = \"" + std::string(rule_name(d.pin_rule)) + "\"\n";
    } else {
        write_list(text, "pin_angles", d.pin_angles_deg,
                   "degrees on the master rod from its own axis");
    }
    if (!d.link_lengths.empty()) {
        write_list(text, "link_lengths", d.link_lengths, "wrist pin to piston pin");
    }
    if (d.unit != LengthUnit::none) {
        text += "units = \"" + std::string(unit_name(d.unit)) + "\"\n";
    }
    if (d.bore) {
        text += "bore = " + shortest_text(*d.bore) + "\n";
    }
    if (d.compression_ratio) {
        text += "compression_ratio = " + shortest_text(*d.compression_ratio) + "\n";
    }
    for (const RunningKey& row : running_keys()) {
        if (const std::optional<double>& value = d.*row.field) {
            text += std::string(row.key) + " = " + shortest_text(*value) + "\n";
        }
    }
    return text;
}

} // namespace radial
