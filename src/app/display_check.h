#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace radial {

// Why the window cannot open, for one line on standard error without the program name: Qt would
// start on X11 or Wayland (asked for with -platform or QT_QPA_PLATFORM, or by default), and no
// display it would try can be reached. Without this check Qt's X11 platform ends the program
// with an abort. Nothing when a display answers, or when another platform is asked for (such as
// offscreen), which Qt judges itself. The display is -display's value, else DISPLAY; the Wayland
// display WAYLAND_DISPLAY, a socket in XDG_RUNTIME_DIR unless an absolute path (and when
// XDG_RUNTIME_DIR is not set, the line says so).
std::optional<std::string> unreachable_display(std::span<const std::string_view> args);

} // namespace radial
