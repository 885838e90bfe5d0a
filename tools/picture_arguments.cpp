#include "picture_arguments.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace radial {

bool has_ending(std::string_view path, std::string_view ending) {
    if (path.size() <= ending.size() || path[path.size() - ending.size() - 1] == '/') {
        return false;
    }
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return std::equal(ending.begin(), ending.end(), path.end() - ending.size(),
                      [lower](char a, char b) { return lower(a) == lower(b); });
}

bool names_directory(std::string_view path) {
    std::error_code error;
    return path.ends_with('/') || std::filesystem::is_directory(path, error);
}

} // namespace radial
