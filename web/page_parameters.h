#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace radial {

// What the page's address may set before the first frame, as a teacher links to or embeds one
// engine: the three bars' positions (cylinders, ls, eccentricity, each one of the values its bar
// can take), the crank step in radians per frame (within the commands' bounds), the centroid
// vector, and a pause after the first frame. Anything left unset keeps its start value.
struct PageStart {
    std::optional<int> bar_positions[3]; // as parameter_bars, by index
    std::optional<double> speed;
    bool vector = false;
    bool paused = false;
};

// Takes one parameter of the address into start. A value that cannot be taken leaves start as it
// was and gives one line naming the parameter, what it takes and the value given; an empty line
// means taken. Names the page does not know are left alone, for the embedding page's own use.
std::string take_parameter(PageStart& start, std::string_view name, std::string_view value);

} // namespace radial
