#pragma once

#include <string_view>

namespace radial {

// A file name with something before the ending, which is compared without regard to case:
// "a.png", "A.PNG" or "dir/a.png", not ".png" or "dir/.png".
bool has_ending(std::string_view path, std::string_view ending);

// Whether path names a directory (or ends in '/', as only a directory's name can).
bool names_directory(std::string_view path);

} // namespace radial
