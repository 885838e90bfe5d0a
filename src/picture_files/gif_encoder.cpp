#include "picture_files/gif_encoder.h"

#include <gif_lib.h>

#include <algorithm>
#include <utility>

namespace radial {

namespace {

int table_size(std::size_t colours) {
    int size = 2;
    while (static_cast<std::size_t>(size) < colours) {
        size *= 2;
    }
    return size;
}

} // namespace

int GifEncoder::append(GifFileType* gif, const std::uint8_t* bytes, int length) {
    auto& out = static_cast<GifEncoder*>(gif->UserData)->bytes_;
    out.append(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(length));
    return length;
}

GifEncoder::GifEncoder(int width, int height, std::span<const Colour> colours) {
    int error = 0;
    gif_ = EGifOpen(this, append, &error);
    ColorMapObject* map = GifMakeMapObject(table_size(colours.size()), nullptr);
    if (gif_ == nullptr || map == nullptr) {
        GifFreeMapObject(map);
        return;
    }
    std::fill_n(map->Colors, map->ColorCount, GifColorType{255, 255, 255});
    for (std::size_t i = 0; i < colours.size(); ++i) {
        const Colour c = colours[i];
        map->Colors[i] = {static_cast<GifByteType>(red_of(c)),
                          static_cast<GifByteType>(green_of(c)),
                          static_cast<GifByteType>(blue_of(c))};
    }
    EGifSetGifVersion(gif_, true);
    ok_ = EGifPutScreenDesc(gif_, width, height, 8, 0, map) == GIF_OK;
    GifFreeMapObject(map);
    put_loop_forever();
}

GifEncoder::~GifEncoder() {
    if (gif_ != nullptr) {
        EGifCloseFile(gif_, nullptr);
    }
}

// The application extension "NETSCAPE2.0" with a loop count of 0, which means for ever.
void GifEncoder::put_loop_forever() {
    static const GifByteType application[] = "NETSCAPE2.0";
    static const GifByteType loops[] = {1, 0, 0};
    ok_ = ok_ && EGifPutExtensionLeader(gif_, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
          EGifPutExtensionBlock(gif_, 11, application) == GIF_OK &&
          EGifPutExtensionBlock(gif_, 3, loops) == GIF_OK &&
          EGifPutExtensionTrailer(gif_) == GIF_OK;
}

void GifEncoder::add_frame(PixelRect rect, std::span<std::uint8_t> indices, int transparent,
                           int delay) {
    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSE_DO_NOT;
    control.DelayTime = delay;
    control.TransparentColor = transparent < 0 ? NO_TRANSPARENT_COLOR : transparent;
    GifByteType extension[4];
    EGifGCBToExtension(&control, extension);
    ok_ = ok_ && EGifPutExtension(gif_, GRAPHICS_EXT_FUNC_CODE, 4, extension) == GIF_OK &&
          EGifPutImageDesc(gif_, rect.x, rect.y, rect.width, rect.height, false, nullptr) == GIF_OK;
    for (int row = 0; ok_ && row < rect.height; ++row) {
        ok_ = EGifPutLine(gif_, indices.data() + static_cast<std::ptrdiff_t>(row) * rect.width,
                          rect.width) == GIF_OK;
    }
}

std::optional<std::string> GifEncoder::finish() {
    const bool closed = EGifCloseFile(gif_, nullptr) == GIF_OK;
    gif_ = nullptr;
    if (!ok_ || !closed) {
        return std::nullopt;
    }
    return std::move(bytes_);
}

} // namespace radial
