#pragma once

#include "core/colour.h"
#include "core/view.h"

namespace radial {

// What the animation draws on: a picture in world coordinates that keeps whatever was drawn until
// it is drawn over or cleared. Moving parts are erased by drawing them again in the background
// colour, so implementations draw hard-edged (no antialiasing, no blending): the same primitive
// drawn twice with the same coordinates and pen width covers the same pixels.
class Surface {
public:
    virtual ~Surface() = default;

    // Fills the whole surface with the background colour.
    virtual void clear() = 0;

    virtual void set_pen_width(int pixels) = 0;
    virtual void set_current_colour(Colour colour) = 0;
    virtual Colour get_current_colour() const = 0;
    virtual Colour background_colour() const = 0;

    // A straight segment between two world points, in the colour given (which leaves the current
    // colour as it was) or in the current colour.
    virtual void line(double x1, double y1, double x2, double y2, Colour colour) = 0;
    void line(double x1, double y1, double x2, double y2) {
        line(x1, y1, x2, y2, get_current_colour());
    }

    // A circle outline, never filled; the radius is in world units measured along x and the
    // circle is round on screen.
    virtual void circle(double cx, double cy, double radius, Colour colour) = 0;
    void circle(double cx, double cy, double radius) {
        circle(cx, cy, radius, get_current_colour());
    }

    virtual View get_view() const = 0;
    virtual void set_view_height(double height) = 0;
    virtual void set_view_width(double width) = 0;
    virtual void set_view_left(double left) = 0;
    virtual void set_view_top(double top) = 0;
};

} // namespace radial
