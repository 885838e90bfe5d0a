#pragma once

#include "tool_options.h"

#include <iosfwd>

namespace radial {

// --picture: the window's picture at options.theta, as PNG or SVG by the path's ending.
// --animation: one four-stroke cycle as an animated GIF.
// Each writes its file whole or not at all and prints nothing; the exit status is 0, or 2 with
// one line on err when the file cannot be made or written.
int write_picture(const ToolOptions& options, std::ostream& err);
int write_animation(const ToolOptions& options, std::ostream& err);

} // namespace radial
