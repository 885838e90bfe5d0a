#pragma once

namespace radial {

// The window's caption, which names what the bars set and the commands.
inline constexpr char window_caption[] =
    "      Radial Engine (select: number of cylinders, l/s ratio, wrist pin eccentricity)"
    "         Use: Mouse , . / c SpaceBar     ESC:Quit";

// A parameter bar's values, the minimum at the top: an arrow moves it by single_step, a click
// beside the thumb by page_step; start is where it stands when the window opens.
struct BarRange {
    int minimum, maximum, single_step, page_step, start;
};

// VScroll1, VScroll2 and VScroll3, as cylinders_from_bar, rod_length_from_bar and
// wrist_radius_from_bar read them (ui/commands.h): 35 cylinders at the top down to 3, l/s 2.85
// down to 1.25, eccentricity 1.5 down to 0.7.
inline constexpr BarRange parameter_bars[3] = {
    {3, 35, 2, 2, 25}, {330, 650, 1, 10, 500}, {50, 130, 1, 1, 95}};

} // namespace radial
