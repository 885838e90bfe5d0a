#pragma once

#include <array>
#include <streambuf>
#include <string_view>

namespace radial {

// Writes all of contents to fd, resuming after interruptions; false with errno set if it cannot.
bool write_all(int fd, std::string_view contents);

// A stream buffer over a file descriptor it does not own, which keeps the reason its first
// failed write gave (std::cout's buffer forgets it). After a failure it refuses everything.
class DescriptorBuffer : public std::streambuf {
public:
    explicit DescriptorBuffer(int fd);
    DescriptorBuffer(const DescriptorBuffer&) = delete;
    DescriptorBuffer& operator=(const DescriptorBuffer&) = delete;
    // Writes what is left; a failure here goes unreported, so flush first.
    ~DescriptorBuffer() override;

    // The errno of the failed write, or 0.
    int error() const { return error_; }

protected:
    int_type overflow(int_type c) override;
    int sync() override;

private:
    bool drain();

    int fd_;
    int error_ = 0;
    std::array<char, 65536> buffer_{};
};

} // namespace radial
