#include "app/window_arguments.h"
#include "ui/form1.h"
#include "version.h"

#include <QApplication>

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

using radial::WindowCommand;
using radial::WindowStart;

std::vector<std::string_view> arguments_after_name(int argc, char** argv) {
    return {argv + 1, argv + argc};
}

// Whether Qt has a display to start on. Without one it ends the program before it has taken its
// options off the command line.
bool display_given(const std::vector<std::string_view>& args) {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            return true;
        }
    }
    return std::any_of(args.begin(), args.end(), [](std::string_view arg) {
        return arg == "-platform" || arg == "--platform" || arg == "-display" || arg == "--display";
    });
}

void ignore_message(QtMsgType, const QMessageLogContext&, const QString&) {}

// With no display, Qt on its offscreen platform (which needs none) takes its options off a copy
// of the command line, so that what is left can be judged; what it says about its setting up
// (a missing runtime directory, say) is not for the user. Options only the X11 platform takes
// (-name, -geometry, ...) are left and refused: without a display they could not be used.
WindowCommand judge_without_display(int argc, char** argv) {
    std::string platform_flag = "-platform";
    std::string offscreen = "offscreen";
    std::vector<char*> copy(argv, argv + argc);
    copy.push_back(platform_flag.data());
    copy.push_back(offscreen.data());
    copy.push_back(nullptr);
    int count = argc + 2;
    const QtMessageHandler previous = qInstallMessageHandler(ignore_message);
    WindowCommand command;
    {
        const QApplication probe(count, copy.data());
        command = radial::read_window_arguments(arguments_after_name(count, copy.data()), true);
    }
    qInstallMessageHandler(previous);
    return command;
}

// Answers --help, --version or a refused argument; returns the exit status.
int answer(const WindowCommand& command) {
    switch (command.start) {
    case WindowStart::print_usage:
        std::cout << radial::window_usage;
        return 0;
    case WindowStart::print_version:
        std::cout << "radial-engine " << radial::project_version << '\n';
        return 0;
    default:
        std::cerr << "radial-engine: " << command.message << '\n';
        return 2;
    }
}

} // namespace

int main(int argc, char** argv) {
    // The picture is a buffer of several megabytes, made anew whenever the window is resized.
    // Served from mmap, each old one goes back to the system when freed, instead of staying in
    // the heap once glibc's adaptive threshold has grown past that size.
#ifdef __GLIBC__
    mallopt(M_MMAP_THRESHOLD, 1 << 20);
#endif

    // --help, --version and arguments that cannot be Qt's are answered before Qt starts, so they
    // need no display; the rest is judged once Qt has taken its own options.
    WindowCommand command = radial::read_window_arguments(arguments_after_name(argc, argv), false);
    if (command.start == WindowStart::ask_qt && !display_given(arguments_after_name(argc, argv))) {
        command = judge_without_display(argc, argv);
    }
    if (command.start != WindowStart::open_window && command.start != WindowStart::ask_qt) {
        return answer(command);
    }

    QApplication app(argc, argv);
    if (command.start == WindowStart::ask_qt) {
        command = radial::read_window_arguments(arguments_after_name(argc, argv), true);
        if (command.start != WindowStart::open_window) {
            return answer(command);
        }
    }
    QApplication::setApplicationName("radial-engine");
    radial::Form1 form;
    form.show();
    return form.run();
}
