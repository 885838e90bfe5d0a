#pragma once

namespace radial {

// The window's caption, which names what the bars set and the commands.
inline constexpr char window_caption[] =
    "      Radial Engine (select: number of cylinders, l/s ratio, wrist pin eccentricity)"
    "         Use: Mouse , . / c SpaceBar     ESC:Quit";

} // namespace radial
