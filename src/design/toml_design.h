#pragma once

#include "design/design_file.h"

#include <string>
#include <string_view>
#include <variant>

namespace radial {

// The largest design file read, in bytes: a design of 35 cylinders with comments takes a few
// kilobytes.
constexpr std::size_t largest_design_file = 1 << 20;

// A design file read from path: its text parsed as TOML (by toml++) and its keys taken by
// design_from_entries. Or one line naming the file as given, the line where there is one and the
// key: it cannot be read, it is larger than largest_design_file, it is not TOML, or a key is not
// the design's or holds a value of the wrong type. The design's ranges are not checked here:
// flags may still change it (design_fault).
std::variant<ReadDesign, std::string> read_design_file(const std::string& path);

// The same for a file's text, named file in what it says.
std::variant<ReadDesign, std::string> read_design_text(std::string_view file,
                                                       std::string_view text);

} // namespace radial
