#pragma once

#include "core/colour.h"
#include "picture/pixel_surface.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

struct GifFileType;

namespace radial {

// An animated GIF made in memory with giflib, frame after frame: one global colour table, every
// frame drawn over the one before (disposal "do not dispose"), looping for ever (the NETSCAPE2.0
// extension). Any failure of giflib (it can only run out of memory here) spoils the whole file.
class GifEncoder {
public:
    // A canvas of width x height pixels; the colour table is padded to a power of two.
    GifEncoder(int width, int height, std::span<const Colour> colours);
    GifEncoder(const GifEncoder&) = delete;
    GifEncoder& operator=(const GifEncoder&) = delete;
    ~GifEncoder();

    // A frame covering rect of the canvas, its colour indices row after row, shown for delay
    // hundredths of a second; pixels with the index transparent (-1 for none) keep what the
    // canvas showed.
    void add_frame(PixelRect rect, std::span<std::uint8_t> indices, int transparent, int delay);

    // The file's bytes, or nothing if any step failed. Ends the file: call once, last.
    std::optional<std::string> finish();

private:
    static int append(GifFileType* gif, const std::uint8_t* bytes, int length);
    void put_loop_forever();

    GifFileType* gif_ = nullptr;
    std::string bytes_;
    bool ok_ = false;
};

} // namespace radial
