#include "file_replacement.h"

#include "descriptor_output.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

namespace radial {

namespace {

struct NewFile {
    std::string path;
    int fd = -1;
};

// A file no one else has: ".NAME.tmp-PID-K" in path's directory, with the usual permissions.
std::optional<NewFile> create_beside(const std::filesystem::path& path) {
    const std::string stem = "." + path.filename().string() + ".tmp-" + std::to_string(getpid());
    for (int attempt = 0; attempt < 100; ++attempt) {
        NewFile file{(path.parent_path() / (stem + "-" + std::to_string(attempt))).string()};
        file.fd = open(file.path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (file.fd >= 0) {
            return file;
        }
        if (errno != EEXIST) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> replace_file(const std::string& path, std::string_view contents) {
    if (std::filesystem::path(path).filename().empty()) {
        return "not a file name";
    }
    const auto file = create_beside(path);
    if (!file) {
        return std::strerror(errno);
    }
    const bool written = write_all(file->fd, contents) && fsync(file->fd) == 0;
    const int write_error = errno;
    if (close(file->fd) != 0 || !written) {
        const int error = written ? errno : write_error;
        unlink(file->path.c_str());
        return std::strerror(error);
    }
    if (std::rename(file->path.c_str(), path.c_str()) != 0) {
        const int error = errno;
        unlink(file->path.c_str());
        return std::strerror(error);
    }
    return std::nullopt;
}

} // namespace radial
