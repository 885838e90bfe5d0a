#include "app/display_check.h"
#include "app/window_arguments.h"
#include "ui/engine_window.h"
#include "ui/window_icon.h"
#include "version.h"

#include <QApplication>

#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
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

void ignore_message(QtMsgType, const QMessageLogContext&, const QString&) {}

// With no display, Qt on its offscreen platform (which needs none) takes its options off a copy
// of the command line, so that what is left can be judged; what it says about its setting up
// (a missing runtime directory, say) is not for the user. The display asked for with -display
// is left out of the copy: it is the one that could not be opened. Other options only the X11
// platform takes (-name, -geometry, ...) are left and refused: without a display they could not
// be used.
WindowCommand judge_without_display(int argc, char** argv) {
    std::string platform_flag = "-platform";
    std::string offscreen = "offscreen";
    std::vector<char*> copy;
    for (int k = 0; k < argc; ++k) {
        const std::string_view arg = argv[k];
        if ((arg == "-display" || arg == "--display") && k + 1 < argc) {
            ++k;
            continue;
        }
        copy.push_back(argv[k]);
    }
    copy.push_back(platform_flag.data());
    copy.push_back(offscreen.data());
    int count = static_cast<int>(copy.size());
    copy.push_back(nullptr);
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
    // need no display; the rest is judged once Qt has taken its own options, on a display that
    // answers or, without one, on Qt's offscreen platform. Only then is a missing display told.
    const std::vector<std::string_view> args = arguments_after_name(argc, argv);
    WindowCommand command = radial::read_window_arguments(args, false);
    std::optional<std::string> no_display;
    if (command.start == WindowStart::open_window || command.start == WindowStart::ask_qt) {
        no_display = radial::unreachable_display(args);
    }
    if (command.start == WindowStart::ask_qt && no_display) {
        command = judge_without_display(argc, argv);
    }
    if (command.start != WindowStart::open_window && command.start != WindowStart::ask_qt) {
        return answer(command);
    }
    // A design that cannot be run is refused before the window opens, with or without a display.
    const auto design = radial::window_design(command);
    if (const auto* refusal = std::get_if<std::string>(&design)) {
        return answer({WindowStart::refuse, *refusal});
    }
    if (no_display) {
        std::cerr << "radial-engine: " << *no_display << '\n';
        return 1;
    }

    // The desktop entry's name, for the desktop to match the window with its launcher: it is the
    // window's Wayland app_id. On X11 the desktop matches the window's class instead, the
    // application name below, which the entry names as its StartupWMClass.
    QGuiApplication::setDesktopFileName(QStringLiteral(RADIAL_APP_ID));
    QApplication app(argc, argv);
    if (command.start == WindowStart::ask_qt) {
        command = radial::read_window_arguments(arguments_after_name(argc, argv), true);
        if (command.start != WindowStart::open_window) {
            return answer(command);
        }
    }
    QApplication::setApplicationName("radial-engine");
    QApplication::setWindowIcon(radial::window_icon());
    radial::EngineWindow form;
    form.show();
    return form.run(command.charts, std::get<std::optional<radial::EngineDesign>>(design));
}
