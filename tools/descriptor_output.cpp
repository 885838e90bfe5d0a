#include "descriptor_output.h"

#include <cerrno>
#include <unistd.h>

namespace radial {

bool write_all(int fd, std::string_view contents) {
    while (!contents.empty()) {
        const ssize_t written = write(fd, contents.data(), contents.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written == 0) {
            errno = EIO; // write(2) gives 0 for a non-empty buffer only on odd files; no errno
        }
        if (written <= 0) {
            return false;
        }
        contents.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

DescriptorBuffer::DescriptorBuffer(int fd) : fd_(fd) {
    setp(buffer_.data(), buffer_.data() + buffer_.size());
}

DescriptorBuffer::~DescriptorBuffer() {
    drain();
}

bool DescriptorBuffer::drain() {
    if (error_ != 0) {
        return false;
    }
    const std::string_view pending(pbase(), static_cast<std::size_t>(pptr() - pbase()));
    if (!write_all(fd_, pending)) {
        error_ = errno;
        setp(nullptr, nullptr);
        return false;
    }
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    return true;
}

DescriptorBuffer::int_type DescriptorBuffer::overflow(int_type c) {
    if (!drain()) {
        return traits_type::eof();
    }
    if (traits_type::eq_int_type(c, traits_type::eof())) {
        return traits_type::not_eof(c);
    }
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
    return c;
}

int DescriptorBuffer::sync() {
    return drain() ? 0 : -1;
}

} // namespace radial
