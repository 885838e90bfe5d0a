#pragma once

#include "tool_options.h"

#include <string_view>

namespace radial {

// --picture, --animation and --frames.
bool is_picture_flag(std::string_view flag);

// Reads one of those flags' values: false when it is not one the flag accepts.
bool read_picture_value(ToolOptions& o, std::string_view flag, std::string_view text);

// A file name with something before the ending, which is compared without regard to case:
// "a.png", "A.PNG" or "dir/a.png", not ".png" or "dir/.png".
bool has_ending(std::string_view path, std::string_view ending);

// Whether path names a directory (or ends in '/', as only a directory's name can).
bool names_directory(std::string_view path);

} // namespace radial
