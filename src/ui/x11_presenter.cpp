#include "ui/x11_presenter.h"

#include <QGuiApplication>
#include <qguiapplication_platform.h>

#include <sys/ipc.h>
#include <sys/shm.h>
#include <xcb/shm.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

namespace radial {

namespace {

template <typename Reply> struct FreeReply {
    void operator()(Reply* reply) const { std::free(reply); }
};
template <typename Reply> using ReplyPtr = std::unique_ptr<Reply, FreeReply<Reply>>;

bool server_shares_memory(xcb_connection_t* c) {
    const xcb_query_extension_reply_t* shm = xcb_get_extension_data(c, &xcb_shm_id);
    return shm != nullptr && shm->present;
}

int bits_per_pixel(const xcb_setup_t* setup, std::uint8_t depth) {
    for (auto f = xcb_setup_pixmap_formats_iterator(setup); f.rem > 0; xcb_format_next(&f)) {
        if (f.data->depth == depth) {
            return f.data->bits_per_pixel;
        }
    }
    return 0;
}

const xcb_visualtype_t* find_visual(const xcb_setup_t* setup, xcb_visualid_t id) {
    for (auto s = xcb_setup_roots_iterator(setup); s.rem > 0; xcb_screen_next(&s)) {
        for (auto d = xcb_screen_allowed_depths_iterator(s.data); d.rem > 0; xcb_depth_next(&d)) {
            for (auto v = xcb_depth_visuals_iterator(d.data); v.rem > 0; xcb_visualtype_next(&v)) {
                if (v.data->visual_id == id) {
                    return v.data;
                }
            }
        }
    }
    return nullptr;
}

} // namespace

std::unique_ptr<X11Presenter> X11Presenter::for_application() {
    const auto* x11 = qGuiApp == nullptr
                          ? nullptr
                          : qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->connection() == nullptr) {
        return nullptr;
    }
    return std::make_unique<X11Presenter>(x11->connection());
}

X11Presenter::X11Presenter(xcb_connection_t* connection)
    : connection_(connection), shares_memory_(server_shares_memory(connection)) {}

X11Presenter::~X11Presenter() {
    if (sync_) {
        xcb_discard_reply(connection_, *sync_);
    }
    if (gc_ != 0) {
        xcb_free_gc(connection_, gc_);
    }
    while (!blocks_.empty()) {
        deallocate(blocks_.back().pixels);
    }
    xcb_flush(connection_);
}

// The segment is marked for removal once the server has attached it, so that it goes when both
// sides have let go of it, however the program ends.
std::uint32_t* X11Presenter::allocate_shared(std::size_t bytes) {
    const int id = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (id < 0) {
        return nullptr;
    }
    void* address = shmat(id, nullptr, 0);
    if (address == reinterpret_cast<void*>(-1)) {
        shmctl(id, IPC_RMID, nullptr);
        return nullptr;
    }
    const xcb_shm_seg_t segment = xcb_generate_id(connection_);
    xcb_generic_error_t* error = xcb_request_check(
        connection_, xcb_shm_attach_checked(connection_, segment, static_cast<std::uint32_t>(id),
                                            /*read_only=*/1));
    shmctl(id, IPC_RMID, nullptr);
    if (error != nullptr) {
        std::free(error);
        shmdt(address);
        return nullptr;
    }
    auto* pixels = static_cast<std::uint32_t*>(address);
    blocks_.push_back({pixels, segment});
    return pixels;
}

// Once the server has refused a segment, it is not asked again.
std::uint32_t* X11Presenter::allocate(std::size_t count) {
    const std::size_t bytes = std::max<std::size_t>(count, 1) * sizeof(std::uint32_t);
    if (shares_memory_) {
        if (std::uint32_t* pixels = allocate_shared(bytes)) {
            return pixels;
        }
        shares_memory_ = false;
    }
    auto* pixels = new std::uint32_t[std::max<std::size_t>(count, 1)];
    blocks_.push_back({pixels, 0});
    return pixels;
}

void X11Presenter::deallocate(std::uint32_t* pixels) noexcept {
    const auto block = block_of(pixels);
    if (block == blocks_.end()) {
        return;
    }
    if (block->segment != 0) {
        xcb_shm_detach(connection_, block->segment);
        shmdt(block->pixels);
    } else {
        delete[] block->pixels;
    }
    blocks_.erase(block);
}

bool X11Presenter::show_in(std::uint32_t window) {
    const ReplyPtr<xcb_get_window_attributes_reply_t> attributes(xcb_get_window_attributes_reply(
        connection_, xcb_get_window_attributes(connection_, window), nullptr));
    const ReplyPtr<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, window), nullptr));
    if (!attributes || !geometry) {
        return false;
    }
    const xcb_setup_t* setup = xcb_get_setup(connection_);
    const xcb_visualtype_t* visual = find_visual(setup, attributes->visual);
    if (visual == nullptr || visual->_class != XCB_VISUAL_CLASS_TRUE_COLOR ||
        visual->red_mask != 0xFF0000u || visual->green_mask != 0xFF00u ||
        visual->blue_mask != 0xFFu || bits_per_pixel(setup, geometry->depth) != 32 ||
        setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST) {
        return false;
    }
    if (gc_ != 0) {
        xcb_free_gc(connection_, gc_);
    }
    gc_ = xcb_generate_id(connection_);
    const std::uint32_t no_exposures = 0;
    xcb_create_gc(connection_, gc_, window, XCB_GC_GRAPHICS_EXPOSURES, &no_exposures);
    window_ = window;
    depth_ = geometry->depth;
    return true;
}

void X11Presenter::stop_showing() {
    if (gc_ != 0) {
        xcb_free_gc(connection_, gc_);
        gc_ = 0;
    }
    window_ = 0;
}

std::vector<X11Presenter::Block>::const_iterator
X11Presenter::block_of(const std::uint32_t* pixels) const {
    return std::find_if(blocks_.begin(), blocks_.end(),
                        [pixels](const Block& b) { return b.pixels == pixels; });
}

void X11Presenter::put(PixelBuffer buffer, std::span<const PixelRect> rects, bool send_now) {
    if (window_ == 0) {
        return;
    }
    const auto block = block_of(buffer.pixels);
    bool shared = false;
    for (const PixelRect& r : rects) {
        if (r.empty()) {
            continue;
        }
        if (block == blocks_.end() || block->segment == 0) {
            put_over_connection(buffer, r);
            continue;
        }
        shared = true;
        xcb_shm_put_image(connection_, window_, gc_, static_cast<std::uint16_t>(buffer.stride),
                          static_cast<std::uint16_t>(buffer.height),
                          static_cast<std::uint16_t>(r.x), static_cast<std::uint16_t>(r.y),
                          static_cast<std::uint16_t>(r.width), static_cast<std::uint16_t>(r.height),
                          static_cast<std::int16_t>(r.x), static_cast<std::int16_t>(r.y), depth_,
                          XCB_IMAGE_FORMAT_Z_PIXMAP, /*send_event=*/0, block->segment, 0);
    }
    if (shared) {
        if (sync_) {
            xcb_discard_reply(connection_, *sync_);
        }
        sync_ = xcb_get_input_focus(connection_).sequence;
    }
    if (send_now) {
        xcb_flush(connection_);
    }
}

void X11Presenter::wait_until_read() {
    if (!sync_) {
        return;
    }
    std::free(xcb_get_input_focus_reply(connection_, {*sync_}, nullptr));
    sync_.reset();
}

// In as many requests as the server's largest request allows, a band of whole rows each.
void X11Presenter::put_over_connection(PixelBuffer buffer, PixelRect r) {
    constexpr std::size_t request_header = 24;
    const std::size_t largest = std::size_t{xcb_get_maximum_request_length(connection_)} * 4;
    const std::size_t row_bytes = static_cast<std::size_t>(r.width) * sizeof(std::uint32_t);
    const int band = static_cast<int>(
        std::max<std::size_t>(1, (largest - std::min(largest, request_header)) / row_bytes));
    const auto index = [](int x, int y, int width) {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
               static_cast<std::size_t>(x);
    };
    for (int top = r.y; top < r.y + r.height; top += band) {
        const int rows = std::min(band, r.y + r.height - top);
        rows_.resize(index(0, rows, r.width));
        for (int y = 0; y < rows; ++y) {
            std::memcpy(rows_.data() + index(0, y, r.width),
                        buffer.pixels + index(r.x, top + y, buffer.stride), row_bytes);
        }
        xcb_put_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, window_, gc_,
                      static_cast<std::uint16_t>(r.width), static_cast<std::uint16_t>(rows),
                      static_cast<std::int16_t>(r.x), static_cast<std::int16_t>(top), 0, depth_,
                      static_cast<std::uint32_t>(rows_.size() * sizeof(std::uint32_t)),
                      reinterpret_cast<const std::uint8_t*>(rows_.data()));
    }
}

} // namespace radial
