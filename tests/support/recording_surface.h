#pragma once

#include "core/surface.h"

#include <ostream>
#include <vector>

namespace radial::testing {

// One call on a RecordingSurface, with the colour and pen width it was drawn in resolved.
struct DrawCall {
    enum class Kind { line, circle, clear, view_height, view_width, view_left, view_top };
    Kind kind = Kind::clear;
    double a = 0, b = 0, c = 0, d = 0; // line: x1 y1 x2 y2; circle: cx cy radius; view: value
    Colour colour = 0;
    int pen = 0;

    friend bool operator==(const DrawCall&, const DrawCall&) = default;
};

DrawCall line_call(double x1, double y1, double x2, double y2, Colour colour, int pen);
DrawCall circle_call(double cx, double cy, double radius, Colour colour, int pen);
DrawCall clear_call();

void PrintTo(const DrawCall& call, std::ostream* os);

// A surface that keeps every drawing call in order, so a test compares whole sequences.
class RecordingSurface : public Surface {
public:
    std::vector<DrawCall> calls;
    int pen_width = 0;
    Colour current_colour = 0;
    View view = design_view;

    void clear() override;
    void set_pen_width(int pixels) override { pen_width = pixels; }
    void set_current_colour(Colour colour) override { current_colour = colour; }
    Colour get_current_colour() const override { return current_colour; }
    Colour background_colour() const override { return white; }
    using Surface::circle;
    using Surface::line;
    void line(double x1, double y1, double x2, double y2, Colour colour) override;
    void circle(double cx, double cy, double radius, Colour colour) override;
    View get_view() const override { return view; }
    void set_view_height(double height) override;
    void set_view_width(double width) override;
    void set_view_left(double left) override;
    void set_view_top(double top) override;

    // The calls of one kind, in order.
    std::vector<DrawCall> of_kind(DrawCall::Kind kind) const;
};

} // namespace radial::testing
