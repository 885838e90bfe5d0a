#pragma once

#include <QIcon>

namespace radial {

// The window's icon: the desktop theme's radial-engine icon (the one the desktop entry names),
// else the program's own drawing of it, built in.
QIcon window_icon();

} // namespace radial
