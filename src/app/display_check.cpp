#include "app/display_check.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace radial {

namespace {

// The value after -NAME or --NAME, the last one given; nothing if there is none.
std::optional<std::string> option_value(std::span<const std::string_view> args,
                                        std::string_view name) {
    std::optional<std::string> value;
    for (std::size_t k = 0; k + 1 < args.size(); ++k) {
        std::string_view arg = args[k];
        if (arg.starts_with("--")) {
            arg.remove_prefix(1);
        }
        if (arg.starts_with('-') && arg.substr(1) == name) {
            value = std::string(args[k + 1]);
        }
    }
    return value;
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

// The platforms Qt is asked for ("wayland;xcb" is a list to try in turn), each without its
// options after a colon; empty when none is asked for.
std::vector<std::string> asked_platforms(std::span<const std::string_view> args) {
    const std::string list =
        option_value(args, "platform").value_or(environment("QT_QPA_PLATFORM"));
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start <= list.size() && !list.empty()) {
        const std::size_t end = std::min(list.find(';', start), list.size());
        const std::string entry = list.substr(start, end - start);
        names.push_back(entry.substr(0, entry.find(':')));
        start = end + 1;
    }
    return names;
}

bool x11_answers(const std::string& display) {
    xcb_connection_t* c = xcb_connect(display.c_str(), nullptr);
    const bool answered = xcb_connection_has_error(c) == 0;
    xcb_disconnect(c);
    return answered;
}

bool socket_answers(const std::string& path) {
    sockaddr_un address{};
    if (!path.starts_with('/') || path.size() >= sizeof address.sun_path) {
        return false;
    }
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int s = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (s < 0) {
        return false;
    }
    const bool answered =
        connect(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    close(s);
    return answered;
}

// Why the Wayland display does not answer; nothing when it does. A name that is no path is a
// socket in XDG_RUNTIME_DIR, which a Wayland client will not guess when it is not set.
std::optional<std::string> wayland_fault(const std::string& display) {
    const std::string cannot = "could not open Wayland display '" + display + "'";
    if (display.starts_with('/')) {
        return socket_answers(display) ? std::nullopt : std::optional(cannot);
    }
    const std::string runtime = environment("XDG_RUNTIME_DIR");
    if (runtime.empty()) {
        return cannot + ": XDG_RUNTIME_DIR is not set";
    }
    return socket_answers(runtime + "/" + display) ? std::nullopt : std::optional(cannot);
}

} // namespace

std::optional<std::string> unreachable_display(std::span<const std::string_view> args) {
    bool try_x11 = false, try_wayland = false;
    const std::vector<std::string> platforms = asked_platforms(args);
    for (const std::string& name : platforms) {
        if (name == "xcb") {
            try_x11 = true;
        } else if (name.starts_with("wayland")) {
            try_wayland = true;
        } else {
            return std::nullopt;
        }
    }
    const std::string x11 = option_value(args, "display").value_or(environment("DISPLAY"));
    std::string wayland = environment("WAYLAND_DISPLAY");
    if (platforms.empty()) {
        try_x11 = true;
        try_wayland = !wayland.empty();
    } else if (wayland.empty()) {
        wayland = "wayland-0"; // where a Wayland client looks when it is not told
    }
    std::string why;
    if (try_x11) {
        if (!x11.empty() && x11_answers(x11)) {
            return std::nullopt;
        }
        why = x11.empty() ? "DISPLAY is not set" : "could not open X11 display '" + x11 + "'";
    }
    if (try_wayland) {
        const std::optional<std::string> fault = wayland_fault(wayland);
        if (!fault) {
            return std::nullopt;
        }
        why += (why.empty() ? "" : "; ") + *fault;
    }
    return "the window needs a graphical session (X11 or Wayland): " + why;
}

} // namespace radial
