#include "picture/changed_area.h"

#include "picture/segment_clip.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace radial {

namespace {

int tiles_for(int pixels) {
    return std::max(0, (pixels + ChangedArea::tile - 1) / ChangedArea::tile);
}

// Whether rects[start, end) lie right below the band rects[above, start) in the same columns.
bool continues_band(const std::vector<PixelRect>& rects, std::size_t above, std::size_t start,
                    std::size_t end) {
    if (start == above || start - above != end - start ||
        rects[above].y + rects[above].height != rects[start].y) {
        return false;
    }
    for (std::size_t k = 0; k < end - start; ++k) {
        if (rects[above + k].x != rects[start + k].x ||
            rects[above + k].width != rects[start + k].width) {
            return false;
        }
    }
    return true;
}

} // namespace

ChangedArea::ChangedArea(int width, int height)
    : width_(width), height_(height), columns_(tiles_for(width)), rows_(tiles_for(height)),
      changed_(static_cast<std::size_t>(columns_) * static_cast<std::size_t>(rows_), 0) {}

void ChangedArea::mark_all() {
    std::fill(changed_.begin(), changed_.end(), 1);
}

// Called some thousands of times a frame, so kept to comparisons, truncations (which floor the
// non-negative values they see) and plain stores; a box spans one to three tiles each way.
void ChangedArea::mark_box(double left, double top, double right, double bottom) {
    if (!(right >= 0 && bottom >= 0 && left < width_ && top < height_)) {
        return;
    }
    const int first = left > 0 ? static_cast<int>(left) / tile : 0;
    const int last = right < width_ ? static_cast<int>(right) / tile : columns_ - 1;
    const int first_row = top > 0 ? static_cast<int>(top) / tile : 0;
    const int last_row = bottom < height_ ? static_cast<int>(bottom) / tile : rows_ - 1;
    for (int row = first_row; row <= last_row; ++row) {
        std::uint8_t* tiles = changed_.data() + row * columns_;
        tiles[first] = 1;
        tiles[last] = 1;
        for (int column = first + 1; column < last; ++column) {
            tiles[column] = 1;
        }
    }
}

// The segment goes in pieces no longer than a tile, each marking its own box: a slanting line
// marks a staircase of tiles, not the box of its ends. One reaching beyond the client area is cut
// to it first.
void ChangedArea::mark_segment(double x1, double y1, double x2, double y2, double margin) {
    if (!std::isfinite(x1 + y1 + x2 + y2 + margin)) {
        return;
    }
    const double low = -margin, high_x = width_ + margin, high_y = height_ + margin;
    const bool inside = std::min(x1, x2) >= low && std::max(x1, x2) <= high_x &&
                        std::min(y1, y2) >= low && std::max(y1, y2) <= high_y;
    if (!inside && !clip_segment(x1, y1, x2, y2, low, low, high_x, high_y)) {
        return;
    }
    const double extent = std::max(std::abs(x2 - x1), std::abs(y2 - y1));
    const int pieces = std::max(1, static_cast<int>(std::ceil(extent / tile)));
    const double step_x = (x2 - x1) / pieces, step_y = (y2 - y1) / pieces;
    // A piece from (x, y) to (x + step_x, y + step_y) has the box x + left .. x + right, and so on.
    const double left = std::min(step_x, 0.0) - margin, right = std::max(step_x, 0.0) + margin;
    const double top = std::min(step_y, 0.0) - margin, bottom = std::max(step_y, 0.0) + margin;
    for (int k = 0; k < pieces; ++k) {
        const double x = x1 + k * step_x, y = y1 + k * step_y;
        mark_box(x + left, y + top, x + right, y + bottom);
    }
}

// A circle up to two tiles across marks its box; a larger one goes as chords of at most a tile,
// widened by how far the arc bulges beyond its chord, so that its inside stays unmarked. One far
// larger than any screen marks its box too, which the client area cuts down to the whole area.
void ChangedArea::mark_circle(double cx, double cy, double radius, double margin) {
    const double reach = radius + margin;
    if (!std::isfinite(cx + cy + reach) || cx + reach < 0 || cy + reach < 0 ||
        cx - reach > width_ || cy - reach > height_) {
        return;
    }
    const double chords_needed = std::ceil(2 * std::numbers::pi * radius / tile);
    if (radius <= tile || chords_needed > max_chords) {
        mark_box(cx - reach, cy - reach, cx + reach, cy + reach);
        return;
    }
    const int chords = static_cast<int>(chords_needed);
    const UnitChords& unit = unit_chords(chords);
    const double bulge = radius * unit.bulge;
    double xa = cx + radius, ya = cy;
    for (std::size_t k = 1; k <= static_cast<std::size_t>(chords); ++k) {
        const double xb = cx + radius * unit.cos[k], yb = cy + radius * unit.sin[k];
        mark_segment(xa, ya, xb, yb, margin + bulge);
        xa = xb;
        ya = yb;
    }
}

const ChangedArea::UnitChords& ChangedArea::unit_chords(int chords) {
    for (const UnitChords& kept : unit_chords_) {
        if (kept.chords == chords) {
            return kept;
        }
    }
    const double step = 2 * std::numbers::pi / chords;
    UnitChords split{chords, std::vector<double>(static_cast<std::size_t>(chords) + 1),
                     std::vector<double>(static_cast<std::size_t>(chords) + 1),
                     1 - std::cos(step / 2)};
    for (int k = 1; k <= chords; ++k) {
        split.cos[static_cast<std::size_t>(k)] = std::cos(k * step);
        split.sin[static_cast<std::size_t>(k)] = std::sin(k * step);
    }
    if (unit_chords_.size() < kept_splits) {
        unit_chords_.push_back(std::move(split));
        return unit_chords_.back();
    }
    UnitChords& replaced = unit_chords_[next_split_];
    next_split_ = (next_split_ + 1) % kept_splits;
    replaced = std::move(split);
    return replaced;
}

void ChangedArea::append_row(int row, std::vector<PixelRect>& rects) const {
    const std::uint8_t* tiles = changed_.data() + row * columns_;
    const int top = row * tile, height = std::min(tile, height_ - top);
    for (int c = 0; c < columns_;) {
        if (tiles[c] == 0) {
            ++c;
            continue;
        }
        const int first = c;
        while (c < columns_ && tiles[c] != 0) {
            ++c;
        }
        rects.push_back({first * tile, top, std::min(c * tile, width_) - first * tile, height});
    }
}

std::vector<PixelRect> ChangedArea::take_rects() {
    std::vector<PixelRect> rects;
    std::size_t above = 0; // where the band above begins; it ends where the new one begins
    for (int row = 0; row < rows_; ++row) {
        const std::size_t start = rects.size();
        append_row(row, rects);
        if (!continues_band(rects, above, start, rects.size())) {
            above = start;
            continue;
        }
        for (std::size_t k = above; k < start; ++k) {
            rects[k].height += rects[start].height;
        }
        rects.resize(start);
    }
    std::fill(changed_.begin(), changed_.end(), 0);
    return rects;
}

} // namespace radial
