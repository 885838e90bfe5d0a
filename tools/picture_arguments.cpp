#include "picture_arguments.h"

#include "report/number_text.h"

#include <algorithm>
#include <array>

namespace radial {

namespace {

// A file name with something before the ending: "a.png" or "dir/a.png", not ".png" or "dir/.png".
bool has_ending(std::string_view path, std::string_view ending) {
    return path.ends_with(ending) && path.size() > ending.size() &&
           path[path.size() - ending.size() - 1] != '/';
}

} // namespace

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

std::optional<UsageError> check_picture_flags(std::span<const std::string_view> seen) {
    const auto given = [seen](std::string_view flag) {
        return std::find(seen.begin(), seen.end(), flag) != seen.end();
    };
    if (given("--frames") && !given("--animation")) {
        return UsageError{"--frames applies only to --animation"};
    }
    return std::nullopt;
}

} // namespace radial
