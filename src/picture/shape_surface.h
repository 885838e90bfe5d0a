#pragma once

#include "core/surface.h"

#include <vector>

namespace radial {

// A line from (a, b) to (c, d), or a circle about (a, b) with radius c (d unused), in world units,
// with the colour and pen width it was drawn in.
struct Shape {
    enum class Kind { line, circle };
    Kind kind = Kind::line;
    double a = 0, b = 0, c = 0, d = 0;
    Colour colour = black;
    int pen = 1;
};

// The animation's picture as the shapes on screen rather than pixels, for vector drawings. The
// mechanism erases a shape by drawing it again in the background colour with exactly the same
// coordinates, so such a drawing removes every shape of that kind with exactly those coordinates;
// any other drawing replaces them, and goes on top of the rest. What erasing does to pixels of
// other shapes is not kept: the list holds the shapes whole.
class ShapeSurface : public Surface {
public:
    // A client area of width x height pixels with the design view for that size.
    ShapeSurface(int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }
    // In the order drawn, the latest on top.
    const std::vector<Shape>& shapes() const { return shapes_; }

    void clear() override { shapes_.clear(); }
    void set_pen_width(int pixels) override { pen_width_ = pixels; }
    void set_current_colour(Colour colour) override { current_colour_ = colour; }
    Colour get_current_colour() const override { return current_colour_; }
    Colour background_colour() const override { return white; }
    using Surface::circle;
    using Surface::line;
    void line(double x1, double y1, double x2, double y2, Colour colour) override;
    void circle(double cx, double cy, double radius, Colour colour) override;
    View get_view() const override { return view_; }
    void set_view_height(double height) override { view_.height = height; }
    void set_view_width(double width) override { view_.width = width; }
    void set_view_left(double left) override { view_.left = left; }
    void set_view_top(double top) override { view_.top = top; }

private:
    void draw(const Shape& shape);

    int width_;
    int height_;
    View view_;
    int pen_width_ = 1;
    Colour current_colour_ = black;
    std::vector<Shape> shapes_;
};

} // namespace radial
