#pragma once

#include "picture/pixel_raster.h"
#include "picture/pixel_rect.h"
#include "picture/pixel_store.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

struct xcb_connection_t;

namespace radial {

// Puts a picture's pixels straight into an X11 window, with no toolkit backing store in between.
// As the store of the picture's pixels it keeps them in shared memory segments that the X server
// reads from (MIT-SHM): a frame then costs one small request per changed rectangle and no copy on
// this side. Where the server cannot share memory with the program (a display on another
// machine), the pixels are kept on the heap and sent over the connection instead.
class X11Presenter final : public PixelStore {
public:
    // One on the X11 connection the application runs on, or none on another platform.
    static std::unique_ptr<X11Presenter> for_application();

    explicit X11Presenter(xcb_connection_t* connection);
    ~X11Presenter();
    X11Presenter(const X11Presenter&) = delete;
    X11Presenter& operator=(const X11Presenter&) = delete;

    std::uint32_t* allocate(std::size_t count) override;
    void deallocate(std::uint32_t* block) noexcept override;

    // Shows in window from now on, if it takes 0xAARRGGBB pixels as they are: a TrueColor visual
    // with red, green and blue in bits 16-23, 8-15 and 0-7, 32 bits a pixel, least significant
    // byte first. False, and nothing changed, if it does not.
    bool show_in(std::uint32_t window);

    // Shows in no window until show_in is called again (the window has gone).
    void stop_showing();
    std::uint32_t window() const { return window_; }

    // Puts each rectangle of buffer (device pixels) at the same place in the window, then sends the
    // requests on their way, or with send_now false leaves them for the next time the connection
    // is flushed (by whoever flushes it). Pixels put from shared memory are read by the server when
    // it comes to the request, later: until wait_until_read, they must not be drawn over.
    void put(PixelBuffer buffer, std::span<const PixelRect> rects, bool send_now = true);

    // Whether the server may still be reading pixels put from shared memory.
    bool reading() const { return sync_.has_value(); }

    // Returns once the server has read every pixel put so far. A request that answers follows
    // the puts in put(); the server answers it after it has handled them, so waiting here for
    // its reply costs a round trip only when the server is slower than the program.
    void wait_until_read();

    // Whether the blocks handed out so far live in shared memory.
    bool shares_memory() const { return shares_memory_; }

private:
    struct Block {
        std::uint32_t* pixels;
        std::uint32_t segment; // the server's name for it; 0 for a block on the heap
    };

    std::uint32_t* allocate_shared(std::size_t bytes);
    std::vector<Block>::const_iterator block_of(const std::uint32_t* pixels) const;
    void put_over_connection(PixelBuffer buffer, PixelRect r);

    xcb_connection_t* connection_;
    bool shares_memory_;
    std::vector<Block> blocks_;
    std::uint32_t window_ = 0;
    std::uint32_t gc_ = 0;
    std::uint8_t depth_ = 0;
    std::optional<unsigned int> sync_; // the answering request after the last shared puts
    std::vector<std::uint32_t>
        rows_; // a rectangle's rows side by side, to send over the connection
};

} // namespace radial
