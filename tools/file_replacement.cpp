#include "file_replacement.h"

#include "descriptor_output.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <ostream>
#include <sys/stat.h>
#include <unistd.h>

namespace radial {

namespace {

namespace fs = std::filesystem;

// Where writing to path writes: path itself, or the end of its chain of symbolic links, which
// need not exist yet. Nothing, with errno set, where the chain cannot be followed.
std::optional<fs::path> link_target(fs::path path) {
    constexpr int max_links = 40; // as the kernel follows before it gives ELOOP
    for (int links = 0; links < max_links; ++links) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(path, error))) {
            return path;
        }
        const fs::path next = fs::read_symlink(path, error);
        if (error) {
            errno = error.value();
            return std::nullopt;
        }
        path = path.parent_path() / next; // an absolute next replaces the whole path
    }
    errno = ELOOP;
    return std::nullopt;
}

// The permission bits of the file at path, or nothing where there is none.
std::optional<mode_t> permissions_of(const fs::path& path) {
    struct stat old {};
    if (stat(path.c_str(), &old) != 0) {
        return std::nullopt;
    }
    return old.st_mode & 0777;
}

struct NewFile {
    std::string path;
    int fd = -1;
};

// A file no one else has: ".NAME.tmp-PID-K" in path's directory, with the usual permissions.
std::optional<NewFile> create_beside(const fs::path& path) {
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

// Gives the new file its permissions and contents, on disk, and closes it; the errno of the
// first step that fails.
std::optional<int> fill(const NewFile& file, std::string_view contents,
                        std::optional<mode_t> permissions) {
    const bool filled = (!permissions || fchmod(file.fd, *permissions) == 0) &&
                        write_all(file.fd, contents) && fsync(file.fd) == 0;
    const int error = errno;
    if (close(file.fd) != 0 && filled) {
        return errno;
    }
    return filled ? std::nullopt : std::optional(error);
}

// Makes a rename in dir durable. Where the directory cannot be opened, or its file system syncs
// no directories, that is left to the system: the new file is in place either way.
std::optional<int> sync_directory(const fs::path& dir) {
    const int fd = open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    const bool synced = fsync(fd) == 0 || errno == EINVAL || errno == ENOTSUP;
    const int error = errno;
    close(fd);
    return synced ? std::nullopt : std::optional(error);
}

} // namespace

std::optional<std::string> replace_file(const std::string& path, std::string_view contents) {
    const auto target = link_target(path);
    if (!target) {
        return std::strerror(errno);
    }
    if (target->filename().empty()) {
        return "not a file name";
    }
    // Only a regular file is replaced: renaming over a device or a pipe (say /dev/null, run as
    // root) would put a plot where the system expects something else entirely.
    struct stat existing {};
    if (stat(target->c_str(), &existing) == 0 && S_ISDIR(existing.st_mode)) {
        return std::strerror(EISDIR);
    }
    if (stat(target->c_str(), &existing) == 0 && !S_ISREG(existing.st_mode)) {
        return "not a regular file";
    }
    const auto file = create_beside(*target);
    if (!file) {
        return std::strerror(errno);
    }
    if (const auto error = fill(*file, contents, permissions_of(*target))) {
        unlink(file->path.c_str());
        return std::strerror(*error);
    }
    if (std::rename(file->path.c_str(), target->c_str()) != 0) {
        const int error = errno;
        unlink(file->path.c_str());
        return std::strerror(error);
    }
    if (const auto error = sync_directory(target->parent_path())) {
        return std::strerror(*error);
    }
    return std::nullopt;
}

int write_flag_file(std::string_view flag, const std::string& path, std::string_view contents,
                    std::ostream& err) {
    if (const auto error = replace_file(path, contents)) {
        return refuse_flag_file(flag, path, *error, err);
    }
    return 0;
}

int refuse_flag_file(std::string_view flag, const std::string& path, std::string_view reason,
                     std::ostream& err) {
    err << "radial-kinematics: " << flag << " cannot write '" << path << "': " << reason << '\n';
    return 2;
}

} // namespace radial
