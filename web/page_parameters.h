#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace radial {

// Where the page places the wrist pins: by one of the design's rules, or matched to the master
// (the wrist-pin angles and link rod lengths that put every link piston's top dead centre and
// stroke at the master's).
// A design file's own listed angles are "listed", which no address gives.
enum class PinPlacement { animation, even, level_tdc, matched, listed };
std::string_view placement_name(PinPlacement placement);
std::optional<PinPlacement> placement_named(std::string_view name);

// What the page's address may set before the first frame, as a teacher links to or embeds one
// engine: the three bars' settings as values (cylinders, l/s, eccentricity, each one of the
// values its bar can take), the wrist pins' placement, the crank step in radians per frame
// (within the commands' bounds), the centroid vector, and a pause after the first frame.
// Anything left unset keeps its start value.
struct PageStart {
    std::optional<int> cylinders;
    std::optional<double> ls, eccentricity;
    std::optional<PinPlacement> pins;
    std::optional<double> speed;
    bool vector = false;
    bool paused = false;
    unsigned given = 0; // the parameters met so far, a bit each, in the order of take_parameter's
};

// Where bar (an index into parameter_bars) stands for start's setting of it, if start has one;
// and the setting a bar's position stands for, into start.
std::optional<int> bar_position_of(const PageStart& start, std::size_t bar);
void set_bar_position(PageStart& start, std::size_t bar, int position);

// Takes one parameter of the address into start. A value that cannot be taken leaves start as it
// was and gives one line naming the parameter, what it takes and the value given; an empty line
// means taken. A parameter given a second time, and a name the page does not know, get their line
// too and change nothing: the first value of a parameter is the one that counts.
std::string take_parameter(PageStart& start, std::string_view name, std::string_view value);

// The address's parameters that give the settings back, in the order take_parameter names them:
// each bar's setting, the speed as the shortest text that reads back as the same double, and the
// vector: "cylinders=13&ls=2.005&eccentricity=0.7&speed=0.052500000000000005&vector=1". A
// setting left unset is left out; paused is never written.
std::string address_query(const PageStart& settings);

// The setting a position of a bar (an index into parameter_bars) stands for, as the address
// writes it, which take_parameter takes back to the same position: "13", "2.005", "1.05".
std::string setting_text(std::size_t bar, int position);
// The same in words, with two decimals at least, for what a screen reader says of the bar:
// "13 cylinders", "l/s 2.00", "eccentricity 1.05".
std::string setting_words(std::size_t bar, int position);

} // namespace radial
