#include "picture_arguments.h"

#include "report/number_text.h"

#include <algorithm>
#include <array>
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

bool is_picture_flag(std::string_view flag) {
    constexpr std::array<std::string_view, 3> names = {"--picture", "--animation", "--frames"};
    return std::find(names.begin(), names.end(), flag) != names.end();
}

bool read_picture_value(ToolOptions& o, std::string_view flag, std::string_view text) {
    if (flag == "--frames") {
        const auto frames = read_integer(text);
        o.frames = frames.value_or(0);
        return frames && *frames >= min_animation_frames && *frames <= max_animation_frames;
    }
    o.picture_path = text;
    if (flag == "--animation") {
        o.mode = ToolMode::animation;
        return has_ending(text, ".gif");
    }
    o.mode = ToolMode::picture;
    return has_ending(text, ".png") || has_ending(text, ".svg");
}

} // namespace radial
