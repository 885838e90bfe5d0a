#pragma once

#include "core/engine_state.h"

namespace radial {

// The keyboard and mouse commands. Each only changes values in the engine record; what a quit
// command does to the window is up to the window.

constexpr char32_t escape_key = 27;

// The crank step is kept within one whole four-stroke cycle (4 pi radians) per frame either way:
// far beyond any speed worth watching, and it keeps repeated speed-ups from ever making the crank
// angle, and everything drawn from it, infinite or NaN.
constexpr double max_step = 4 * 3.14159265358979323846;

double clamp_step(double step);

// What a key asks of its front end once on_key_press has made its change: nothing more
// (handled), to end the program (quit), or to open or close the charts beside the engine
// (charts), which lie outside the engine record; ignored for a key that is no command.
enum class KeyOutcome { ignored, handled, quit, charts };

// Esc quits; "." and "," make the step 5 % larger or smaller; "/" restores the default step;
// "c" or "C" switches the centroid vector; space pauses or resumes; "g" asks for the charts and
// leaves the record alone. Case-sensitive otherwise.
KeyOutcome on_key_press(EngineState& s, char32_t key);

// Any button switches mouse speed control on or off.
void on_mouse_down(EngineState& s);

// With mouse speed control on, the step follows the pointer's world coordinates: x y / 200000,
// negative (backwards) in the upper-left and lower-right quadrants. On the axes through the crank
// centre, where the product is 0 in single precision, the step keeps its value; so it does for a
// pointer position that is not a finite number.
void on_mouse_move(EngineState& s, float x, float y);

} // namespace radial
