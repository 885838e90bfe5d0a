#pragma once

#include "picture/pixel_rect.h"

#include <cstdint>
#include <vector>

namespace radial {

// The part of a client area drawn on since it was last taken, in logical pixels, kept on a grid
// of square tiles: every shape marks the tiles its pixels may reach, so a frame's changed area is
// a few rows of small rectangles around the moving parts rather than one box around them all.
class ChangedArea {
public:
    static constexpr int tile = 16;         // logical pixels a side
    static constexpr int max_chords = 4096; // a circle of some 10,000 pixels' radius

    ChangedArea(int width, int height);

    void mark_all();

    // A segment and a circle outline, widened by margin pixels on every side for the pen and the
    // rasterizer's rounding.
    void mark_segment(double x1, double y1, double x2, double y2, double margin);
    void mark_circle(double cx, double cy, double radius, double margin);

    // The changed tiles as rectangles cut to the client area, then nothing changed. Rectangles
    // neither overlap nor touch side by side; they come in bands from top to bottom, those of a
    // band with the same top and height and ordered from left to right, and bands with the same
    // columns one below the other are merged into one.
    std::vector<PixelRect> take_rects();

private:
    // Marks the tiles of the box, cut to the client area.
    void mark_box(double left, double top, double right, double bottom);
    // The rectangles of one row of tiles: maximal runs of changed tiles.
    void append_row(int row, std::vector<PixelRect>& rects) const;

    int width_;
    int height_;
    int columns_;
    int rows_;
    std::vector<std::uint8_t> changed_; // one per tile, row after row
    // Circles split into chords, on the unit circle: the chord ends from 1 to chords, and how far
    // an arc bulges beyond its chord. A frame's few large circles keep their sizes from frame to
    // frame, so the last few splits are kept.
    struct UnitChords {
        int chords = 0;
        std::vector<double> cos;
        std::vector<double> sin;
        double bulge = 0;
    };
    static constexpr std::size_t kept_splits = 4;
    const UnitChords& unit_chords(int chords);
    std::vector<UnitChords> unit_chords_;
    std::size_t next_split_ = 0; // the one to replace next
};

} // namespace radial
