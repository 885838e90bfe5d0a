#include "design/toml_design.h"

#define TOML_HEADER_ONLY 1
#define TOML_EXCEPTIONS 0
#define TOML_ENABLE_FORMATTERS 0
#include <toml++/toml.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

namespace radial {

namespace {

DesignValue value_of(const toml::node& node) {
    DesignValue v;
    if (const auto* whole = node.as_integer()) {
        v.kind = DesignValue::Kind::whole;
        v.number = static_cast<double>(whole->get());
    } else if (const auto* real = node.as_floating_point()) {
        v.kind = DesignValue::Kind::real;
        v.number = real->get();
    } else if (const auto* text = node.as_string()) {
        v.kind = DesignValue::Kind::text;
        v.text = text->get();
    } else if (const auto* list = node.as_array()) {
        v.kind = DesignValue::Kind::list;
        for (const toml::node& item : *list) {
            v.items.push_back(value_of(item));
        }
    } else {
        v.other_type = node.is_table() ? "table" : node.is_boolean() ? "boolean" : "date or time";
    }
    return v;
}

} // namespace

std::variant<ReadDesign, std::string> read_design_text(std::string_view file,
                                                       std::string_view text) {
    toml::parse_result parsed = toml::parse(text);
    if (!parsed) {
        const toml::parse_error& error = parsed.error();
        return std::string(file) + ":" + std::to_string(error.source().begin.line) +
               ": this is not TOML: " + std::string(error.description());
    }
    std::vector<DesignEntry> entries;
    for (const auto& [key, node] : parsed.table()) {
        entries.push_back(
            {std::string(key.str()), static_cast<int>(key.source().begin.line), value_of(node)});
    }
    // toml++ keeps a table's keys in its own order; the file's order decides which refusal comes
    // first.
    std::stable_sort(entries.begin(), entries.end(),
                     [](const DesignEntry& a, const DesignEntry& b) { return a.line < b.line; });
    return design_from_entries(file, entries);
}

std::variant<ReadDesign, std::string> read_design_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return path + ": cannot be read: " + std::strerror(errno);
    }
    std::string text(largest_design_file + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (in.bad()) {
        return path + ": cannot be read: " + std::strerror(errno);
    }
    text.resize(static_cast<std::size_t>(in.gcount()));
    if (text.size() > largest_design_file) {
        return path + ": is larger than 1 MiB, which no design file is";
    }
    return read_design_text(path, text);
}

} // namespace radial
