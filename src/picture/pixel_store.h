#pragma once

#include <cstddef>
#include <cstdint>

namespace radial {

// Where a picture keeps its pixels. The picture files keep them on the heap; the window keeps
// them where the display can read them without a copy.
class PixelStore {
public:
    // A block of count pixels, contents undefined; never null (failure throws).
    virtual std::uint32_t* allocate(std::size_t count) = 0;
    // Gives back a block from allocate.
    virtual void deallocate(std::uint32_t* block) noexcept = 0;

protected:
    ~PixelStore() = default;
};

} // namespace radial
